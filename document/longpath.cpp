#include "document/longpath.h"

#include <vector>

namespace tessel::longpath {

namespace {

std::size_t rootLength(std::string_view path)
{
    // A leading backslash comes first, as for the system: "\:x" is the name
    // ":x" at the root of the current drive, not a drive.
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const std::size_t shareStart = path.find('\\', 2);
        return shareStart == std::string_view::npos ? path.size() : shareStart + 1;
    }
    // From the root of the current drive: without its backslash the path
    // would turn relative and name another file.
    if (!path.empty() && path[0] == '\\') return 1;
    if (path.size() >= 2 && path[1] == ':')
        return (path.size() >= 3 && path[2] == '\\') ? 3 : 2;
    return 0;
}

}  // namespace

std::optional<std::string> resolveDots(std::string_view path)
{
    // The parts are cut at backslashes only; a path that also uses the
    // other separator could hide a root or a dot from the cut.
    if (path.find('/') != std::string_view::npos) return std::nullopt;
    const std::size_t root = rootLength(path);
    // Empty parts (doubled or trailing backslashes) stay, so the lookup
    // refuses them as before.
    std::vector<std::string_view> parts;
    bool dropped = false;
    for (std::size_t at = root;;) {
        std::size_t end = path.find('\\', at);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(at, end - at);
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
            dropped = true;
        } else if (part == ".") {
            dropped = true;
        } else {
            parts.push_back(part);
        }
        if (end == path.size()) break;
        at = end + 1;
    }
    // A part that a dropped "." or ".." brought to the front must not join
    // into a new root: an empty one would (".\\x" would become "\x",
    // "\.\\srv\x" the network path "\\srv\x"), and so would a name with a
    // colon at the front of a relative path (".\a:b" is no drive).
    // Such a path is left alone.
    if (dropped && !parts.empty() &&
        (parts.front().empty() || (root == 0 && parts.front().size() >= 2 && parts.front()[1] == ':')))
        return std::nullopt;
    std::string out(path.substr(0, root));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '\\';
        out += parts[i];
    }
    return out;
}

int expandLongPath(std::string_view given, std::string& destination, const FindFileName& find)
{
    destination.assign(given);
    if (given.size() > limits::kMaxPath) return 0;
    if (given.find_first_of("*?") != std::string_view::npos) return 0;
    // The system also separates components with '/', but the expansion cuts
    // only at backslashes: a lookup would give the name after the last '/'
    // and lose what lies before it.
    if (given.find('/') != std::string_view::npos) return 0;
    const std::optional<std::string> resolved = resolveDots(given);
    if (!resolved) return 0;
    const std::string_view source = *resolved;

    const std::size_t root = rootLength(source);
    std::string tail;

    // i runs from the length down to root + 1; cut points are the end of the
    // path and every backslash position.
    for (std::size_t i = source.size(); i > root; --i) {
        if (i != source.size() && source[i] != '\\') continue;
        // A trailing backslash or two backslashes in a row leave an empty
        // component, which no file system lookup finds.
        if (source[i - 1] == '\\') return 0;
        const std::optional<std::string> name = find(std::string(source.substr(0, i)));
        if (!name || name->empty()) return 0;
        tail.insert(0, *name + '\\');
    }

    if (!tail.empty() && tail.back() == '\\') tail.pop_back();

    std::string expanded(source.substr(0, root));
    expanded += tail;
    if (expanded.size() > limits::kMaxPath) return 0;
    destination = std::move(expanded);
    return 1;
}

}  // namespace tessel::longpath
