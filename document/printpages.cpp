#include "document/printpages.h"

#include <algorithm>

namespace tessel::print {
namespace {

// The metrics are the device's; keep every product within int.
constexpr long kLargest = 1L << 20;

bool sane(long v) { return v >= 0 && v <= kLargest; }

}  // namespace

std::optional<PageGeometry> pageGeometry(const Metrics& m) {
    if (!sane(m.height) || !sane(m.externalLeading) || !sane(m.aveCharWidth) || !sane(m.horzRes) ||
        !sane(m.vertRes))
        return std::nullopt;
    PageGeometry g;
    g.lineHeight = static_cast<int>(m.height + m.externalLeading);
    g.charWidth = static_cast<int>(m.aveCharWidth);
    if (g.lineHeight < 1 || g.charWidth < 1) return std::nullopt;
    const int w = g.charWidth;
    const int h = g.lineHeight;
    g.left = 5 * w;
    g.top = 3 * h;
    g.charsPerLine = std::min(static_cast<int>(m.horzRes) / w - (5 * w) / w, kMaxCharsPerLine);
    g.linesPerPage = static_cast<int>(m.vertRes) / h - (3 * h + h) / h;
    if (g.charsPerLine < 1 || g.linesPerPage < 1) return std::nullopt;
    return g;
}

int pageCount(int lineCount, int linesPerPage) {
    if (lineCount <= 0 || linesPerPage <= 0) return 0;
    return (lineCount + linesPerPage - 1) / linesPerPage;
}

bool printPages(const PageGeometry& g, int lineCount, int copies, bool collate, const PageOps& ops) {
    if (copies < 1) copies = 1;
    const int pages = pageCount(lineCount, g.linesPerPage);
    const int passes = collate ? copies : 1;
    const int repeats = collate ? 1 : copies;
    for (int pass = 0; pass < passes; ++pass) {
        for (int page = 0; page < pages; ++page) {
            const int first = page * g.linesPerPage;
            for (int r = 0; r < repeats; ++r) {
                if (!ops.startPage()) return false;
                for (int j = 0; j < g.linesPerPage && first + j < lineCount; ++j)
                    ops.printLine(first + j, g.left, g.top + j * g.lineHeight);
                if (!ops.endPage()) return false;
                if (ops.aborted()) return true;
            }
        }
    }
    return true;
}

}  // namespace tessel::print
