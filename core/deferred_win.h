// The common dialogs and the shell's drop functions, loaded when first used.
// Importing comdlg32 and shell32 at start-up costs more than the rest of the
// start together under some systems; the program needs neither before the
// user opens a dialog or drops a file. Same signatures as the platform's;
// when a library cannot be loaded the call fails as the platform's would
// (0 or FALSE, and for the dialogs a null window).
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

namespace tessel::deferred {

BOOL GetOpenFileNameA(LPOPENFILENAMEA record);
BOOL GetSaveFileNameA(LPOPENFILENAMEA record);
short GetFileTitleA(LPCSTR path, LPSTR title, WORD size);
HWND FindTextA(LPFINDREPLACEA record);
HWND ReplaceTextA(LPFINDREPLACEA record);
BOOL ChooseFontA(LPCHOOSEFONTA record);
BOOL PrintDlgA(LPPRINTDLGA record);
DWORD CommDlgExtendedError();
// Whether the common dialog library has been loaded by one of the calls above.
bool CommonDialogsLoaded();

UINT DragQueryFileA(HDROP drop, UINT index, LPSTR name, UINT size);
void DragFinish(HDROP drop);

}  // namespace tessel::deferred
