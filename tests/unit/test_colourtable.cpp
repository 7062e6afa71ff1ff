#include <doctest/doctest.h>

#include "ui/colourtable.h"

using namespace tessel::colourdialog;

TEST_CASE("a point hits the last swatch that holds it, and none outside") {
    std::array<Box, kSwatches> boxes{};
    for (int i = 0; i < kSwatches; ++i) boxes[static_cast<std::size_t>(i)] = {10L + 20 * i, 5, 24L + 20 * i, 19};
    CHECK(hitSwatch(10, 5, boxes) == 0);
    CHECK(hitSwatch(23, 18, boxes) == 0);
    CHECK_FALSE(hitSwatch(24, 10, boxes).has_value());   // the gap between swatches
    CHECK_FALSE(hitSwatch(30, 19, boxes).has_value());   // the bottom edge lies outside
    CHECK(hitSwatch(10 + 20 * 13 + 3, 10, boxes) == 13);
    boxes[19] = boxes[13];                               // overlapping: the later one wins
    CHECK(hitSwatch(10 + 20 * 13 + 3, 10, boxes) == 19);
}

TEST_CASE("the standard colours are stored as 0x00BBGGRR") {
    CHECK(kStandardColours[1] == 0x000080);   // dark red: red 128
    CHECK(kStandardColours[4] == 0x800000);   // dark blue: blue 128
    CHECK(kStandardColours[13] == 0xFF00FF);  // magenta
    CHECK(kStandardColours[11] == 0x00FFFF);  // yellow: red and green
}
