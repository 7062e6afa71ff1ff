// The edit control's background and text colours: read from EDITCOLORS at
// start-up, painted through WM_CTLCOLOREDIT, written back at exit.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::colours {

void Load();                 // EDITCOLORS/BCOL and FCOL; equal colours mean the system's
void Save();                 // EDITCOLORS/BCOL and FCOL as "0x%08lX"
void Release();              // the edit brush

COLORREF Background();
COLORREF Text();
void Set(COLORREF background, COLORREF text);
void RepaintEdit(HWND edit);

// WM_CTLCOLOREDIT of the main window for its edit control; with the system's
// colours the default handling answers.
LRESULT OnCtlColorEdit(HWND main, HWND edit, WPARAM wParam, LPARAM lParam);

// Commands 42 (background colour) and 43 (text colour) through the colour
// chooser; the edit control is repainted whatever the answer.
command::CommandTable Commands();

}  // namespace tessel::colours
