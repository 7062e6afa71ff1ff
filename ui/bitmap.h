// Whole .BMP images (as the program carries them in its resources) read into
// one record layout, and the geometry the drawing modes need. Pure: the Win32
// half (bitmap_win.h) turns a record into palettes, device bitmaps and pixels
// on a screen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessel::bitmap {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kCoreHeaderSize = 12;

// What a loaded bitmap consists of. Byte blocks keep the Windows structure
// layouts (little-endian), so the Win32 half hands them to GDI as they are:
//   fileHeader  BITMAPFILEHEADER (an OS/2 image's adjusted to the Windows layout)
//   info        BITMAPINFOHEADER and the colour table as RGBQUADs: a BITMAPINFO
//   headerCopy  the BITMAPINFOHEADER alone
//   palette     LOGPALETTE (version 0x300, entry count, entries); empty without one
//   bits        the pixel data, biSizeImage bytes
struct Record {
    bool loaded = false;
    std::vector<std::uint8_t> fileHeader;
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> headerCopy;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> paletteCopy;
    std::vector<std::uint8_t> bits;
    std::uint16_t colourCount = 0;     // 2^bits for 1..8 bits per pixel, else 0
    std::uint16_t width = 0;
    std::uint16_t height = 0;          // rows; a top-down image counts its rows too
    std::uint16_t paletteEntries = 0;  // biClrUsed, or the colour count when that is 0
};

enum class ParseResult {
    ok,
    notBitmap,    // no "BM", or a header size other than 12 or 40
    malformed,    // an offset, size, dimension or format that does not fit the data
};

// Reads a whole .BMP image into `out`. On anything but ok, `out` is left as it
// was. Every offset and size is checked against `size`; nothing outside the
// input is read. Throws std::bad_alloc when the blocks cannot be had.
ParseResult parse(const std::uint8_t* data, std::size_t size, Record& out);

// Clears the record: empty blocks, zero counts, not loaded.
void clear(Record& r);

// Bytes of one pixel row: rows are padded to 32 bits.
std::uint64_t rowBytes(std::uint32_t width, std::uint32_t bitCount);

// 2^bitCount for 1 to 8 bits, otherwise 0 (no palette).
std::uint16_t colourCountFor(unsigned bitCount);

// The size of `source` fitted into `box` with its aspect ratio kept: the
// height-limited branch when box height / source height is the smaller ratio,
// the width-limited one otherwise (ties included). Truncated, 16 bits each;
// a source side of 0 gives 0x0.
struct Size {
    int width = 0;
    int height = 0;
};
Size fit(int boxWidth, int boxHeight, int sourceWidth, int sourceHeight);

// Fit's result packed as the drawing code passes it around: height in the
// high 16 bits, width in the low 16 bits.
std::uint32_t fitPacked(int boxWidth, int boxHeight, int sourceWidth, int sourceHeight);

// Mode -1003 draws a part of the bitmap only when it lies inside it.
bool partInside(int x, int y, int a, int b, int width, int height);

// Mode -1004's target size: a*W/c by b*H/d, each cut to 16 bits. False (draw
// nothing) when c or d is 0.
bool scaledSize(int a, int b, int c, int d, int width, int height, Size& out);

}  // namespace tessel::bitmap
