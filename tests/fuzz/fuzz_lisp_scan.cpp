// The token reader and the keyword scans read programs and selections: every
// name they produce stays within 63 characters and holds no delimiter, and
// the lists keep their blank-separated shape.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/scan.h"

using namespace tessel::lisp;

namespace {
void CheckName(std::string_view name) {
    if (name.size() > kMaxNameLength) __builtin_trap();
    for (const char c : name)
        if (isDelimiter(c)) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks a start for the bare reader.
    const std::size_t start = data[0] % (size + 1);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const int mode : {kModeName, kModeString}) {
        NameList names;
        const long result = readToken(mode, text, std::min(start, text.size()), names);
        if (result != kNoEnd && (result < 1 || static_cast<std::size_t>(result) >= kReadWindow)) __builtin_trap();
        const std::string& list = names.text();
        if (!list.empty()) {
            if (list.back() != ' ') __builtin_trap();
            CheckName(std::string_view(list).substr(0, list.size() - 1));
        }
    }
    const std::string vars = variableList(text);
    if (vars.empty() || vars.front() != ' ' || vars.back() != ' ') __builtin_trap();
    const Environment env = scanEnvironment(text);
    for (const auto* entries : {&env.functions, &env.dclFiles, &env.dclNames}) {
        for (const EnvEntry& e : *entries) {
            if (e.at >= text.size()) __builtin_trap();
            if (!e.text.empty()) {
                if (e.text.back() != ' ') __builtin_trap();
                CheckName(std::string_view(e.text).substr(0, e.text.size() - 1));
            }
        }
    }
    return 0;
}
