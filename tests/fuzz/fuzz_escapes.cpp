// The escape conversion takes whatever the user typed into the find and
// replace fields. Checked against the escapes as described: first every "^a"
// becomes CR LF, then every "^t" one TAB, each pass left to right; the
// NUL-terminated form agrees up to the first NUL.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/fuzz/check.h"
#include "textops/search.h"

namespace {

std::string pass(const std::string& text, char letter, const char* replacement)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] == letter) {
            out += replacement;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string expected = pass(pass(text, 'a', "\r\n"), 't', "\t");
    std::string converted = text;
    tessel::search::convertEscapes(converted);
    REQUIRE(converted == expected);

    std::string terminated(text.c_str());
    const std::string expectedTerminated = pass(pass(terminated, 'a', "\r\n"), 't', "\t");
    terminated.push_back('\0');
    tessel::search::convertEscapes(terminated.data());
    REQUIRE(std::strcmp(terminated.c_str(), expectedTerminated.c_str()) == 0);
    return 0;
}
