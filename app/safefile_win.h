// Writing a whole file so that a failure never costs the old one: the bytes
// go into a new file beside the target first, and only once every byte is on
// the disk does that file take the target's place. Includes no subsystem.
#pragma once
#include <windows.h>

#include <cstddef>

namespace tessel::safefile {

// True when `path` now holds exactly `length` bytes of `data`. On false the
// old file is as it was and no temporary file is left behind. The replaced
// file keeps its attributes. A read-only file is not replaced (false).
bool Replace(const char* path, const char* data, std::size_t length);

}  // namespace tessel::safefile
