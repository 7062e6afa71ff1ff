// The one whole-file reader: documents, merged files, text blocks, the
// settings file, backups and the recovery file are all read through it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tessel::readfile {

enum class Result {
    kRead,
    kNotFound,    // no such file (or folder on its way)
    kCannotOpen,  // there, but it cannot be opened (held, denied, a folder)
    kTooBig,      // longer than the caller takes
    kNoMemory,
    kReadError,   // opened, but not read to its end
};

// Reads an open file whole, from its first byte; every byte count is checked.
Result ReadAll(HANDLE file, std::string& out, std::uint64_t maxSize);

// Opens `path` for reading, sharing `share` with other programs, and reads it
// whole. `out` is left empty unless the result is kRead.
Result ReadPath(const char* path, std::string& out, std::uint64_t maxSize, DWORD share = FILE_SHARE_READ);

}  // namespace tessel::readfile
