// The command table of the text operations.
#pragma once
#include "core/command_win.h"

namespace tessel::textops {

CommandTable Commands();

}  // namespace tessel::textops
