#include <doctest/doctest.h>

#include "core/centring.h"

using tessel::centring::centredPosition;

TEST_CASE("centring on a 4:3 screen and on wider desktops")
{
    // 1024x768 is exactly 4:3.
    auto p = centredPosition(1024, 768, 300, 200);
    CHECK(p.x == 362);
    CHECK(p.y == 284);

    // Two screens side by side: centred in the left 1365 pixels.
    p = centredPosition(2560, 1024, 300, 200);
    CHECK(p.x == 532);
    CHECK(p.y == 412);

    // 16:9: the width is cut to 1080 * 4 / 3 = 1440.
    p = centredPosition(1920, 1080, 400, 300);
    CHECK(p.x == 520);
    CHECK(p.y == 390);

    // A screen narrower than 4:3 keeps its own width.
    p = centredPosition(1280, 1024, 280, 24);
    CHECK(p.x == 500);
    CHECK(p.y == 500);
}

TEST_CASE("a window larger than the screen gets a negative position")
{
    // Odd differences truncate toward zero: -201 / 2 is -100, not -101.
    auto p = centredPosition(800, 600, 1001, 701);
    CHECK(p.x == -100);
    CHECK(p.y == -50);

    p = centredPosition(640, 480, 2000, 1000);
    CHECK(p.x == -680);
    CHECK(p.y == -260);

    // Odd positive differences truncate as well.
    p = centredPosition(800, 600, 299, 199);
    CHECK(p.x == 250);
    CHECK(p.y == 200);
}
