// The program starter's command line and its settings keys.
#pragma once

#include <cstddef>

#include "resources/ids.h"
#include <string>
#include <string_view>

namespace tessel::starter {

constexpr const char* kSection = "PRGSTART";
constexpr int kFirstButton = IDC_STARTER_FIRST;
constexpr int kLastButton = IDC_STARTER_LAST;
constexpr std::size_t kCommandLineBufferSize = 384;  // the binding is read with this

// The command line that starts `binding` (the program bound to the button)
// with `filePath`: the binding, one blank, the file path.  A path that holds a
// blank is put in double quotes, so "C:\PROGRAM FILES\X\X.EXE" starts that
// program and not C:\PROGRAM.EXE; a path without blanks, or one already in
// quotes, is taken as it is.  The line is never cut, whatever its length.  An
// empty binding gives the empty string: nothing is to be started.
std::string commandLine(std::string_view binding, std::string_view filePath);

}  // namespace tessel::starter
