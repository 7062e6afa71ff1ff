// Splits the quick-help text resource into the lines of its list box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::helplines {

// The dialog's line buffer: 127 characters and a terminator.
constexpr std::size_t kLineBufferSize = 128;
constexpr std::size_t kMaxLineLength = kLineBufferSize - 1;

// Lines of `resource` (8-bit text, CR LF line ends, no terminator needed):
//  - every line ended by a LF is one entry; a CR directly before the LF is
//    dropped, so bare-LF text keeps all its characters and an empty line is an
//    empty entry;
//  - text after the last LF is not shown;
//  - a NUL byte ends the text (the unfinished line before it is not shown);
//  - a line longer than 127 characters is wrapped: it continues in the next
//    entries, 127 characters each, so nothing of the text is lost.
std::vector<std::string> splitHelpLines(std::string_view resource);

}  // namespace tessel::helplines
