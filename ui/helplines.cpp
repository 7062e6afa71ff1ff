#include "ui/helplines.h"

namespace tessel::helplines {

std::vector<std::string> splitHelpLines(std::string_view resource)
{
    // Everything from a NUL byte on is not part of the text.
    const std::size_t nul = resource.find('\0');
    if (nul != std::string_view::npos) resource = resource.substr(0, nul);

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = resource.find('\n', start);
        if (lf == std::string_view::npos) break;  // unfinished last line

        std::string_view line = resource.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (line.empty()) {
            lines.emplace_back();
        } else {
            for (std::size_t pos = 0; pos < line.size(); pos += kMaxLineLength)
                lines.emplace_back(line.substr(pos, kMaxLineLength));
        }
        start = lf + 1;
    }
    return lines;
}

}  // namespace tessel::helplines
