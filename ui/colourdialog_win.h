// The colour chooser COLORDLG16: twenty fixed colour fields, a click makes a
// field's colour the current one, "&OK" hands it back.
#pragma once
#include <windows.h>

namespace tessel::colourdialog {

// 1 when confirmed (`colour` gets the current colour), 0 when cancelled, -1
// when the dialog could not be created; on 0 and -1 `colour` keeps its value.
// A null title keeps the caption of the previous call.
int ChooseColour(HWND owner, COLORREF& colour, const char* title);

}  // namespace tessel::colourdialog
