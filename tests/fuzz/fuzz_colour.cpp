// The colour reader takes EDITCOLORS values from the settings file as they are.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::uint32_t colour = tessel::paths::readHexColour(text);
    // Only the first 12 characters count.
    if (size > 12 && tessel::paths::readHexColour(text.substr(0, 12)) != colour) __builtin_trap();
    return 0;
}
