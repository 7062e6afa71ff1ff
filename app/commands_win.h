// Command dispatch of the main window: one table from command ids to the
// handlers of the modules that carry them.
#pragma once
#include <windows.h>
#include <cstddef>

namespace tessel {

// `id` is the command id, so that one handler can serve a range of commands.
using CommandHandler = LRESULT (*)(HWND main, unsigned id, LPARAM arg);

struct CommandEntry {
    unsigned id;
    CommandHandler run;
    bool readsCapacity;  // a line operation: the capacity flag is cleared after it
};

struct CommandTable {
    const CommandEntry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr CommandTable MakeTable(const CommandEntry (&entries)[N]) {
    return {entries, N};
}

LRESULT DispatchCommand(HWND main, WPARAM wParam, LPARAM lParam);
void InitMenuPopup(HMENU popup, int position);

// Registered and DDE messages and file drops, handed on to their modules.
bool HandleOtherMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Rewrites the status text from the caret position and refreshes the status bar.
void UpdateStatus();

// Formats the status text; pure enough to test on its own.
void FormatStatus(char (&out)[64], unsigned line, unsigned column, int bytes);

// Window-size and topmost commands, carried by the main window.
void SaveWindowSizeCommand();
void ResetWindowSizeCommand();
void LoadWindowSizeCommand();
void ToggleTopmostCommand();

}  // namespace tessel
