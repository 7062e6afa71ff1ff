#include "textops/lineops.h"

#include <algorithm>
#include <utility>

namespace tessel::lineops {

using lineframe::LineEdit;

LineOp insertAtStart(std::string text)
{
    return [text = std::move(text)](std::string_view, unsigned, bool) { return LineEdit{0, 0, text}; };
}

LineOp insertAtEnd(std::string text)
{
    return [text = std::move(text)](std::string_view line, unsigned, bool) {
        return LineEdit{line.size(), 0, text};
    };
}

std::string counterText(std::string_view left, unsigned short value, std::string_view right)
{
    std::string s;
    s.reserve(left.size() + 5 + right.size());
    s.append(left);
    s.append(std::to_string(value));
    s.append(right);
    return s;
}

LineOp counter(std::string left, unsigned short start, std::string right, bool atEnd)
{
    return [left = std::move(left), start, right = std::move(right), atEnd](std::string_view line, unsigned index,
                                                                            bool) {
        const auto value = static_cast<unsigned short>(start + index);
        return LineEdit{atEnd ? line.size() : 0, 0, counterText(left, value, right)};
    };
}

LineOp removeAtStart(std::size_t count)
{
    return [count](std::string_view line, unsigned, bool) {
        return LineEdit{0, std::min(count, line.size()), {}};
    };
}

LineOp removeAtEnd(std::size_t count)
{
    return [count](std::string_view line, unsigned, bool isFinal) {
        if (isFinal) return LineEdit{};
        const std::size_t n = std::min(count, line.size());
        return LineEdit{line.size() - n, n, {}};
    };
}

LineOp removeLeadingBlanks()
{
    return [](std::string_view line, unsigned, bool) {
        std::size_t n = line.find_first_not_of(' ');
        return LineEdit{0, n == std::string_view::npos ? line.size() : n, {}};
    };
}

LineOp removeTrailingBlanks()
{
    return [](std::string_view line, unsigned, bool isFinal) {
        if (isFinal) return LineEdit{};
        std::size_t keep = line.find_last_not_of(' ');
        keep = keep == std::string_view::npos ? 0 : keep + 1;
        return LineEdit{keep, line.size() - keep, {}};
    };
}

LineOp cutFromChar(char k)
{
    return [k](std::string_view line, unsigned, bool) {
        const std::size_t p = line.find(k);
        if (p == std::string_view::npos) return LineEdit{};
        return LineEdit{p, line.size() - p, {}};
    };
}

LineOp indentTwo() { return insertAtStart("  "); }
LineOp outdentTwo() { return removeAtStart(2); }
LineOp insertLispComment() { return insertAtStart("; "); }

LineOp comment(std::string prefix) { return insertAtStart(std::move(prefix)); }
LineOp uncomment(std::string_view prefix) { return removeAtStart(prefix.size()); }

unsigned short parseCount(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    unsigned value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = (value * 10 + static_cast<unsigned>(field[i] - '0')) & 0xFFFFu;
    return static_cast<unsigned short>(value);
}

char cutCharFromField(std::string_view field) { return field.empty() ? '\0' : field.front(); }

std::string commentPrefix(int choiceId, std::string_view freeText)
{
    switch (choiceId) {
    case kCommentRem: return "REM ";
    case kCommentSemicolon: return "; ";
    case kCommentSlashes: return "// ";
    case kCommentApostrophe: return "' ";
    case kCommentFree: {
        std::string p(freeText.substr(0, kFreeCommentMax));
        p.push_back(' ');
        return p;
    }
    default: return {};
    }
}

}  // namespace tessel::lineops
