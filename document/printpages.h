// The page layout and page loop of printing: plain text lines in the
// printer's default font, margins derived from that font, long lines cut,
// copies printed collated or page by page. Pure: the device work is done by
// the caller's callbacks.
#pragma once

#include <functional>
#include <optional>

namespace tessel::print {

// What the printer's device context reports.
struct Metrics {
    long height = 0;            // tmHeight
    long externalLeading = 0;   // tmExternalLeading
    long aveCharWidth = 0;      // tmAveCharWidth
    long horzRes = 0;           // HORZRES, pixels
    long vertRes = 0;           // VERTRES, pixels
};

struct PageGeometry {
    int lineHeight = 0;
    int charWidth = 0;
    int left = 0;           // x of every line: five characters
    int top = 0;            // y of the first line: three lines
    int charsPerLine = 0;   // a longer line is cut here
    int linesPerPage = 0;
};

// EM_GETLINE takes the buffer size in a 16-bit word.
constexpr int kMaxCharsPerLine = 0xFFFF;

// The geometry, or none when the page cannot hold a single character or line
// (a font of no width or height, a page smaller than its margins).
std::optional<PageGeometry> pageGeometry(const Metrics& m);

int pageCount(int lineCount, int linesPerPage);

struct PageOps {
    std::function<bool()> startPage;                        // false: the device failed
    std::function<bool()> endPage;                          // false: the device failed
    std::function<void(int line, int x, int y)> printLine;  // one document line at (x, y)
    std::function<bool()> aborted;                          // the user cancelled
};

// Prints every page `copies` times: with `collate` the whole document once per
// copy, otherwise each page `copies` times in a row. Stops after a page when
// the user cancelled. False when a page could not be started or ended.
bool printPages(const PageGeometry& g, int lineCount, int copies, bool collate, const PageOps& ops);

}  // namespace tessel::print
