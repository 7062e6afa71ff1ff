// The long-path expansion takes paths from the command line, drops and the
// recent-files list. A made-up file system answers every lookup with a name
// derived from the path; the result must fit a path buffer, keep the source
// when it fails, never hold a "." or ".." component, and keep the kind of root.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/longpath.h"

namespace {

// The kind of root the system sees, both separators counted: 0 relative,
// 1 the current drive's root, 2 a network path, 3 drive-relative, 4 a drive's root.
int rootKind(std::string_view p) {
    const auto sep = [](char c) { return c == '\\' || c == '/'; };
    if (p.size() >= 2 && sep(p[0]) && sep(p[1])) return 2;
    if (!p.empty() && sep(p[0])) return 1;
    if (p.size() >= 2 && p[1] == ':') return p.size() >= 3 && sep(p[2]) ? 4 : 3;
    return 0;
}

bool HasDotComponent(std::string_view path) {
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find('\\', at);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(at, end - at);
        if (part == "." || part == "..") return true;
        at = end + 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    const auto find = [](const std::string& path) -> std::optional<std::string> {
        if (path.size() % 7 == 3) return std::nullopt;
        return "L" + std::to_string(path.size());
    };
    std::string out;
    const int found = tessel::longpath::expandLongPath(source, out, find);
    if (found == 0 && out != source) __builtin_trap();
    if (found == 1 && out.size() > tessel::limits::kMaxPath) __builtin_trap();
    if (const auto resolved = tessel::longpath::resolveDots(source)) {
        if (resolved->size() > source.size()) __builtin_trap();
        // Dropping dots never turns the path into one from another kind of root.
        if (rootKind(*resolved) != rootKind(source)) __builtin_trap();
        // The root ("X:\", "X:", "\\server\") is kept as given; after it no
        // dot component is left.
        std::size_t root = 0;
        if (source.size() >= 2 && source[0] == '\\' && source[1] == '\\') {
            const std::size_t share = source.find('\\', 2);
            root = share == std::string_view::npos ? source.size() : share + 1;
        } else if (!source.empty() && source[0] == '\\') {
            root = 1;
        } else if (source.size() >= 2 && source[1] == ':') {
            root = source.size() >= 3 && source[2] == '\\' ? 3 : 2;
        }
        if (resolved->compare(0, root, source.substr(0, root)) != 0) __builtin_trap();
        if (resolved->size() > root && HasDotComponent(std::string_view(*resolved).substr(root))) __builtin_trap();
    }
    return 0;
}
