#include "core/centring.h"

namespace tessel::centring {

Position centredPosition(int screenWidth, int screenHeight, int w, int h)
{
    // 64-bit intermediates: no overflow for any int input.
    long long width = screenWidth;
    const long long height = screenHeight;
    const long long fourByThree = height * 4 / 3;
    if (width > fourByThree) width = fourByThree;

    const long long x = (width - w) / 2;
    const long long y = (height - h) / 2;
    return Position{static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace tessel::centring
