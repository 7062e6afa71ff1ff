#include <doctest/doctest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/bitmap.h"

namespace bitmap = tessel::bitmap;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Colour i of the test table: blue i, green 2i, red 3i.
std::uint8_t Blue(unsigned i) { return static_cast<std::uint8_t>(i); }
std::uint8_t Green(unsigned i) { return static_cast<std::uint8_t>(2 * i); }
std::uint8_t Red(unsigned i) { return static_cast<std::uint8_t>(3 * i); }
std::uint8_t Pixel(std::size_t i) { return static_cast<std::uint8_t>(i * 7 + 1); }

// A Windows .BMP: 40-byte header, `colours` table entries, pixel data.
Bytes WindowsBmp(int width, int height, unsigned bitCount, unsigned colours, std::uint32_t sizeImage = 0) {
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    const std::size_t image = bitmap::rowBytes(static_cast<std::uint32_t>(width), bitCount) * rows;
    const std::size_t offset = 54 + 4 * colours;
    Bytes b(offset + image, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bitCount);
    Put32(b, 34, sizeImage);
    for (unsigned i = 0; i < colours; ++i) {
        b[54 + 4 * i] = Blue(i);
        b[55 + 4 * i] = Green(i);
        b[56 + 4 * i] = Red(i);
    }
    for (std::size_t i = 0; i < image; ++i) b[offset + i] = Pixel(i);
    return b;
}

// The same picture with a 12-byte OS/2 core header and a table of RGB triples.
Bytes Os2Bmp(int width, int height, unsigned bitCount) {
    const unsigned colours = bitmap::colourCountFor(bitCount);
    const std::size_t image = bitmap::rowBytes(static_cast<std::uint32_t>(width), bitCount) * static_cast<std::size_t>(height);
    const std::size_t offset = 26 + 3 * colours;
    Bytes b(offset + image, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 12);
    Put16(b, 18, static_cast<std::uint32_t>(width));
    Put16(b, 20, static_cast<std::uint32_t>(height));
    Put16(b, 22, 1);
    Put16(b, 24, bitCount);
    for (unsigned i = 0; i < colours; ++i) {
        b[26 + 3 * i] = Blue(i);
        b[27 + 3 * i] = Green(i);
        b[28 + 3 * i] = Red(i);
    }
    for (std::size_t i = 0; i < image; ++i) b[offset + i] = Pixel(i);
    return b;
}

bitmap::ParseResult Parse(const Bytes& b, bitmap::Record& r) { return bitmap::parse(b.data(), b.size(), r); }

}  // namespace

TEST_CASE("an OS/2 image and a Windows image of the same picture give the same record") {
    const Bytes os2 = Os2Bmp(288, 24, 4);
    const Bytes win = WindowsBmp(288, 24, 4, 16);
    bitmap::Record a, b;
    REQUIRE(Parse(os2, a) == bitmap::ParseResult::ok);
    REQUIRE(Parse(win, b) == bitmap::ParseResult::ok);

    // The OS/2 file header is rewritten to the Windows layout: 16 four-byte
    // entries put the pixels at 118.
    CHECK(Get32(a.fileHeader, 10) == 118);
    CHECK(Get32(a.fileHeader, 2) == 118 + 144 * 24);
    CHECK(a.info.size() == 40 + 16 * 4);
    CHECK(Get32(a.info, 32) == 16);  // biClrUsed
    CHECK(Get32(a.info, 36) == 16);  // biClrImportant
    CHECK(Get32(a.info, 20) == 144 * 24);
    CHECK(a.info == [&] {
        Bytes expected = b.info;
        Put32(expected, 32, 16);
        Put32(expected, 36, 16);
        Put32(expected, 20, 144 * 24);
        return expected;
    }());
    CHECK(a.bits == b.bits);
    CHECK(a.headerCopy == Bytes(a.info.begin(), a.info.begin() + 40));
    for (const bitmap::Record* r : {&a, &b}) {
        CHECK(r->loaded);
        CHECK(r->width == 288);
        CHECK(r->height == 24);
        CHECK(r->colourCount == 16);
        CHECK(r->paletteEntries == 16);
        CHECK(r->bits.size() == 144 * 24);
        REQUIRE(r->palette.size() == 4 + 16 * 4);
        CHECK(r->palette[0] == 0x00);
        CHECK(r->palette[1] == 0x03);
        CHECK(r->palette[2] == 16);
        // Entry 5: red, green, blue, flags.
        CHECK(r->palette[4 + 20] == Red(5));
        CHECK(r->palette[5 + 20] == Green(5));
        CHECK(r->palette[6 + 20] == Blue(5));
        CHECK(r->palette[7 + 20] == 0);
        CHECK(r->paletteCopy == r->palette);
    }
    // A 4-bit OS/2 image converts its table to 16 RGBQUADs.
    CHECK(a.info[40 + 4 * 7] == Blue(7));
    CHECK(a.info[40 + 4 * 7 + 1] == Green(7));
    CHECK(a.info[40 + 4 * 7 + 2] == Red(7));
    CHECK(a.info[40 + 4 * 7 + 3] == 0);
}

