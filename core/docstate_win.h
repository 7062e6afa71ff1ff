// Read access to the document's path and modified flag for the modules that
// act on the document without owning it (the AutoLISP tools). The document
// module is attached by the main window at creation; this file includes no
// subsystem.
#pragma once

namespace tessel::docstate {

using PathSource = const char* (*)();
using FlagSource = bool (*)();

void Attach(PathSource path, FlagSource modified);

// The document path ("" for an untitled document or before attaching).
const char* Path();
bool Modified();

}  // namespace tessel::docstate
