// Printing the document (command 14): the platform's print dialog, then the
// text line by line on the chosen printer while a small box offers to cancel.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::print {

// 1 when the job completed or the print dialog was cancelled, 0 when printing
// failed or the user cancelled the job.
int Print(HWND main, HWND edit, const char* title);

// Command 14; on 0 it shows "Fehler beim Drucken von %s!".
command::CommandTable Commands();

}  // namespace tessel::print