TEST_CASE("a 24-bit image has no palette; a zero biSizeImage is computed") {
    bitmap::Record r;
    REQUIRE(Parse(WindowsBmp(5, 3, 24, 0), r) == bitmap::ParseResult::ok);
    CHECK(r.colourCount == 0);
    CHECK(r.paletteEntries == 0);
    CHECK(r.palette.empty());
    CHECK(r.paletteCopy.empty());
    CHECK(Get32(r.headerCopy, 20) == 16 * 3);  // rows of 15 bytes padded to 16
    CHECK(r.bits.size() == 48);
    CHECK(r.bits[47] == Pixel(47));

    SUBCASE("8-bit images with fewer colours in use keep biClrUsed as their palette size") {
        Bytes b = WindowsBmp(4, 4, 8, 256);
        Put32(b, 46, 20);
        REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
        CHECK(r.colourCount == 256);
        CHECK(r.paletteEntries == 20);
        CHECK(r.palette.size() == 4 + 20 * 4);
    }
    SUBCASE("biClrUsed beyond the colour count is clamped to it") {
        Bytes b = WindowsBmp(4, 4, 4, 16);
        Put32(b, 46, 100000);
        REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
        CHECK(r.paletteEntries == 16);
        CHECK(Get32(r.info, 32) == 16);
    }
    SUBCASE("a top-down image keeps its sign for GDI and counts its rows") {
        REQUIRE(Parse(WindowsBmp(8, -6, 8, 256), r) == bitmap::ParseResult::ok);
        CHECK(r.height == 6);
        CHECK(static_cast<std::int32_t>(Get32(r.info, 8)) == -6);
        CHECK(r.bits.size() == 48);
    }
}

