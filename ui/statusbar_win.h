// The status line: its text ("Zeile : %u - Spalte : %u               %d Byte")
// and the refresh of the status bar window that shows it.
#pragma once
#include <windows.h>

namespace tessel::statusbar {

constexpr char kStartText[] = "Zeile : 1 - Spalte : 1";

// The status text (at most 63 characters).
const char* Text();
void SetText(const char* text);

// Formats the status text for a caret position and a text size.
void Format(char (&out)[64], unsigned line, unsigned column, int bytes);

// Command 600: rewrites the text from the edit control's caret.
void Update(HWND edit);

}  // namespace tessel::statusbar
