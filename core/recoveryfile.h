// The small checked file that carries a document's text outside the document:
// the recovery file written while there are unsaved changes, and the backup a
// save writes before it touches the document. Both hold the document's path,
// its modified state and its text.
//
// Layout (numbers little-endian):
//   0  8 bytes  magic "\x89TSL\r\n\x1A\n" (a transfer that changes line ends
//               or cuts at ^Z breaks it)
//   8  1 byte   version, 1
//   9  1 byte   kind: 'R' recovery file, 'B' backup of a save
//  10  1 byte   flags: bit 0 = modified; the other bits are 0
//  11  1 byte   0
//  12  4 bytes  path length P (at most kMaxPath)
//  16  4 bytes  text length T (at most kMaxText)
//  20  P bytes  path, then T bytes text (neither holds a NUL)
//  20+P+T 4 bytes  CRC-32 of every byte before it
// The file is exactly 24 + P + T bytes long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/limits.h"

namespace tessel::recoveryfile {

enum class Kind : char { kRecovery = 'R', kBackup = 'B' };

struct Record {
    Kind kind = Kind::kRecovery;
    bool modified = true;
    std::string path;   // "" for an untitled document
    std::string text;
};

constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kMaxPath = limits::kMaxPath;
// The largest text a document can hold (a loaded file stays below 32500
// bytes); anything longer was not written by us.
constexpr std::size_t kMaxText = 65535;
constexpr std::size_t kMaxFileSize = kHeaderSize + kMaxPath + kMaxText + 4;

// The file's bytes; the path and text are cut to their limits.
std::string Encode(const Record& record);

enum class ReadResult {
    kRead,
    kForeign,   // not our magic or another version
    kDamaged,   // ours, but cut short, changed or inconsistent
};

// Reads `bytes` into `out` only when everything checks.
ReadResult Decode(std::string_view bytes, Record& out);

// The recovery file is rewritten in place, so a program stopped between
// writing a shorter record and cutting the file leaves the end of the longer
// one behind it. Reads the record at the start of `bytes` as Decode does and
// ignores such leftovers.
ReadResult DecodeRewritten(std::string_view bytes, Record& out);

std::uint32_t Crc32(std::string_view bytes);

}  // namespace tessel::recoveryfile
