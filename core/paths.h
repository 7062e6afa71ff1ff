// Path and value helpers of the settings file: the extension replacement that
// derives the settings, text-block and compressed-file paths from another
// path, the hexadecimal colour reader, and the directory part of a path.
#pragma once

#include "core/limits.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::paths {

// Largest parts the extension replacement handles.
constexpr std::size_t kMaxDriveLength = 31;
constexpr std::size_t kMaxDirectoryLength = limits::kMaxPath;
constexpr std::size_t kMaxBaseNameLength = 127;
constexpr std::size_t kMaxExtensionLength = 31;

// Replaces the extension of `path` by `newExtension` (given without the dot):
// the result is drive + directory + base name + "." + newExtension.
//
//  - Drive: up to and including the last ':' among the first four characters;
//    a colon at position 0 does not count.
//  - Extension: starts at the leftmost '.' among the last four characters, so
//    it is at most a dot and three characters; a path shorter than five
//    characters has none.  A dot that lies in the drive or in a directory name
//    (before the last backslash) is not an extension.
//  - Directory: after the drive up to and including the last backslash.
//  - Base name: what lies between the directory and the extension.
//
// Returns no value when a part is longer than its limit above or when the
// result would not fit a 256-byte path buffer (more than 255 characters).  A
// shortened name would name some other file, which the callers would then
// create or overwrite; they treat "no value" as "no such path".
std::optional<std::string> replaceExtension(std::string_view path,
                                            std::string_view newExtension);

// Reads a colour written as hexadecimal text ("0x00FF8040", "00FF8040",
// "ff"): the text is cut to 12 characters and upper-cased, then walked from
// its last character to its first with a place value that starts at 1 and is
// multiplied by 16 for each character.  Digits and A-F add their value times
// the place value (modulo 2^32); an X ends the walk with the sum so far; any
// other character makes the result 0.  An empty text gives 0.
std::uint32_t readHexColour(std::string_view text);

// The directory part of `filePath` (what PATHS/Open and PATHS/Save keep): up
// to and including its last backslash.  A path without a backslash has no
// directory and gives the empty string (stored as an empty value, so the file
// dialog starts in its default directory).
std::string directoryOf(std::string_view filePath);

}  // namespace tessel::paths
