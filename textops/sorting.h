// Sorting the lines of a selection, lexicographically or by the number each
// line starts with, ascending or descending. Pure: computes the one
// replacement the command makes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::sorting {

constexpr std::size_t kMaxLines = 4096;

// What DLGSORTMYTEXT returns.
struct SortOptions {
    bool numeric = false;
    bool descending = false;
};

// The number a line starts with: leading white space, an optional sign,
// digits with an optional decimal point and fraction, an optional exponent.
// Reading stops at the first character that does not fit; a line that does
// not start with a number reads 0. No "inf", "nan", hex or decimal comma.
// Beyond the range of a double the value is +-infinity.
double readNumber(std::string_view line);

// Unsigned bytes; a prefix comes first.
int compareBytes(std::string_view a, std::string_view b);

// The order of two lines: numeric by value unless both read 0, when their
// bytes decide. Negative, 0 or positive.
int compareLines(std::string_view a, double va, std::string_view b, double vb, bool numeric);

// The lines in sorted order: stable, each number read once; descending is
// the ascending order reversed (equal lines come out reversed too).
std::vector<std::string_view> sortLines(const std::vector<std::string_view>& lines, SortOptions options);

enum class SortStatus {
    Sorted,        // the replacement below is to be made
    OneLine,       // the selection lies within one line: nothing happens
    TooManyLines,  // more than kMaxLines lines: refused
};

struct SortResult {
    SortStatus status = SortStatus::OneLine;
    std::size_t replaceStart = 0;  // the span of the text that gets the block
    std::size_t replaceEnd = 0;
    std::string block;
    std::size_t caret = 0;         // behind the block, in the new text
};

// Sorts the lines from the selection start's line to the selection end's
// line. Empty lines are dropped. A selection ending at the start of a line
// leaves that line out and the block ends with CR LF. Whole lines are
// replaced: from the first line's start to the end of the last line (or to
// the selection end in the case above), so a selection starting or ending
// inside a line loses nothing.
SortResult sortSelection(std::string_view text, std::size_t selStart, std::size_t selEnd, SortOptions options);

}  // namespace tessel::sorting
