// The command table of the document module.
#pragma once
#include "core/command_win.h"

namespace tessel::doccommands {

command::CommandTable Commands();

}  // namespace tessel::doccommands
