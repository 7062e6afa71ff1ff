#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "document/printpages.h"

using namespace tessel::print;

namespace {

// Records what a job does: "S" start page, "E" end page, line numbers between.
struct Recorder {
    std::vector<std::string> log;
    int failStartAt = -1, failEndAt = -1, abortAfter = -1;
    int starts = 0, ends = 0;
    PageOps ops() {
        PageOps o;
        o.startPage = [this] {
            log.push_back("S");
            return starts++ != failStartAt;
        };
        o.endPage = [this] {
            log.push_back("E");
            return ends++ != failEndAt;
        };
        o.printLine = [this](int line, int, int) { log.push_back(std::to_string(line)); };
        o.aborted = [this] { return abortAfter >= 0 && ends >= abortAfter; };
        return o;
    }
    std::string joined() const {
        std::string s;
        for (const auto& e : log) s += e + " ";
        return s;
    }
};

PageGeometry TwoLinesPerPage() {
    PageGeometry g;
    g.lineHeight = 10;
    g.charWidth = 5;
    g.left = 25;
    g.top = 30;
    g.charsPerLine = 80;
    g.linesPerPage = 2;
    return g;
}

}  // namespace

TEST_CASE("page geometry from the printer's font") {
    // A 300-dpi A4 page with a 100-pixel font, 52 pixels wide.
    const auto g = pageGeometry({100, 0, 52, 2329, 3358});
    REQUIRE(g);
    CHECK(g->lineHeight == 100);
    CHECK(g->left == 260);
    CHECK(g->top == 300);
    CHECK(g->charsPerLine == 2329 / 52 - 5);
    CHECK(g->linesPerPage == 33 - 4);
    const auto leading = pageGeometry({50, 10, 20, 1000, 600});
    REQUIRE(leading);
    CHECK(leading->lineHeight == 60);
    CHECK(leading->linesPerPage == 10 - 4);
    CHECK(pageCount(1, 29) == 1);
    CHECK(pageCount(29, 29) == 1);
    CHECK(pageCount(30, 29) == 2);

    SUBCASE("a page that cannot hold a character or a line is refused, never divided by") {
        CHECK_FALSE(pageGeometry({0, 0, 10, 1000, 1000}));    // no line height
        CHECK_FALSE(pageGeometry({10, 0, 0, 1000, 1000}));    // no character width
        CHECK_FALSE(pageGeometry({10, 0, 10, 59, 1000}));     // the margin fills the width
        CHECK_FALSE(pageGeometry({10, 0, 10, 1000, 40}));     // margins fill the height
        CHECK_FALSE(pageGeometry({-5, 0, 10, 1000, 1000}));
        CHECK_FALSE(pageGeometry({10, 0, 10, -1000, 1000}));
        CHECK(pageGeometry({1, 0, 1, 6, 5}));                 // one character, one line
        CHECK(pageCount(5, 0) == 0);
    }
    SUBCASE("the characters per line fit EM_GETLINE's 16-bit size") {
        const auto wide = pageGeometry({1, 0, 1, 1000000, 100});
        REQUIRE(wide);
        CHECK(wide->charsPerLine == kMaxCharsPerLine);
    }
}

TEST_CASE("copies: collated prints the document again, otherwise each page again") {
    Recorder collated;
    CHECK(printPages(TwoLinesPerPage(), 3, 2, true, collated.ops()));
    CHECK(collated.joined() == "S 0 1 E S 2 E S 0 1 E S 2 E ");
    Recorder uncollated;
    CHECK(printPages(TwoLinesPerPage(), 3, 3, false, uncollated.ops()));
    CHECK(uncollated.joined() == "S 0 1 E S 0 1 E S 0 1 E S 2 E S 2 E S 2 E ");
    Recorder one;
    CHECK(printPages(TwoLinesPerPage(), 1, 0, false, one.ops()));   // no copies count as one
    CHECK(one.joined() == "S 0 E ");
}

TEST_CASE("lines are placed below each other from the top margin") {
    std::vector<std::pair<int, int>> at;
    PageOps ops;
    ops.startPage = [] { return true; };
    ops.endPage = [] { return true; };
    ops.aborted = [] { return false; };
    ops.printLine = [&at](int, int x, int y) { at.emplace_back(x, y); };
    printPages(TwoLinesPerPage(), 3, 1, true, ops);
    CHECK(at == std::vector<std::pair<int, int>>{{25, 30}, {25, 40}, {25, 30}});
}

TEST_CASE("a failing device or a cancel stops every loop") {
    Recorder startFails;
    startFails.failStartAt = 1;
    CHECK_FALSE(printPages(TwoLinesPerPage(), 5, 2, true, startFails.ops()));
    CHECK(startFails.joined() == "S 0 1 E S ");
    Recorder endFails;
    endFails.failEndAt = 0;
    CHECK_FALSE(printPages(TwoLinesPerPage(), 5, 2, false, endFails.ops()));
    CHECK(endFails.joined() == "S 0 1 E ");
    Recorder cancelled;
    cancelled.abortAfter = 2;
    CHECK(printPages(TwoLinesPerPage(), 5, 3, true, cancelled.ops()));
    CHECK(cancelled.joined() == "S 0 1 E S 2 3 E ");
}
