// Helpers shared by the dialogs and commands: centring, window text copy,
// file test, clipboard text transfer, and the icon painting every dialog does.
#pragma once
#include <windows.h>

namespace tessel::ui {

// Centres the window on the screen (a desktop wider than 4:3 counts as a 4:3
// area at its left edge).
void CentreWindow(HWND wnd);

// The window's whole text in new zero-filled movable global memory, locked;
// release with FreeWindowText. Null when no memory could be had.
char* CopyWindowText(HWND wnd);
void FreeWindowText(char* text);

// True when the file can be opened for reading.
bool FileTest(const char* path);

// Puts `length` characters of `text` on the clipboard as CF_TEXT; mode 10
// empties the clipboard first. 1 on success, 0 on failure.
int TransferToClipboard(HWND owner, const char* text, int length, int mode);

// The shared WM_PAINT of the dialogs: paints `icon` into the placeholder.
void PaintDialogIcon(HWND dialog, int placeholderId, HICON icon);

// The class icon of the window (the main window's icon for its dialogs).
HICON ClassIcon(HWND wnd);

}  // namespace tessel::ui
