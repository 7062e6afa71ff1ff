#include "document/doccommands_win.h"

#include "core/shell_win.h"
#include "document/drop_win.h"
#include "document/filecommands_win.h"
#include "document/sysedit_win.h"
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
    {CMD_NEW, NewCommand},
    {CMD_OPEN, OpenCommand},
    {CMD_OPENPATH, OpenPathCommand},
    {CMD_SAVE, SaveCommand},
    {CMD_SAVEAS, SaveAsCommand},
    {CMD_MERGE, MergeCommand},
    {CMD_MERGEPATH, MergePathCommand},
    {CMD_DROPOPEN, DropModeCommand},
    {CMD_DROPTEXT, DropModeCommand},
    {CMD_DROPAPPEND, DropModeCommand},
    {CMD_DROPMERGE, DropModeCommand},
    {70, SysEditCommand},
    {71, SysEditCommand},
    {72, SysEditCommand},
    {73, SysEditCommand},
    {74, SysEditCommand},
    {75, SysEditCommand},
    {76, SysEditCommand},
    {77, SysEditCommand},
    {78, SysEditCommand},
    {79, SysEditCommand},
    {80, SysEditCommand},
    {81, SysEditCommand},
    {82, SysEditCommand},
    {83, SysEditCommand},
    {84, SysEditCommand},
    {85, SysEditCommand},
    {86, SysEditCommand},
    {CMD_RECENTMENU, recent::RebuildMenu},
    {CMD_RECENT0 + 0, recent::Reopen},
    {CMD_RECENT0 + 1, recent::Reopen},
    {CMD_RECENT0 + 2, recent::Reopen},
    {CMD_RECENT0 + 3, recent::Reopen},
};
static_assert(CMD_SYSEDIT_FIRST == 70 && CMD_SYSEDIT_LAST == 86);

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::document
