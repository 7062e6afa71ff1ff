#include "document/doccommands_win.h"

#include "app/mainwindow_win.h"
#include "document/files_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"

namespace tessel::document {
namespace {

// 55..58: the drop mode, in the menu's order of ids.
LRESULT DropModeCommand(HWND, unsigned id, LPARAM) {
    switch (id) {
    case CMD_DROPOPEN: SetDropMode(0); break;
    case CMD_DROPTEXT: SetDropMode(1); break;
    case CMD_DROPAPPEND: SetDropMode(2); break;
    case CMD_DROPMERGE: SetDropMode(3); break;
    default: break;
    }
    return 0;
}

constexpr CommandEntry kCommands[] = {
    {CMD_NEW, NewCommand, false},
    {CMD_OPEN, OpenCommand, false},
    {CMD_OPENPATH, OpenPathCommand, false},
    {CMD_SAVE, SaveCommand, false},
    {CMD_SAVEAS, SaveAsCommand, false},
    {CMD_MERGE, MergeCommand, false},
    {CMD_MERGEPATH, MergePathCommand, false},
    {CMD_DROPOPEN, DropModeCommand, false},
    {CMD_DROPTEXT, DropModeCommand, false},
    {CMD_DROPAPPEND, DropModeCommand, false},
    {CMD_DROPMERGE, DropModeCommand, false},
    {70, SysEditCommand, false},
    {71, SysEditCommand, false},
    {72, SysEditCommand, false},
    {73, SysEditCommand, false},
    {74, SysEditCommand, false},
    {75, SysEditCommand, false},
    {76, SysEditCommand, false},
    {77, SysEditCommand, false},
    {78, SysEditCommand, false},
    {79, SysEditCommand, false},
    {80, SysEditCommand, false},
    {81, SysEditCommand, false},
    {82, SysEditCommand, false},
    {83, SysEditCommand, false},
    {84, SysEditCommand, false},
    {85, SysEditCommand, false},
    {86, SysEditCommand, false},
    {CMD_RECENTMENU, recent::RebuildMenu, false},
    {CMD_RECENT0 + 0, recent::Reopen, false},
    {CMD_RECENT0 + 1, recent::Reopen, false},
    {CMD_RECENT0 + 2, recent::Reopen, false},
    {CMD_RECENT0 + 3, recent::Reopen, false},
};
static_assert(CMD_SYSEDIT_FIRST == 70 && CMD_SYSEDIT_LAST == 86);

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::document
