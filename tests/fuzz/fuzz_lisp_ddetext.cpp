// The execute text is built from the document path: it carries the whole
// path twice with every backslash doubled, whatever the path holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/ddetext.h"
#include "tests/fuzz/check.h"

using namespace tessel::lisp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view path(reinterpret_cast<const char*>(data), size);
    path = path.substr(0, path.find('\0'));
    const std::string literal = doubleBackslashes(path);
    const auto backslashes = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
    REQUIRE(literal.size() == path.size() + backslashes);
    const std::string text = executeText(path);
    REQUIRE(text.size() == 34 + 2 * literal.size());
    REQUIRE(text.compare(0, 22, "(setq U:USELOAD1KOVA \"") == 0 && text.back() == ' ');
    return 0;
}
