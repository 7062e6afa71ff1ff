// The quick-help text resource split into list-box lines, over any bytes.
// Checked: no entry is longer than the dialog's 127-character line buffer or
// holds a line feed or NUL, and the entries are, character for character, the
// finished lines before the first NUL, a CR before each LF dropped, long
// lines continued in the next entries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/check.h"
#include "ui/helplines.h"

namespace {

using tessel::helplines::kMaxLineLength;

std::vector<std::string> described(std::string_view text)
{
    std::vector<std::string> entries;
    std::string line;
    for (char c : text) {
        if (c == '\0') break;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t pos = 0;
        do {
            entries.push_back(line.substr(pos, kMaxLineLength));
            pos += kMaxLineLength;
        } while (pos < line.size());
        line.clear();
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = tessel::helplines::splitHelpLines(text);
    for (const auto& entry : entries) {
        REQUIRE(entry.size() <= kMaxLineLength);
        REQUIRE(entry.find('\n') == std::string::npos && entry.find('\0') == std::string::npos);
    }
    REQUIRE(entries == described(text));
    return 0;
}
