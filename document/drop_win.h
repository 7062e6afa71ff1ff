// Files dropped on the main window, the Sysedit menu and the INI combobox.
#pragma once
#include <windows.h>
#include <shellapi.h>

namespace tessel::document {

// Drop mode 0..3 (open, names as new text, names at the caret, merge).
int DropMode();
void SetDropMode(int mode);

void HandleDrop(HWND main, HDROP drop);   // WM_DROPFILES, by the current drop mode
void FillIniCombo();                      // start-up: the INI files of the Windows directory
void OpenSelectedIniFile();               // CBN_SELCHANGE of the combobox

}  // namespace tessel::document
