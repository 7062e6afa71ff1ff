#include "textops/columnops.h"

#include <utility>

namespace tessel::columnops {

using lineframe::LineEdit;

namespace {

LineOp fill(unsigned short width, bool atEnd)
{
    return [width, atEnd](std::string_view line, unsigned, bool isFinal) {
        if (isFinal || line.size() >= width) return LineEdit{};
        const std::size_t n = width - line.size();
        if (n > kMaxFill) return LineEdit{};
        return LineEdit{atEnd ? line.size() : 0, 0, std::string(n, ' ')};
    };
}

LineOp copyColumns(unsigned short begin, unsigned short end, std::string separator, bool atEnd)
{
    const bool valid = columnRangeValid(begin, end);
    return [valid, begin, end, separator = std::move(separator), atEnd](std::string_view line, unsigned,
                                                                        bool isFinal) {
        if (!valid || isFinal || line.size() < end) return LineEdit{};
        const std::string_view columns = line.substr(begin - 1u, static_cast<std::size_t>(end - begin) + 1);
        std::string insert;
        insert.reserve(columns.size() + separator.size());
        if (atEnd) {
            insert.append(separator).append(columns);
            return LineEdit{line.size(), 0, std::move(insert)};
        }
        insert.append(columns).append(separator);
        return LineEdit{0, 0, std::move(insert)};
    };
}

}  // namespace

LineOp fillFront(unsigned short width) { return fill(width, false); }
LineOp fillBack(unsigned short width) { return fill(width, true); }

bool columnRangeValid(unsigned short begin, unsigned short end) { return begin != 0 && end != 0 && begin < end; }

LineOp copyColumnsFront(unsigned short begin, unsigned short end, std::string separator)
{
    return copyColumns(begin, end, std::move(separator), false);
}

LineOp copyColumnsBack(unsigned short begin, unsigned short end, std::string separator)
{
    return copyColumns(begin, end, std::move(separator), true);
}

LineOp capFront(unsigned short width)
{
    return [width](std::string_view line, unsigned, bool) {
        if (line.size() <= width) return LineEdit{};
        return LineEdit{0, line.size() - width, {}};
    };
}

LineOp capBack(unsigned short width)
{
    return [width](std::string_view line, unsigned, bool) {
        if (line.size() <= width) return LineEdit{};
        return LineEdit{width, line.size() - width, {}};
    };
}

}  // namespace tessel::columnops
