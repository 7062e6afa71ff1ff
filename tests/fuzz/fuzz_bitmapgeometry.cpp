// The drawing modes' geometry takes sizes from callers and resources: the
// fitting rule (a floating-point comparison of the two ratios, then truncated
// and cut to 16 bits), the part test of mode -1003 and the scaling of mode
// -1004, checked against the rules computed in wider arithmetic.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tests/fuzz/check.h"
#include "ui/bitmap.h"

using namespace tessel::bitmap;

namespace {

int cut16(long double v)
{
    const auto whole = static_cast<std::int64_t>(v);  // toward zero
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(whole) & 0xFFFF));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    int v[6] = {};
    std::memcpy(v, data, size < sizeof v ? size : sizeof v);
    const int a = v[0], b = v[1], c = v[2], d = v[3], w = v[4], h = v[5];

    // Fit: the source sides count as 16-bit values.
    const long double C = static_cast<std::uint16_t>(c), D = static_cast<std::uint16_t>(d);
    const Size fitted = fit(a, b, c, d);
    if (C == 0 || D == 0) {
        REQUIRE(fitted.width == 0 && fitted.height == 0);
    } else {
        const long double byHeight = b / D, byWidth = a / C;
        // Only where the ratios differ in long double is the branch certain.
        if (byHeight < byWidth) REQUIRE(fitted.height == cut16(b) && fitted.width == cut16(b * C / D));
        if (byHeight > byWidth) REQUIRE(fitted.width == cut16(a) && fitted.height == cut16(a * D / C));
        const std::uint32_t packed = fitPacked(a, b, c, d);
        REQUIRE(packed == ((static_cast<std::uint32_t>(fitted.height & 0xFFFF) << 16) |
                           static_cast<std::uint32_t>(fitted.width & 0xFFFF)));
    }

    // Mode -1003: the part lies inside the bitmap.
    const long double x = a, y = b;
    const bool inside = x >= 0 && y >= 0 && c > 0 && d > 0 && x + c <= w && y + d <= h;
    REQUIRE(partInside(a, b, c, d, w, h) == inside);

    // Mode -1004: a*W/c by b*H/d, truncated, cut to 16 bits.
    Size scaled{7, 7};
    const bool drawn = scaledSize(a, b, c, d, w, h, scaled);
    REQUIRE(drawn == (c != 0 && d != 0));
    if (drawn) {
        const std::int64_t sw = static_cast<std::int64_t>(a) * w / c, sh = static_cast<std::int64_t>(b) * h / d;
        REQUIRE(scaled.width == static_cast<std::int16_t>(static_cast<std::uint16_t>(sw & 0xFFFF)));
        REQUIRE(scaled.height == static_cast<std::int16_t>(static_cast<std::uint16_t>(sh & 0xFFFF)));
    }
    return 0;
}
