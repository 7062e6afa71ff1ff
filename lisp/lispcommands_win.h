// The command table of the AutoLISP tools: templates, Next Defun, the
// variable list, the program environment, the bracket test and the
// compressor, the load into AutoCAD and the jump to a definition.
#pragma once
#include "core/command_win.h"

namespace tessel::lispcommands {

command::CommandTable Commands();

}  // namespace tessel::lispcommands
