// The token reader and the keyword scans read programs and selections: every
// name they produce stays within 63 characters and holds no delimiter, and
// the lists keep their blank-separated shape.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/scan.h"
#include "tests/fuzz/check.h"

using namespace tessel::lisp;

namespace {
void CheckName(std::string_view name) {
    REQUIRE(name.size() <= kMaxNameLength);
    for (const char c : name) REQUIRE(!isDelimiter(c));
}

// A list as the reader leaves it: empty, or names each followed by a blank.
void CheckList(const std::string& list) {
    if (list.empty()) return;
    REQUIRE(list.back() == ' ');
    CheckName(std::string_view(list).substr(0, list.size() - 1));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks a start for the bare reader.
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t start = std::min<std::size_t>(data[0], text.size());
    for (const int mode : {kModeName, kModeString}) {
        NameList names;
        const long result = readToken(mode, text, start, names);
        REQUIRE(result == kNoEnd || (result >= 1 && static_cast<std::size_t>(result) < kReadWindow));
        CheckList(names.text());
    }
    const std::string vars = variableList(text);
    REQUIRE(!vars.empty() && vars.front() == ' ' && vars.back() == ' ');
    const Environment env = scanEnvironment(text);
    for (const auto* entries : {&env.functions, &env.dclFiles, &env.dclNames}) {
        for (const EnvEntry& e : *entries) {
            REQUIRE(e.at < text.size());
            CheckList(e.text);
        }
    }
    return 0;
}
