#include "document/doccommands_win.h"

#include "document/recent_win.h"
#include "resources/ids.h"

namespace tessel::document {
namespace {

constexpr CommandEntry kCommands[] = {
    {CMD_RECENTMENU, recent::RebuildMenu, false},
    {CMD_RECENT0 + 0, recent::Reopen, false},
    {CMD_RECENT0 + 1, recent::Reopen, false},
    {CMD_RECENT0 + 2, recent::Reopen, false},
    {CMD_RECENT0 + 3, recent::Reopen, false},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::document
