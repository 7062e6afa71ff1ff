// The handles every subsystem needs: the instance, the main window and its
// two children. The main window attaches them at creation; anyone may read
// them. This file includes no subsystem.
#pragma once
#include "core/limits.h"
#include <windows.h>

namespace tessel::shell {


HINSTANCE Instance();
HWND MainWindow();
HWND EditControl();
HWND IniCombo();

// Called by the main window: at WM_CREATE with its handles, at the end with nulls.
void Attach(HINSTANCE instance, HWND main, HWND edit, HWND combo);

// Tells the main window that the text changed, as the edit control's own
// EN_UPDATE does: whole-text commands call it after SetWindowText, which the
// edit control does not report.
void NotifyTextChanged();

// Sends an internal command to the main window (WM_COMMAND, synchronously).
// The commands that take a string in `arg` must be sent through here.
LRESULT SendCommand(unsigned id, LPARAM arg = 0);

// Whether `arg`, the lParam of the WM_COMMAND being handled, is a pointer the
// program passed itself through SendCommand. Any other program can post or
// send WM_COMMAND with any number in lParam; that number is no address of
// ours. A handler that reads a string from lParam asks first thing, once.
bool OwnArgument(LPARAM arg);

}  // namespace tessel::shell