TEST_CASE("images that do not fit their data are refused and leave the record alone") {
    bitmap::Record r;
    REQUIRE(Parse(WindowsBmp(2, 2, 24, 0), r) == bitmap::ParseResult::ok);
    const Bytes before = r.bits;
    auto refused = [&](const Bytes& b) {
        const bitmap::ParseResult result = Parse(b, r);
        CHECK(result != bitmap::ParseResult::ok);
        CHECK(r.loaded);
        CHECK(r.bits == before);
        return result;
    };

    CHECK(refused(Bytes{0x42, 0x4D}) == bitmap::ParseResult::notBitmap);
    Bytes b = WindowsBmp(16, 16, 8, 256);
    b[1] = 'X';
    CHECK(refused(b) == bitmap::ParseResult::notBitmap);
    b = WindowsBmp(16, 16, 8, 256);
    Put32(b, 14, 108);  // a V4 header
    CHECK(refused(b) == bitmap::ParseResult::notBitmap);

    const Bytes good = WindowsBmp(16, 16, 8, 256);
    refused(Bytes(good.begin(), good.begin() + 17));
    // Cut anywhere: header, table or pixels.
    for (std::size_t n : {std::size_t{18}, std::size_t{30}, std::size_t{54}, std::size_t{300}, good.size() - 1})
        CHECK(refused(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n))) ==
              bitmap::ParseResult::malformed);
    b = good;
    Put32(b, 10, 0xFFFFFFF0);  // bfOffBits past the end
    refused(b);
    b = good;
    Put32(b, 10, 20);  // bfOffBits inside the header
    refused(b);
    b = WindowsBmp(16, 16, 8, 16);  // a table shorter than the 256 entries of 8 bits
    refused(b);
    for (std::uint32_t width : {0u, 0x8000u, 0xFFFFFFFFu}) {
        b = good;
        Put32(b, 18, width);
        refused(b);
    }
    for (std::uint32_t height : {0u, 0x80000000u, 0x7FFFFFFFu}) {
        b = good;
        Put32(b, 22, height);
        refused(b);
    }
    b = good;
    Put16(b, 28, 7);  // no such bit count
    refused(b);
    b = good;
    Put32(b, 30, 1);  // RLE8 claiming more compressed bytes than there are
    Put32(b, 34, 0x10000);
    refused(b);

    SUBCASE("OS/2 images") {
        const Bytes os2 = Os2Bmp(30, 10, 8);
        refused(Bytes(os2.begin(), os2.end() - 1));
        Bytes o = os2;
        Put32(o, 10, 30);  // pixels inside the colour table
        refused(o);
        o = os2;
        Put16(o, 18, 0);
        refused(o);
        o = os2;
        Put16(o, 24, 16);  // OS/2 images have no 16-bit format
        refused(o);
    }
}

TEST_CASE("RLE images without biSizeImage: the image's size, never more than the data") {
    bitmap::Record r;
    for (const unsigned bits : {8u, 4u}) {
        CAPTURE(bits);
        Bytes b = WindowsBmp(16, 16, bits, bits == 8 ? 256 : 16);
        Put32(b, 30, bits == 8 ? 1 : 2);
        const std::size_t offset = Get32(b, 10);
        const std::size_t image = bitmap::rowBytes(16, bits) * 16;
        b.resize(offset + image + 40);   // more data than the image: the image's size
        REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
        CHECK(r.bits.size() == image);
        CHECK(Get32(r.headerCopy, 20) == image);
        b.resize(offset + 10);           // less: what there is
        REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
        CHECK(r.bits.size() == 10);
        CHECK(Get32(r.headerCopy, 20) == 10);
        b.resize(offset);                // none: refused
        CHECK(Parse(b, r) == bitmap::ParseResult::malformed);
    }
}

TEST_CASE("an oversized biSizeImage is cut to the image; a smaller one grows to it") {
    bitmap::Record r;
    Bytes b = WindowsBmp(4, 2, 24, 0, 0x7FFFFFFF);
    REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
    CHECK(r.bits.size() == 24);
    b = WindowsBmp(4, 2, 24, 0, 3);
    REQUIRE(Parse(b, r) == bitmap::ParseResult::ok);
    CHECK(r.bits.size() == 24);
    CHECK(Get32(r.headerCopy, 20) == 24);
}

TEST_CASE("fit keeps the aspect ratio, truncating; ties take the width-limited branch") {
    auto check = [](int a, int b, int c, int d, int w, int h) {
        CAPTURE(a);
        CAPTURE(b);
        const bitmap::Size s = bitmap::fit(a, b, c, d);
        CHECK(s.width == w);
        CHECK(s.height == h);
        CHECK(bitmap::fitPacked(a, b, c, d) == (static_cast<std::uint32_t>(h) << 16 | static_cast<std::uint32_t>(w)));
    };
    check(60, 60, 110, 104, 60, 56);    // width-limited
    check(200, 50, 110, 104, 52, 50);   // height-limited
    check(50, 50, 20, 20, 50, 50);      // square: both sides the box's
    check(100, 50, 200, 100, 100, 50);  // equal ratios: width-limited, exact
    check(57, 76, 110, 104, 57, 53);    // the about box's frame at 96 dpi
    check(60, 60, 0, 104, 0, 0);
    check(60, 60, 110, 0, 0, 0);
    check(0, 0, 110, 104, 0, 0);
}

