// The text-block dialog AUTOTEXT behind command 48: stores the selection as a
// named block, or inserts a stored block at the caret.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::textblocks {

// Command 48. lParam: the text-block file to use, or 0 for the one beside
// the program.
command::CommandTable Commands();

}  // namespace tessel::textblocks
