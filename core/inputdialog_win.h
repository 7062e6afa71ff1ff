// The input dialog INPUT: asks the user for one line of text.
#pragma once
#include <windows.h>

namespace tessel::inputdialog {

// Icon selectors of the input dialog; any other value shows the owner's
// window-class icon.
constexpr int kInputIconInfo = -1503;  // "ICONINFO"
constexpr int kInputIconStop = -1502;  // "ICONSTOP"
constexpr int kInputIconQuestion = -1501;  // "ICONFRAG"

// Characters the edit field takes; the buffer needs one more for the NUL.
constexpr int kInputTextMax = 63;
constexpr int kInputBufferSize = kInputTextMax + 1;

// Shows INPUT owned by `owner`. `buffer` (at least kInputBufferSize bytes)
// holds the initial text and receives the text entered. Returns 1 for "&OK",
// 0 for cancel or close (the buffer is left as it was), -1 when the dialog
// could not be created.
int InputDialog(HWND owner, char* buffer, const char* prompt, const char* title, int iconSelector);

}  // namespace tessel::inputdialog
