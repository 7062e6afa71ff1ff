// The about box ABOUTBOX32 (command 51) and the launcher of the system
// information program.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::about {

// Shows the modal about box: the name line in large bold italic type, the
// description, the program's version, the system lines, the picture, the
// legal notice and "Systeminfo...". `title` (or null) replaces the caption. 1.
int ShowAboutBox(HWND owner, const char* name, const char* description, const char* title);

// Starts the system information program found through the registry: 1 when
// started; otherwise says it is not available and returns 0.
int LaunchSystemInfo();

// Command 51.
command::CommandTable Commands();

}  // namespace tessel::about
