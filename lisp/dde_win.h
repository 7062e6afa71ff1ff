// The DDE client that makes a running AutoCAD load the document: initiates
// for the AutoCAD service names with topic "System" to every top-level
// window, one execute, then the terminate at once. The module owns its
// conversations; the main window hands it WM_DDE_ACK and WM_DDE_TERMINATE
// through HandleMessage and calls EndConversations when it is destroyed.
#pragma once
#include <windows.h>

namespace tessel::dde {

enum class LoadResult {
    sent,          // the execute and the terminate were posted
    noConnection,  // no server answered, or the server could not be reached
    outOfMemory,   // no memory for the command block
    windowClosed,  // the main window was closed while connecting: nothing to report
};

// Connects and sends the execute text for `path` (which may be empty).
LoadResult LoadIntoAutoCad(HWND client, const char* path);

// WM_DDE_ACK and WM_DDE_TERMINATE of the main window: true when handled,
// with `result` set.
bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The main window is being destroyed: every conversation that has not had
// our terminate gets it now, and the module forgets them all.
void EndConversations();

}  // namespace tessel::dde
