// The escape conversion takes whatever the user typed into the find and
// replace fields (up to 255 characters).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "textops/search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string converted = text;
    tessel::search::convertEscapes(converted);
    if (converted.size() > text.size()) __builtin_trap();
    // "^a" keeps the length, each "^t" shortens by one.
    // The NUL-terminated form gives the same as the string form up to the first NUL.
    std::string c(text.c_str());
    std::string buffer = c;
    tessel::search::convertEscapes(c);
    buffer.push_back('\0');
    tessel::search::convertEscapes(buffer.data());
    if (std::strcmp(buffer.c_str(), c.c_str()) != 0) __builtin_trap();
    return 0;
}
