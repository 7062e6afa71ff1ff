// The compressor: a copy of an AutoLISP program without comments, line ends
// and surplus blanks that reads as exactly the same tokens.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::compress {

// The tokens of the text (lisp/reader.h), comments left out, each copied
// byte for byte (strings whole), on one line. Two tokens that stood apart get
// one blank between them unless they cannot join: nothing goes next to a
// bracket or behind a quote "'". Tokens that touched in the text still
// touch. A string or block comment left open at the end is copied as it
// stands. The result is never longer than the text, and compressing it
// again gives it back unchanged.
std::string compress(std::string_view text);

// The saving in percent, (1 - after / before) * 100 truncated toward zero;
// 0 for an empty text.
int savingPercent(std::size_t before, std::size_t after);

// The statistics message after the compressed file was written (code page
// 1252 text).
std::string compressStatistics(std::size_t before, std::size_t after);

}  // namespace tessel::compress
