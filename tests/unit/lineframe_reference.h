// The slow, obvious way to run a per-line operation: change the lines one
// after another, as EM_SETSEL + EM_REPLACESEL per line would, with the edit
// control's text limit.  The one-pass frame (textops/lineframe.h) must give
// exactly this; the unit tests and the fuzz target compare the two.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "textops/lineframe.h"

namespace lineframe_reference {

struct Reference {
    std::string text;
    bool hitLimit = false;
    std::size_t caret = 0;
};

// Lines first..last of the text as it is while the run goes on: an insertion
// holding a line break shifts the following lines, so the later line numbers
// address what the break pushed ahead.
inline Reference perLineOnLines(std::string text, unsigned first, unsigned last, const lineframe::LineOp& op,
                                std::size_t limit)
{
    Reference ref;
    for (unsigned i = first; i <= last; ++i) {
        std::size_t start = 0;
        bool beyond = false;
        for (unsigned k = 0; k < i; ++k) {
            const std::size_t b = text.find("\r\n", start);
            if (b == std::string::npos) {
                beyond = true;
                break;
            }
            start = b + 2;
        }
        if (beyond) break;  // no such line
        const std::size_t br = text.find("\r\n", start);
        const bool isFinal = br == std::string::npos;
        const std::size_t len = (isFinal ? text.size() : br) - start;
        const lineframe::LineEdit e = op(std::string_view(text).substr(start, len), i - first, isFinal);
        const std::size_t off = e.offset < len ? e.offset : len;
        const std::size_t rem = e.removeCount < len - off ? e.removeCount : len - off;
        std::string ins = e.insert;
        text.erase(start + off, rem);
        if (!ins.empty() && text.size() + ins.size() > limit) {
            ins.resize(text.size() < limit ? limit - text.size() : 0);
            ref.hitLimit = true;
        }
        text.insert(start + off, ins);
        ref.caret = start + off + ins.size();
        if (ref.hitLimit) break;
    }
    ref.text = text;
    return ref;
}

// The lines of a selection: from the line holding its lower end to the line
// holding its upper end (a selection ending at the very start of a line
// includes that line).
inline Reference perLine(std::string text, std::size_t selStart, std::size_t selEnd, const lineframe::LineOp& op,
                         std::size_t limit)
{
    auto lineOf = [&](std::size_t pos) {
        pos = pos < text.size() ? pos : text.size();
        unsigned line = 0;
        for (std::size_t b = text.find("\r\n"); b != std::string::npos && b + 2 <= pos; b = text.find("\r\n", b + 2))
            ++line;
        return line;
    };
    const std::size_t lo = selStart < selEnd ? selStart : selEnd;
    const std::size_t hi = selStart < selEnd ? selEnd : selStart;
    const unsigned first = lineOf(lo), last = lineOf(hi);
    return perLineOnLines(std::move(text), first, last, op, limit);
}

}  // namespace lineframe_reference
