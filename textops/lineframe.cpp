#include "textops/lineframe.h"

#include <algorithm>
#include <cstring>

namespace lineframe {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Offset of the CR of the first CR LF pair lying wholly at or after from.
std::size_t findBreak(std::string_view s, std::size_t from)
{
    std::size_t i = from + 1;  // an LF at from cannot belong to a pair starting at or after from
    while (i < s.size()) {
        const void* p = std::memchr(s.data() + i, '\n', s.size() - i);
        if (!p) return npos;
        i = static_cast<std::size_t>(static_cast<const char*>(p) - s.data());
        if (s[i - 1] == '\r') return i - 1;
        ++i;
    }
    return npos;
}

}  // namespace

unsigned lineCount(std::string_view text)
{
    unsigned n = 1;
    for (std::size_t b = findBreak(text, 0); b != npos; b = findBreak(text, b + 2)) ++n;
    return n;
}

unsigned lineFromChar(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    unsigned line = 0;
    for (std::size_t b = findBreak(text, 0); b != npos && b + 2 <= pos; b = findBreak(text, b + 2)) ++line;
    return line;
}

std::size_t lineStart(std::string_view text, unsigned line)
{
    std::size_t start = 0;
    for (unsigned i = 0; i < line; ++i) {
        std::size_t b = findBreak(text, start);
        if (b == npos) return text.size();
        start = b + 2;
    }
    return start;
}

LineRange lineRangeOf(std::string_view text, std::size_t selStart, std::size_t selEnd)
{
    if (selStart > selEnd) std::swap(selStart, selEnd);
    return {lineFromChar(text, selStart), lineFromChar(text, selEnd)};
}

FrameResult runLineFrameOnLines(std::string_view text, LineRange range, const LineOp& op, std::size_t limit,
                                bool capacityFlagAlreadySet)
{
    FrameResult r;
    if (capacityFlagAlreadySet || range.first > range.last) return r;
    const std::size_t rangeStart = lineStart(text, range.first);
    if (range.first > 0 && rangeStart == text.size() && lineCount(text) <= range.first) return r;

    // The text during the run is text[0, rangeStart) + out + pend + text[pos, end):
    // out holds the lines already done, pend (normally empty) lines that a change
    // containing a line break pushed ahead of the remaining original text.
    std::string out;
    out.reserve(text.size() - rangeStart + 256);
    std::string pend;
    std::size_t pos = rangeStart;
    std::size_t curLen = text.size();

    for (unsigned idx = range.first;; ++idx) {
        const bool fromPend = !pend.empty();
        const std::string_view src = fromPend ? std::string_view(pend) : text.substr(pos);
        const std::size_t br = findBreak(src, 0);
        const bool isFinal = br == npos;
        const std::size_t len = isFinal ? src.size() : br;
        const std::string_view line = src.substr(0, len);

        const LineEdit e = op(line, idx - range.first, isFinal);
        const std::size_t off = std::min(e.offset, len);
        const std::size_t rem = std::min(e.removeCount, len - off);
        const std::size_t ins = e.insert.size();
        const std::size_t newLen = curLen - rem + ins;
        if (ins > 0 && newLen > limit && newLen > curLen) {
            // The change would carry the text past the limit: the line stays
            // as it is and the run stops at its start.
            r.hitLimit = true;
            r.caret = rangeStart + out.size();
            break;
        }
        r.caret = rangeStart + out.size() + off + ins;
        curLen = newLen;

        const std::size_t mark = out.size();
        out.append(line.data(), off);
        out.append(e.insert, 0, ins);
        out.append(line.substr(off + rem));

        const std::size_t consumed = len + (isFinal ? 0 : 2);
        const std::size_t split = findBreak(out, mark);
        if (split == npos) {
            if (!isFinal) out.append("\r\n");
            if (fromPend) pend.erase(0, consumed);
            else pos += consumed;
        } else {
            // The change put a line break into the line: what follows it now forms
            // the next line(s), which the following line numbers address.
            std::string next = out.substr(split + 2);
            out.resize(split + 2);
            if (!isFinal) next.append("\r\n");
            if (fromPend) next.append(pend, consumed, npos);
            else pos += consumed;
            pend = std::move(next);
        }
        if (isFinal && split == npos) break;  // no line after the final one
        if (idx == range.last) break;
    }
    out.append(pend);

    // Trim what old and new span have in common, without splitting a CR LF pair.
    const std::string_view oldSpan = text.substr(rangeStart, pos - rangeStart);
    const std::string_view newSpan = out;
    std::size_t prefix = 0;
    const std::size_t common = std::min(oldSpan.size(), newSpan.size());
    while (prefix < common && oldSpan[prefix] == newSpan[prefix]) ++prefix;
    if (prefix == oldSpan.size() && prefix == newSpan.size()) return r;  // unchanged
    std::size_t suffix = 0;
    while (suffix < common - prefix &&
           oldSpan[oldSpan.size() - 1 - suffix] == newSpan[newSpan.size() - 1 - suffix])
        ++suffix;

    std::size_t a = rangeStart + prefix;
    if (prefix > 0 && a < text.size() && text[a - 1] == '\r' && text[a] == '\n') --prefix, --a;
    std::size_t b = pos - suffix;
    if (suffix > 0 && b > 0 && text[b - 1] == '\r' && text[b] == '\n') --suffix, ++b;

    r.replaceStart = a;
    r.replaceEnd = b;
    r.replacement.assign(newSpan.substr(prefix, newSpan.size() - prefix - suffix));
    r.changed = true;
    return r;
}

FrameResult runLineFrame(std::string_view text, std::size_t selStart, std::size_t selEnd, const LineOp& op,
                         std::size_t limit, bool capacityFlagAlreadySet)
{
    return runLineFrameOnLines(text, lineRangeOf(text, selStart, selEnd), op, limit, capacityFlagAlreadySet);
}

void applyFrameResult(std::string& text, const FrameResult& result)
{
    if (!result.changed) return;
    text.replace(result.replaceStart, result.replaceEnd - result.replaceStart, result.replacement);
}

}  // namespace lineframe
