// The main window of class "Tessel32" and the application state it owns.
#pragma once
#include <windows.h>

namespace tessel::mainwindow {


// Registers the class (when there is no previous instance), creates the main
// window, adds "Immer im Vordergrund" to the system menu, shows the window,
// sends the start-up command and opens the file named on the command line.
// Returns the main window, or null when it could not be created.
HWND StartApplication(HINSTANCE instance, HINSTANCE previous, const char* cmdLine, int show);

// Runs the message loop until WM_QUIT; returns its wParam.
int RunMessageLoop();

// The message-loop step for one message (find/replace dialog, accelerators,
// dispatch); the GUI tests pump their messages through it.
void ProcessMessage(MSG& msg);

// After the loop: releases what the entry point created.
void EndApplication();

// Always-on-top state: 1 normal, -1 on top.
int TopmostState();

// Window-size and topmost commands, carried by the main window.
void SaveWindowSizeCommand();
void ResetWindowSizeCommand();
void LoadWindowSizeCommand();
void RestoreTopmostCommand();  // WINPOSITION/TOPMOST -1: always on top

}  // namespace tessel::mainwindow
