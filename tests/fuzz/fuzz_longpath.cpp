// The long-path expansion of any path over a made-up file system in which
// every name exists (except names holding a '!' or a ':') and is stored in its
// own spelling.  Checked:
//  - an expanded path names the same file as the path given: the same kind of
//    root and the same components, compared the way the file system compares
//    them;
//  - it fits a path buffer; a path that is not expanded is left exactly as
//    given;
//  - only the path's own leading parts are looked up, never a pattern.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/check.h"
#include "document/longpath.h"

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = upperAscii(c);
    return out;
}

// The spelling the file system stores for a name: lower case, and a short
// name's "~1" written out long.
std::string stored(std::string_view name)
{
    std::string out;
    const std::string key = upper(name);
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key.compare(i, 2, "~1") == 0) {
            out += "-long";
            ++i;
        } else {
            out += lowerAscii(key[i]);
        }
    }
    return out;
}

// How the file system identifies a name: its stored spelling, without case.
std::string identity(std::string_view name) { return upper(stored(name)); }

// The file a path names: the kind of root and the identities of its
// components.  Both separators count, as they do for the system.
std::vector<std::string> resolve(std::string_view p)
{
    std::vector<std::string> parts;
    std::size_t rest = 0;
    if (p.size() >= 2 && p[1] == ':' && !isSeparator(p[0])) {
        const bool absolute = p.size() >= 3 && isSeparator(p[2]);
        parts.push_back(std::string(1, upperAscii(p[0])) + (absolute ? ":\\" : ":"));
        rest = absolute ? 3 : 2;
    } else if (p.size() >= 2 && isSeparator(p[0]) && isSeparator(p[1])) {
        std::size_t end = 2;
        while (end < p.size() && !isSeparator(p[end])) ++end;
        parts.push_back("\\\\" + upper(p.substr(2, end - 2)) + "\\");
        rest = end < p.size() ? end + 1 : end;
    } else if (!p.empty() && isSeparator(p[0])) {
        parts.push_back("\\");
        rest = 1;
    } else {
        parts.push_back("");
    }
    while (rest < p.size()) {
        std::size_t end = rest;
        while (end < p.size() && !isSeparator(p[end])) ++end;
        parts.push_back(identity(p.substr(rest, end - rest)));
        rest = end + 1;
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string source(reinterpret_cast<const char*>(data), size);
    // "." and ".." are resolved before any lookup: the lookups walk the
    // resolved path, and the result names the file the resolved path names.
    const std::optional<std::string> resolved = tessel::longpath::resolveDots(source);
    const std::string walked = resolved ? *resolved : source;
    // The kind of root is kept (resolve's first part names it).
    REQUIRE(resolve(walked).front() == resolve(source).front() || !resolved);
    bool goodLookups = true;
    const tessel::longpath::FindFileName find = [&](const std::string& path) -> std::optional<std::string> {
        goodLookups = goodLookups && path.size() < walked.size() + 1 && walked.compare(0, path.size(), path) == 0 &&
                      path.find_first_of("*?") == std::string::npos;
        std::size_t start = path.size();
        while (start > 0 && !isSeparator(path[start - 1])) --start;
        if (start == 0 && path.size() >= 2 && path[1] == ':') start = 2;  // "C:FOO" is FOO
        const std::string_view name = std::string_view(path).substr(start);
        // No file name holds a ':', and no file is found through an empty
        // component.
        if (name.empty() || name.find_first_of("!:") != std::string_view::npos) return std::nullopt;
        for (std::size_t i = 2; i < path.size(); ++i)
            if (isSeparator(path[i]) && isSeparator(path[i - 1])) return std::nullopt;
        return stored(name);
    };

    std::string destination = "left over";
    const int result = tessel::longpath::expandLongPath(source, destination, find);
    REQUIRE(goodLookups);
    REQUIRE(result == 0 || result == 1);
    if (result == 0) {
        REQUIRE(destination == source);
        return 0;
    }
    REQUIRE(resolved.has_value());
    REQUIRE(destination.size() <= tessel::limits::kMaxPath);
    REQUIRE(resolve(destination) == resolve(walked));
    return 0;
}