TEST_CASE("mode -1003 draws only a part inside the bitmap; mode -1004 never divides by zero") {
    CHECK(bitmap::partInside(0, 0, 110, 104, 110, 104));
    CHECK(bitmap::partInside(10, 4, 100, 100, 110, 104));
    CHECK_FALSE(bitmap::partInside(10, 5, 100, 100, 110, 104));  // one row beyond
    CHECK_FALSE(bitmap::partInside(11, 4, 100, 100, 110, 104));  // one column beyond
    CHECK_FALSE(bitmap::partInside(-1, 0, 10, 10, 110, 104));
    CHECK_FALSE(bitmap::partInside(0, -1, 10, 10, 110, 104));
    CHECK_FALSE(bitmap::partInside(0, 0, 0, 10, 110, 104));
    CHECK_FALSE(bitmap::partInside(0, 0, 10, 0, 110, 104));
    CHECK_FALSE(bitmap::partInside(0x7FFFFFFF, 0, 0x7FFFFFFF, 1, 110, 104));  // no overflow

    bitmap::Size s;
    REQUIRE(bitmap::scaledSize(3, 1, 2, 2, 110, 104, s));
    CHECK(s.width == 165);
    CHECK(s.height == 52);
    CHECK_FALSE(bitmap::scaledSize(1, 1, 0, 1, 110, 104, s));
    CHECK_FALSE(bitmap::scaledSize(1, 1, 1, 0, 110, 104, s));
}

namespace {

Bytes ReadResourceFile(const std::string& name) {
    std::ifstream in(std::string(TESSEL_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    REQUIRE_MESSAGE(in.good(), "cannot read " << name);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The palette index of pixel (x, y) of a 4-bit bottom-up record, y = 0 the top row.
unsigned Index4(const bitmap::Record& r, unsigned x, unsigned y) {
    const std::size_t row = bitmap::rowBytes(r.width, 4) * (r.height - 1 - y);
    const std::uint8_t b = r.bits[row + x / 2];
    return x % 2 ? b & 0x0F : b >> 4;
}

}  // namespace

TEST_CASE("the shipped bitmaps: the toolbar strip in both header kinds, the kite") {
    bitmap::Record strip, os2, kite;
    REQUIRE(Parse(ReadResourceFile("toolbar32.bmp"), strip) == bitmap::ParseResult::ok);
    REQUIRE(Parse(ReadResourceFile("toolbar.bmp"), os2) == bitmap::ParseResult::ok);
    REQUIRE(Parse(ReadResourceFile("mykite.bmp"), kite) == bitmap::ParseResult::ok);
    CHECK(strip.width == 288);
    CHECK(strip.height == 24);
    CHECK(strip.colourCount == 16);
    CHECK(os2.bits == strip.bits);
    CHECK(os2.palette == strip.palette);
    CHECK(kite.width == 110);
    CHECK(kite.height == 104);
    CHECK(kite.colourCount == 256);

    // Entry 13 of the standard palette is the transparent magenta; the two
    // separator cells are nothing else, every button has a picture, and no
    // picture touches the cell's first row or column, where the frame runs.
    REQUIRE(strip.palette[4 + 13 * 4] == 0xFF);
    REQUIRE(strip.palette[5 + 13 * 4] == 0x00);
    REQUIRE(strip.palette[6 + 13 * 4] == 0xFF);
    for (unsigned cell = 0; cell < 12; ++cell) {
        CAPTURE(cell);
        unsigned drawn = 0, onFrame = 0;
        for (unsigned y = 0; y < 24; ++y)
            for (unsigned x = 0; x < 24; ++x)
                if (Index4(strip, cell * 24 + x, y) != 13) {
                    ++drawn;
                    if (x == 0 || y == 0) ++onFrame;
                }
        CHECK(onFrame == 0);
        if (cell == 3 || cell == 8)
            CHECK(drawn == 0);
        else
            CHECK(drawn > 40);
    }
}
