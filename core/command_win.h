// The command-table type: each module lists its commands in one table, and
// the dispatcher searches the tables in turn. Included by every module that
// carries commands; includes no subsystem.
#pragma once
#include <windows.h>
#include <cstddef>

namespace tessel::command {

// `id` is the command id, so that one handler can serve a range of commands.
using CommandHandler = LRESULT (*)(HWND main, unsigned id, LPARAM arg);

// An entry serves its id, or the range id..last when one handler serves a
// run of ids (last 0: the id alone).
struct CommandEntry {
    unsigned id;
    CommandHandler run;
    unsigned last = 0;
    constexpr bool Serves(unsigned command) const { return command == id || (command > id && command <= last); }
};

struct CommandTable {
    const CommandEntry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr CommandTable MakeTable(const CommandEntry (&entries)[N]) {
    return {entries, N};
}

}  // namespace tessel::command
