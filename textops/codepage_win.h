// DOS <-> Windows character set conversion of the whole text (commands 33, 34).
#pragma once
#include <windows.h>

namespace tessel::textops {

LRESULT DosToWin(HWND main, unsigned id, LPARAM);
LRESULT WinToDos(HWND main, unsigned id, LPARAM);

}  // namespace tessel::textops
