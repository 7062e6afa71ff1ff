// The colour reader takes EDITCOLORS values from the settings file as they
// are. Checked against a reading written the other way round: the digits
// after the last X of the first 12 characters, read from the left.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/paths.h"
#include "tests/fuzz/check.h"

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::uint32_t reference(std::string_view text)
{
    text = text.substr(0, 12);
    const std::size_t x = text.find_last_of("xX");
    const std::string_view digits = x == std::string_view::npos ? text : text.substr(x + 1);
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int v = hexValue(c);
        if (v < 0) return 0;
        value = value * 16u + static_cast<std::uint32_t>(v);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    REQUIRE(tessel::paths::readHexColour(text) == reference(text));
    return 0;
}
