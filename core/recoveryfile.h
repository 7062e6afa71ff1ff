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
#include <vector>

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

// The recovery file is rewritten in place (the open handle marks which
// program owns it), in steps that keep a whole record in it at every moment:
// the new record is written after what the file holds (and after where the
// new record will end), then over its start, then the file is cut after it.
// Each step is flushed before the next.
struct WriteStep {
    std::size_t offset;
    std::string bytes;   // empty: the file is cut at `offset`
};

// The steps that put `record` into a file of `fileSize` bytes. A file longer
// than one record can be (nothing this program left) is cut first.
std::vector<WriteStep> RewriteSteps(std::size_t fileSize, const std::string& record);

// The largest file those steps leave, even when one of them failed.
constexpr std::size_t kMaxRewrittenSize = 2 * kMaxFileSize;

// Reads a file written by those steps, stopped after any of them or in the
// middle of one: the last whole record in it, which is the newest.
ReadResult DecodeRewritten(std::string_view bytes, Record& out);

std::uint32_t Crc32(std::string_view bytes);

}  // namespace tessel::recoveryfile
