// The file commands of the document: New, Open, Save, Save As and Merge,
// with the document dialogs and the messages each result stands for.
#pragma once
#include <windows.h>

namespace tessel::filecommands {

LRESULT NewCommand(HWND main, unsigned, LPARAM);        // 10
LRESULT OpenCommand(HWND main, unsigned, LPARAM);       // 11
LRESULT OpenPathCommand(HWND main, unsigned, LPARAM);   // 9, lParam = path
LRESULT SaveCommand(HWND main, unsigned, LPARAM);       // 12: 1 written, 0 not
LRESULT SaveAsCommand(HWND main, unsigned, LPARAM);     // 13: 1 written, 0 not
LRESULT MergeCommand(HWND main, unsigned, LPARAM);      // 16
LRESULT MergePathCommand(HWND main, unsigned, LPARAM);  // 17, lParam = path or null

}  // namespace tessel::filecommands
