// The program starter's command line from a binding (a settings value, any
// bytes) and a file path.  Checked:
//  - an empty binding starts nothing;
//  - the line is never cut: binding, blank and path, plus the quotes added;
//  - read back the way the system splits a command line, the program is the
//    binding and the one argument is the path (for bindings without quotes,
//    and paths as the file system names files: no quotes, not ending in a
//    backslash).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/check.h"
#include "document/startercmd.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool hasBlank(std::string_view s) { return s.find_first_of(" \t") != std::string_view::npos; }

// The program name as the system takes it from a command line: up to the
// closing quote when the line starts with one, otherwise up to the first blank.
std::string programOf(std::string_view line, std::size_t& rest)
{
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        rest = close == std::string_view::npos ? line.size() : close + 1;
        return std::string(line.substr(1, (close == std::string_view::npos ? line.size() : close) - 1));
    }
    std::size_t i = 0;
    while (i < line.size() && !isBlank(line[i])) ++i;
    rest = i;
    return std::string(line.substr(0, i));
}

// The arguments as the C runtime splits them: blanks separate outside quotes,
// 2n backslashes before a quote give n and the quote toggles, 2n+1 give n and a
// literal quote, other backslashes are literal.
std::vector<std::string> argumentsOf(std::string_view s)
{
    std::vector<std::string> args;
    std::size_t i = 0;
    for (;;) {
        while (i < s.size() && isBlank(s[i])) ++i;
        if (i == s.size()) return args;
        std::string arg;
        bool quoted = false;
        while (i < s.size() && (quoted || !isBlank(s[i]))) {
            std::size_t slashes = 0;
            while (i < s.size() && s[i] == '\\') ++slashes, ++i;
            if (i < s.size() && s[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2) arg += '"';
                else quoted = !quoted;
                ++i;
            } else {
                arg.append(slashes, '\\');
                if (i < s.size() && (quoted || !isBlank(s[i]))) arg += s[i++];
            }
        }
        args.push_back(std::move(arg));
    }
}

std::size_t quotesAdded(std::string_view s) { return hasBlank(s) && !(!s.empty() && s[0] == '"') ? 2 : 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string binding = in.ConsumeRandomLengthString(500);
    const std::string path = in.ConsumeRemainingBytesAsString();
    const std::string line = tessel::starter::commandLine(binding, path);
    if (binding.empty()) {
        REQUIRE(line.empty());
        return 0;
    }
    REQUIRE(line.size() == binding.size() + quotesAdded(binding) + 1 + path.size() + quotesAdded(path));

    if (binding.find('"') != std::string::npos) return 0;
    std::size_t rest = 0;
    REQUIRE(programOf(line, rest) == binding);
    REQUIRE(rest < line.size() && line[rest] == ' ');
    if (path.empty() || path.find('"') != std::string::npos || path.back() == '\\') return 0;
    // A NUL would end the line for the system; file names hold none.
    if (path.find('\0') != std::string::npos) return 0;
    const std::vector<std::string> args = argumentsOf(std::string_view(line).substr(rest + 1));
    // A path of blanks only is quoted, so it is still one argument.
    REQUIRE(args.size() == 1 && args[0] == path);
    return 0;
}
