// The command table of the document module.
#pragma once
#include "core/command_win.h"

namespace tessel::document {

CommandTable Commands();

}  // namespace tessel::document
