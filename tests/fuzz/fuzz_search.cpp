// The text search over any text and needle: a hit lies at or after the
// position, matches the needle as the fold sees it, and the search never
// reads outside the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "textops/search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const tessel::search::Options options{(data[0] & 1) != 0, (data[0] & 2) != 0};
    const std::size_t needleLength = data[1] % 16;
    const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string needle(rest.substr(0, needleLength));
    const std::string text(rest.substr(needle.size()));
    const std::size_t position = data[2] % (text.size() + 2);
    const tessel::search::Hit hit = tessel::search::find(text, needle, position, options);
    if (hit.found) {
        if (hit.start < position || hit.end > text.size() || hit.end - hit.start != needle.size()) __builtin_trap();
        if (tessel::search::fold(text.substr(hit.start, needle.size()), options.matchCase) !=
            tessel::search::fold(needle, options.matchCase))
            __builtin_trap();
        if (hit.position != hit.end) __builtin_trap();
    } else if (hit.position < position) {
        __builtin_trap();
    }
    return 0;
}
