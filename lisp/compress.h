// The compressor: a copy of AutoLISP text without comments, line ends and
// surplus blanks, in one pass that remembers the previous input character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::lisp {

// For each character, with the previous input character (every character,
// also one inside a comment; none at the start, which is no blank):
//  - blank or TAB: dropped after a blank, otherwise copied in code;
//  - CR or LF: starts code, never copied;  ";": starts a comment, not copied;
//  - "(" or ")": after a blank it takes the place of that blank in the
//    output (in code), otherwise it is copied in code;
//  - anything else: copied in code.
// The result is never longer than the text.
std::string compress(std::string_view text);

// The saving in percent, (1 - after / before) * 100 truncated toward zero;
// 0 for an empty text.
int savingPercent(std::size_t before, std::size_t after);

// The statistics message after the compressed file was written (code page
// 1252 text).
std::string compressStatistics(std::size_t before, std::size_t after);

}  // namespace tessel::lisp
