#include "document/longpath.h"

namespace tessel::longpath {

namespace {

std::size_t rootLength(std::string_view path)
{
    if (path.size() >= 2 && path[1] == ':')
        return (path.size() >= 3 && path[2] == '\\') ? 3 : 2;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const std::size_t shareStart = path.find('\\', 2);
        return shareStart == std::string_view::npos ? path.size() : shareStart + 1;
    }
    // From the root of the current drive: without its backslash the path
    // would turn relative and name another file.
    if (!path.empty() && path[0] == '\\') return 1;
    return 0;
}

}  // namespace

int expandLongPath(std::string_view source, std::string& destination, const FindFileName& find)
{
    destination.assign(source);
    if (source.size() > kMaxPathLength) return 0;
    if (source.find_first_of("*?") != std::string_view::npos) return 0;
    // The system also separates components with '/', but the expansion cuts
    // only at backslashes: a lookup would give the name after the last '/'
    // and lose what lies before it.
    if (source.find('/') != std::string_view::npos) return 0;

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
    if (expanded.size() > kMaxPathLength) return 0;
    destination = std::move(expanded);
    return 1;
}

}  // namespace tessel::longpath
