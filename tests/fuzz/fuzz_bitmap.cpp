// The bitmap reader takes whole .BMP images from resources as they are.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so the address sanitizer sees any read
    // past the end of the input.
    const std::vector<std::uint8_t> input(data, data + size);
    tessel::bitmap::Record r;
    if (tessel::bitmap::parse(input.data(), input.size(), r) != tessel::bitmap::ParseResult::ok) {
        if (r.loaded) __builtin_trap();
        return 0;
    }
    // What GDI will read must lie inside the blocks the record owns.
    const std::uint8_t* h = r.info.data();
    if (r.info.size() < 40 || r.headerCopy.size() != 40 || r.fileHeader.size() != 14) __builtin_trap();
    const unsigned bitCount = h[14] | (h[15] << 8);
    const std::uint32_t compression = h[16] | (h[17] << 8) | (h[18] << 16) | (static_cast<std::uint32_t>(h[19]) << 24);
    if (compression == 0 && r.bits.size() < tessel::bitmap::rowBytes(r.width, bitCount) * r.height) __builtin_trap();
    if (r.colourCount && r.info.size() < 40 + 4u * r.paletteEntries) __builtin_trap();
    if (r.palette.size() != (r.colourCount ? 4 + 4u * r.paletteEntries : 0)) __builtin_trap();
    if (r.width == 0 || r.height == 0) __builtin_trap();
    return 0;
}
