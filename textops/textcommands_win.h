// The command table of the text operations.
#pragma once
#include "core/command_win.h"

namespace tessel::textcommands {

command::CommandTable Commands();

}  // namespace tessel::textcommands
