// The DDE client that makes a running AutoCAD load the document: broadcast
// initiates for the AutoCAD service names with topic "System", one execute,
// then the terminate at once. The module owns its conversation; the main
// window hands it WM_DDE_ACK and WM_DDE_TERMINATE through HandleMessage.
#pragma once
#include <windows.h>

namespace tessel::lisp::dde {

enum class LoadResult {
    sent,          // the execute and the terminate were posted
    noConnection,  // no server answered, or the server could not be reached
    outOfMemory,   // no memory for the command block
};

// Connects and sends the execute text for `path` (which may be empty).
LoadResult LoadIntoAutoCad(HWND client, const char* path);

// WM_DDE_ACK and WM_DDE_TERMINATE of the main window: true when handled,
// with `result` set.
bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace tessel::lisp::dde
