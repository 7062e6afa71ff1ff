#include "document/doccommands_win.h"

#include "core/shell_win.h"
#include "document/drop_win.h"
#include "document/filecommands_win.h"
#include "document/sysedit_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"

namespace tessel::document {
namespace {

// The drop-action commands follow the actions' order.
LRESULT ChooseDropAction(HWND, unsigned id, LPARAM) {
    SetDropMode(static_cast<DropAction>(id - DropActionCommand(kDropOpen)));
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
    {DropActionCommand(kDropOpen), ChooseDropAction, DropActionCommand(kDropMerge)},
    {CMD_SYSEDIT_FIRST, SysEditCommand, CMD_SYSEDIT_LAST},
    {CMD_RECENTMENU, recent::RebuildMenu},
    {CMD_RECENT0, recent::Reopen, CMD_RECENT3},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::document
