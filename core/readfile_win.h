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

// What to do with a file longer than the caller takes.
enum class Longer {
    kRefuse,  // kTooBig, nothing read
    kPrefix,  // its first maxSize bytes, kRead
};

// Reads an open file whole, from its first byte; every byte count is checked.
// After a read error `out` holds the bytes read before it.
Result ReadAll(HANDLE file, std::string& out, std::uint64_t maxSize, Longer longer = Longer::kRefuse);

// Opens `path` for reading, sharing `share` with other programs, and reads it
// as ReadAll does.
Result ReadPath(const char* path, std::string& out, std::uint64_t maxSize, DWORD share = FILE_SHARE_READ,
                Longer longer = Longer::kRefuse);

}  // namespace tessel::readfile
