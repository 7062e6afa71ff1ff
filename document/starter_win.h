// The program starter EDITSTARTER: offers the programs bound to its six
// buttons for a file too big for the edit control.
#pragma once
#include <windows.h>

namespace tessel::starter {

// Shows the starter for `filePath`; a bound button starts its program with
// the file (and closes the main window when the check box says so).
void Run(HWND main, const char* filePath);

}  // namespace tessel::starter
