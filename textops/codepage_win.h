// DOS <-> Windows character set conversion of the whole text (commands 33, 34).
#pragma once
#include <windows.h>

namespace tessel::codepage {

// Converts the edit control's text, writes it back and marks the document
// modified; without memory for the copy the text stays as it is.
void DosToWin(HWND edit);
void WinToDos(HWND edit);

}  // namespace tessel::codepage
