#include "ui/bitmap.h"

#include <algorithm>
#include <utility>

namespace tessel::bitmap {
namespace {

// Field offsets inside BITMAPINFOHEADER.
constexpr std::size_t kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14, kCompression = 16,
                      kSizeImage = 20, kClrUsed = 32, kClrImportant = 36;
// The largest side a record can carry (its width and height are 16 bits).
constexpr std::int64_t kMaxSide = 0x7FFF;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Read16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Write16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Write32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool ValidWindowsFormat(unsigned bitCount, std::uint32_t compression, bool topDown) {
    switch (compression) {
    case kRgb: return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                      bitCount == 32;
    case kRle8: return bitCount == 8 && !topDown;
    case kRle4: return bitCount == 4 && !topDown;
    case kBitFields: return bitCount == 16 || bitCount == 32;
    default: return false;
    }
}

// The palette block: LOGPALETTE with one PALETTEENTRY (red, green, blue,
// flags 0) per colour-table entry.
std::vector<std::uint8_t> MakePalette(const std::vector<std::uint8_t>& info, unsigned entries) {
    std::vector<std::uint8_t> pal(4 + 4 * static_cast<std::size_t>(entries), 0);
    Write16(&pal[0], 0x300);
    Write16(&pal[2], entries);
    for (unsigned i = 0; i < entries; ++i) {
        const std::uint8_t* q = &info[kInfoHeaderSize + 4 * static_cast<std::size_t>(i)];
        pal[4 + 4 * i] = q[2];
        pal[5 + 4 * i] = q[1];
        pal[6 + 4 * i] = q[0];
    }
    return pal;
}

// An OS/2 image: core header and RGBTRIPLE table become the Windows layout.
// `pixelsAt` and `pixelBytes` say where the pixel data lies in the input.
ParseResult ConvertCore(const std::uint8_t* data, std::size_t size, Record& r, std::uint64_t& pixelsAt,
                        std::uint64_t& pixelBytes) {
    if (size < kFileHeaderSize + kCoreHeaderSize) return ParseResult::malformed;
    const std::uint8_t* core = data + kFileHeaderSize;
    const std::uint32_t width = Read16(core + 4), height = Read16(core + 6);
    const std::uint32_t planes = Read16(core + 8), bitCount = Read16(core + 10);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || planes != 1) return ParseResult::malformed;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return ParseResult::malformed;
    const std::uint32_t colours = colourCountFor(bitCount);
    const std::uint64_t oldOffset = Read32(data + 10);
    const std::uint64_t tableEnd = kFileHeaderSize + kCoreHeaderSize + 3ull * colours;
    if (oldOffset < tableEnd || oldOffset > size) return ParseResult::malformed;

    // The file's size as the Windows layout counts it; the pixel data is what
    // follows the header and the table. With a gap before the pixels, the
    // difference would cut rows off the image, so the image size is used.
    const std::uint64_t image = rowBytes(width, bitCount) * height;
    const std::uint64_t bfSize = 3ull * colours + image + 26;
    std::uint64_t bitsSize = bfSize >= oldOffset ? bfSize - oldOffset : 0;
    if (bitsSize < image) bitsSize = image;
    if (oldOffset + bitsSize > size) return ParseResult::malformed;

    const std::uint32_t newOffset = colours * 4 + 54;
    Write32(&r.fileHeader[2], static_cast<std::uint32_t>(newOffset + bitsSize));
    Write32(&r.fileHeader[6], 0);
    Write32(&r.fileHeader[10], newOffset);

    r.info.assign(newOffset - kFileHeaderSize, 0);
    std::uint8_t* h = r.info.data();
    Write32(h, kInfoHeaderSize);
    Write32(h + kWidth, width);
    Write32(h + kHeight, height);
    Write16(h + kPlanes, planes);
    Write16(h + kBitCount, bitCount);
    Write32(h + kSizeImage, static_cast<std::uint32_t>(bitsSize));
    Write32(h + kClrUsed, colours);
    Write32(h + kClrImportant, colours);
    const std::uint8_t* table = core + kCoreHeaderSize;
    for (std::uint32_t i = 0; i < colours; ++i) {
        h[kInfoHeaderSize + 4 * i] = table[3 * i];
        h[kInfoHeaderSize + 4 * i + 1] = table[3 * i + 1];
        h[kInfoHeaderSize + 4 * i + 2] = table[3 * i + 2];
    }
    pixelsAt = oldOffset;
    pixelBytes = bitsSize;
    return ParseResult::ok;
}

// A Windows image: header and colour table are taken as they are, after
// every field that sizes something was checked against the data.
ParseResult TakeInfo(const std::uint8_t* data, std::size_t size, Record& r, std::uint64_t& pixelsAt,
                     std::uint64_t& pixelBytes) {
    const std::uint64_t offset = Read32(data + 10);
    if (offset < kFileHeaderSize + kInfoHeaderSize || offset > size) return ParseResult::malformed;
    r.info.assign(data + kFileHeaderSize, data + offset);
    std::uint8_t* h = r.info.data();

    const std::int64_t width = static_cast<std::int32_t>(Read32(h + kWidth));
    const std::int64_t signedHeight = static_cast<std::int32_t>(Read32(h + kHeight));
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const unsigned bitCount = Read16(h + kBitCount);
    const std::uint32_t compression = Read32(h + kCompression);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || Read16(h + kPlanes) != 1)
        return ParseResult::malformed;
    if (!ValidWindowsFormat(bitCount, compression, signedHeight < 0)) return ParseResult::malformed;

