// The program-environment dialog PROGLISPDLG: the functions a program
// defines, the DCL files it loads and the DCL dialogs it opens, in three
// sorted lists; a double click on a function jumps to its definition.
#pragma once
#include <windows.h>

#include "lisp/scan.h"

namespace tessel::environment {

// Shows the dialog over `owner` with the lists of `env`. A double click on a
// function sends command 40013 with the entry to the main window.
void ShowEnvironment(HWND owner, scan::Environment& env);

}  // namespace tessel::environment
