#include "textops/textcommands_win.h"

#include "textops/codepage_win.h"
#include "resources/ids.h"

namespace tessel::textops {
namespace {

constexpr CommandEntry kCommands[] = {
    {CMD_DOSTOWIN, DosToWin, false},
    {CMD_WINTODOS, WinToDos, false},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::textops
