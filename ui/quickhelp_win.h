// The quick-help dialog QUICKHELP: a text resource shown line by line.
#pragma once
#include <windows.h>

namespace tessel::quickhelp {

// 1 after the user closed it, 0 when the text resource cannot be loaded.
int ShowQuickHelp(HWND owner, const char* resourceName, const char* title);

}  // namespace tessel::quickhelp
