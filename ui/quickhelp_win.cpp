#include "ui/quickhelp_win.h"

namespace tessel::ui {

int ShowQuickHelp(HWND, const char*, const char*) { return 0; }

}  // namespace tessel::ui
