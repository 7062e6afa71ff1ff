#include "document/doccommands_win.h"

#include "core/shell_win.h"
#include "document/drop_win.h"
#include "document/filecommands_win.h"
#include "document/sysedit_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"

namespace tessel::doccommands {
namespace {

// The drop-action commands follow the actions' order.
LRESULT ChooseDropAction(HWND, unsigned id, LPARAM) {
    drop::SetDropMode(static_cast<drop::DropAction>(id - drop::DropActionCommand(drop::kDropOpen)));
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_NEW, filecommands::NewCommand},
    {CMD_OPEN, filecommands::OpenCommand},
    {CMD_OPENPATH, filecommands::OpenPathCommand},
    {CMD_SAVE, filecommands::SaveCommand},
    {CMD_SAVEAS, filecommands::SaveAsCommand},
    {CMD_MERGE, filecommands::MergeCommand},
    {CMD_MERGEPATH, filecommands::MergePathCommand},
    {drop::DropActionCommand(drop::kDropOpen), ChooseDropAction, drop::DropActionCommand(drop::kDropMerge)},
    {CMD_SYSEDIT_FIRST, sysedit::SysEditCommand, CMD_SYSEDIT_LAST},
    {CMD_RECENTMENU, recent::RebuildMenu},
    {CMD_RECENT0, recent::Reopen, CMD_RECENT3},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::doccommands
