// The column commands: fill lines with blanks to a width, copy a range of
// character positions to the front or back of each line, cap lines to a width.
// Each is an operation for the line frame (lineframe.h).
#pragma once

#include "textops/lineframe.h"

#include <cstddef>
#include <string>

namespace tessel::columnops {

using lineframe::LineOp;

// At most this many blanks are inserted into one line by a fill.
constexpr std::size_t kMaxFill = 255;

// Fill a line of length L with W - L blanks at its start (front) or end (back)
// when that is 1 to 255 blanks; otherwise, and on the final line, the line
// stays unchanged.
LineOp fillFront(unsigned short width);
LineOp fillBack(unsigned short width);

// Whether begin/end (1-based, inclusive) name a range the column copy works on:
// both non-zero and begin < end.
bool columnRangeValid(unsigned short begin, unsigned short end);

// Copy the characters begin..end (1-based, inclusive) of each line followed by
// separator to the line start (front), or separator followed by them to the line
// end (back).  Nothing happens on any line when the range is not valid; lines
// shorter than end and the final line stay unchanged.  Lines of any length are
// handled whole.
LineOp copyColumnsFront(unsigned short begin, unsigned short end, std::string separator);
LineOp copyColumnsBack(unsigned short begin, unsigned short end, std::string separator);

// Cap lines longer than width: front keeps the last width characters, back the
// first width characters.  The final line is capped like the others.
LineOp capFront(unsigned short width);
LineOp capBack(unsigned short width);

}  // namespace tessel::columnops
