// Command dispatch of the main window: one table from command ids to the
// handlers of the modules that carry them.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::commands {

LRESULT DispatchCommand(HWND main, WPARAM wParam, LPARAM lParam);
void InitMenuPopup(HMENU popup, int position);

// Registered and DDE messages and file drops, handed on to their modules.
bool HandleOtherMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace tessel::commands
