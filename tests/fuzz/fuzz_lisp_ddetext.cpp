// The execute text is built from the document path: it carries the whole
// path (up to a NUL) twice with every backslash doubled, between the fixed
// words. Checked whole against a reference that splits the path at its
// backslashes and joins the parts with two.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/ddetext.h"
#include "tests/fuzz/check.h"

using namespace tessel::dde;

namespace {

std::string ReferenceLiteral(std::string_view path) {
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = path.find('\\', from);
        out.append(path.substr(from, at - from));
        if (at == std::string_view::npos) return out;
        out += "\\\\";
        from = at + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view path = input.substr(0, input.find('\0'));
    const std::string literal = ReferenceLiteral(path);
    REQUIRE(doubleBackslashes(input) == literal);
    REQUIRE(executeText(input) == "(setq U:USELOAD1KOVA \"" + literal + "\")(load \"" + literal + "\") ");
    return 0;
}
