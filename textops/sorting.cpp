#include "textops/sorting.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "textops/lineframe.h"

namespace tessel::sorting {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

double readNumber(std::string_view line) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && isSpace(line[i])) ++i;
    const std::size_t start = i;
    if (i < n && (line[i] == '+' || line[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(line[i])) ++i, ++digits;
    if (i < n && line[i] == '.') {
        ++i;
        while (i < n && isDigit(line[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < n && (line[i] == 'e' || line[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (line[j] == '+' || line[j] == '-')) ++j;
        if (j < n && isDigit(line[j])) {
            while (j < n && isDigit(line[j])) ++j;
            i = j;
        }
    }
    // Only the checked characters reach the library's conversion, so its
    // other spellings (hex, inf, nan) never apply.
    const std::string number(line.substr(start, i - start));
    return std::strtod(number.c_str(), nullptr);
}

int compareBytes(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    if (n) {
        if (const int c = std::memcmp(a.data(), b.data(), n)) return c;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareLines(std::string_view a, double va, std::string_view b, double vb, bool numeric) {
    if (numeric && (va != 0.0 || vb != 0.0)) {
        if (va < vb) return -1;
        if (vb < va) return 1;
        return 0;
    }
    return compareBytes(a, b);
}

std::vector<std::string_view> sortLines(const std::vector<std::string_view>& lines, SortOptions options) {
    std::vector<double> values(lines.size(), 0.0);
    if (options.numeric)
        for (std::size_t i = 0; i < lines.size(); ++i) values[i] = readNumber(lines[i]);
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return compareLines(lines[x], values[x], lines[y], values[y], options.numeric) < 0;
    });
    if (options.descending) std::reverse(order.begin(), order.end());
    std::vector<std::string_view> sorted;
    sorted.reserve(lines.size());
    for (std::size_t i : order) sorted.push_back(lines[i]);
    return sorted;
}

SortResult sortSelection(std::string_view text, std::size_t selStart, std::size_t selEnd, SortOptions options) {
    SortResult result;
    std::size_t s = std::min(selStart, text.size());
    std::size_t e = std::min(selEnd, text.size());
    if (s > e) std::swap(s, e);
    const unsigned first = lineframe::lineFromChar(text, s);
    const unsigned last = lineframe::lineFromChar(text, e);
    // Ending at the start of a line (behind a CR LF) leaves that line out.
    const bool trailingBreak = e >= 2 && text[e - 1] == '\n' && text[e - 2] == '\r' && last > first;
    const unsigned lastSorted = trailingBreak ? last - 1 : last;
    if (lastSorted - first + 1 > kMaxLines) {
        result.status = SortStatus::TooManyLines;
        return result;
    }
    if (first == last) return result;

    // Walk the lines once: each ends at its CR LF, the final line at the end.
    std::vector<std::string_view> lines;
    lines.reserve(lastSorted - first + 1);
    const std::size_t begin = lineframe::lineStart(text, first);
    std::size_t lineBegin = begin, end = begin;
    for (unsigned line = first; line <= lastSorted; ++line) {
        const std::size_t brk = text.find("\r\n", lineBegin);
        end = brk == std::string_view::npos ? text.size() : brk;
        if (end > lineBegin) lines.push_back(text.substr(lineBegin, end - lineBegin));
        if (brk == std::string_view::npos) break;
        lineBegin = brk + 2;
    }
    const std::vector<std::string_view> sorted = sortLines(lines, options);

    result.status = SortStatus::Sorted;
    result.replaceStart = begin;
    result.replaceEnd = trailingBreak ? e : end;
    std::size_t size = 0;
    for (std::string_view l : sorted) size += l.size() + 2;
    result.block.reserve(size);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i) result.block += "\r\n";
        result.block.append(sorted[i]);
    }
    // A block without lines adds no break of its own.
    if (trailingBreak && !sorted.empty()) result.block += "\r\n";
    result.caret = result.replaceStart + result.block.size();
    return result;
}

}  // namespace tessel::sorting