    // The colour table GDI will read must lie inside the block.
    const std::uint32_t colours = colourCountFor(bitCount);
    std::uint32_t used = Read32(h + kClrUsed);
    const std::uint64_t masks = compression == kBitFields ? 12 : 0;
    const std::uint64_t tableBytes = r.info.size() - kInfoHeaderSize;
    if (masks > tableBytes) return ParseResult::malformed;
    const std::uint64_t room = (tableBytes - masks) / 4;
    if (colours) {
        used = std::min(used, colours);
        if ((used ? used : colours) > room) return ParseResult::malformed;
    } else if (used > room) {
        used = 0;  // an optional table for a true-colour image: dropped
    }
    Write32(h + kClrUsed, used);
    if (Read32(h + kClrImportant) > (used ? used : colours)) Write32(h + kClrImportant, used ? used : colours);

    std::uint64_t sizeImage = Read32(h + kSizeImage);
    if (compression == kRgb || compression == kBitFields) {
        const std::uint64_t image = rowBytes(static_cast<std::uint32_t>(width), bitCount) * height;
        if (sizeImage < image || offset + sizeImage > size) sizeImage = image;
    } else if (sizeImage == 0) {
        // Compressed data without a size of its own: the image's uncompressed
        // size, as far as the data reaches.
        sizeImage = std::min<std::uint64_t>(rowBytes(static_cast<std::uint32_t>(width), bitCount) * height,
                                            size - offset);
        if (sizeImage == 0) return ParseResult::malformed;
    }
    if (offset + sizeImage > size) return ParseResult::malformed;
    Write32(h + kSizeImage, static_cast<std::uint32_t>(sizeImage));
    pixelsAt = offset;
    pixelBytes = sizeImage;
    return ParseResult::ok;
}

}  // namespace

std::uint64_t rowBytes(std::uint32_t width, std::uint32_t bitCount) {
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

std::uint16_t colourCountFor(unsigned bitCount) {
    return bitCount >= 1 && bitCount <= 8 ? static_cast<std::uint16_t>(1u << bitCount) : 0;
}

void clear(Record& r) { r = Record{}; }

ParseResult parse(const std::uint8_t* data, std::size_t size, Record& out) {
    if (!data || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return ParseResult::notBitmap;
    const std::uint32_t headerSize = Read32(data + kFileHeaderSize);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) return ParseResult::notBitmap;
    if (size < kFileHeaderSize + headerSize) return ParseResult::malformed;

    Record r;
    r.fileHeader.assign(data, data + kFileHeaderSize);
    std::uint64_t pixelsAt = 0, pixelBytes = 0;
    const ParseResult result = headerSize == kCoreHeaderSize ? ConvertCore(data, size, r, pixelsAt, pixelBytes)
                                                             : TakeInfo(data, size, r, pixelsAt, pixelBytes);
    if (result != ParseResult::ok) return result;

    r.headerCopy.assign(r.info.begin(), r.info.begin() + kInfoHeaderSize);
    Write32(r.headerCopy.data(), kInfoHeaderSize);
    const std::uint8_t* h = r.headerCopy.data();
    r.width = static_cast<std::uint16_t>(Read32(h + kWidth));
    const std::int32_t height = static_cast<std::int32_t>(Read32(h + kHeight));
    r.height = static_cast<std::uint16_t>(height < 0 ? -height : height);
    r.bits.assign(data + pixelsAt, data + pixelsAt + pixelBytes);

    r.colourCount = colourCountFor(Read16(h + kBitCount));
    const std::uint32_t used = Read32(h + kClrUsed);
    r.paletteEntries = static_cast<std::uint16_t>(used ? used : r.colourCount);
    if (r.colourCount) {
        r.palette = MakePalette(r.info, r.paletteEntries);
        r.paletteCopy = r.palette;
    }
    r.loaded = true;
    out = std::move(r);
    return ParseResult::ok;
}

Size fit(int boxWidth, int boxHeight, int sourceWidth, int sourceHeight) {
    const std::int64_t a = boxWidth, b = boxHeight;
    const std::int64_t c = static_cast<std::uint16_t>(sourceWidth), d = static_cast<std::uint16_t>(sourceHeight);
    if (c == 0 || d == 0) return {};
    std::int64_t w, h;
    if (b * c < a * d) {  // b / d < a / c, compared without rounding
        h = b;
        w = b * c / d;
    } else {
        w = a;
        h = a * d / c;
    }
    return {static_cast<std::int16_t>(w & 0xFFFF), static_cast<std::int16_t>(h & 0xFFFF)};
}

std::uint32_t fitPacked(int boxWidth, int boxHeight, int sourceWidth, int sourceHeight) {
    const Size s = fit(boxWidth, boxHeight, sourceWidth, sourceHeight);
    return (static_cast<std::uint32_t>(s.height & 0xFFFF) << 16) | static_cast<std::uint32_t>(s.width & 0xFFFF);
}

bool partInside(int x, int y, int a, int b, int width, int height) {
    return x >= 0 && y >= 0 && a > 0 && b > 0 && static_cast<std::int64_t>(x) + a <= width &&
           static_cast<std::int64_t>(y) + b <= height;
}

bool scaledSize(int a, int b, int c, int d, int width, int height, Size& out) {
    if (c == 0 || d == 0) return false;
    out.width = static_cast<std::int16_t>((static_cast<std::int64_t>(a) * width / c) & 0xFFFF);
    out.height = static_cast<std::int16_t>((static_cast<std::int64_t>(b) * height / d) & 0xFFFF);
    return true;
}

}  // namespace tessel::bitmap
