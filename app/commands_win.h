// Command dispatch of the main window: one table from command ids to the
// handlers of the modules that carry them.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel {

LRESULT DispatchCommand(HWND main, WPARAM wParam, LPARAM lParam);
void InitMenuPopup(HMENU popup, int position);

// Registered and DDE messages and file drops, handed on to their modules.
bool HandleOtherMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Window-size and topmost commands, carried by the main window.
void SaveWindowSizeCommand();
void ResetWindowSizeCommand();
void LoadWindowSizeCommand();
void RestoreTopmostCommand();  // WINPOSITION/TOPMOST -1: always on top

}  // namespace tessel
