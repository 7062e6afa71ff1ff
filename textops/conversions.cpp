#include "textops/conversions.h"

namespace tessel::conversions {

namespace {

bool hasCrLf(std::string_view text) { return text.find("\r\n") != std::string_view::npos; }

// Copies text, giving each byte the replacement map(c) returns (a view of what to
// append).  reserveFactor: the result is at most that many times the input.
template <typename Map>
std::string mapBytes(std::string_view text, std::size_t reserveFactor, Map map)
{
    std::string out;
    out.reserve(text.size() * reserveFactor);
    for (char c : text) map(out, c);
    return out;
}

}  // namespace

std::optional<std::string> dosToUnix(std::string_view text)
{
    if (text.empty() || !hasCrLf(text)) return std::nullopt;
    return mapBytes(text, 1, [](std::string& out, char c) {
        if (c == '\r') out.push_back('\n');
        else if (c != '\n') out.push_back(c);
    });
}

std::optional<std::string> unixToDos(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    return mapBytes(text, 2, [](std::string& out, char c) {
        if (c == '\n') out.append("\r\n");
        else out.push_back(c);
    });
}

std::optional<std::string> macToPc(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    return mapBytes(text, 2, [](std::string& out, char c) {
        if (c == '\r') out.append("\r\n");
        else out.push_back(c);
    });
}

std::optional<std::string> pcToMac(std::string_view text)
{
    if (text.empty() || !hasCrLf(text)) return std::nullopt;
    return mapBytes(text, 1, [](std::string& out, char c) {
        if (c != '\n') out.push_back(c);
    });
}

std::optional<std::string> crlfToBlank(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    return mapBytes(text, 1, [](std::string& out, char c) {
        if (c == '\n') out.push_back(' ');
        else if (c != '\r') out.push_back(c);
    });
}

std::optional<std::string> crlfToBlankComma(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    return mapBytes(text, 2, [](std::string& out, char c) {
        if (c == '\n') out.append(" ,");
        else if (c != '\r') out.push_back(c);
    });
}

std::optional<std::string> tabToTwoBlanks(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    return mapBytes(text, 2, [](std::string& out, char c) {
        if (c == '\t') out.append("  ");
        else out.push_back(c);
    });
}

std::string gpsConvertLine(std::string_view line, unsigned lineNumber1Based)
{
    std::string out = std::to_string(lineNumber1Based);
    out.reserve(out.size() + 1 + line.size());
    out.push_back(';');
    int commas = 0;
    for (char c : line) {
        if (c == ',') {
            if (++commas == 2) break;
            out.push_back(';');
        } else if (c == '.') {
            out.push_back(',');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

lineframe::FrameResult runGpsFrame(std::string_view text, std::size_t limit, bool capacityFlagAlreadySet)
{
    const unsigned count = lineframe::lineCount(text);
    if (count < 2) return {};
    const auto op = [](std::string_view line, unsigned index, bool) {
        return lineframe::LineEdit{0, line.size(), gpsConvertLine(line, index + 1)};
    };
    lineframe::FrameResult r = lineframe::runLineFrameOnLines(text, {0, count - 2}, op, limit, capacityFlagAlreadySet);
    r.caret = 0;
    return r;
}

}  // namespace tessel::conversions
