// Long-path expansion: rewrites a path so that each component is spelt the
// way the file system reports it (8.3 names become long names, letters get
// their stored case).
#pragma once

#include "core/limits.h"
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::longpath {


// Looks a path up in the file system and gives the found entry's file name
// (its last component as stored), or no value when there is no such entry.
// The Windows layer builds it on FindFirstFile / cFileName / FindClose.
using FindFileName = std::function<std::optional<std::string>(const std::string& path)>;

// Expands `source` into `destination`.  Returns 1 when every component was
// found (destination = the expanded path), 0 otherwise (destination = a copy
// of source).
//
// The root is kept as given: "X:\" for a drive with its backslash, "X:" for a
// drive-relative path, "\\server\" for a UNC path, "\" for a path from the
// root of the current drive, nothing otherwise.  Then
// the path is cut at its end and at every backslash after the root, from the
// end towards the root, and each shortened path is looked up; each found name
// becomes one component of the result.  So a path with a trailing backslash,
// a UNC path whose share cannot be looked up, or a missing component gives 0.
// A component with the wildcards * or ? also gives 0, so that a pattern never
// turns into the name of some file that matches it; so does a path with a
// '/' (the system's other separator, which the cuts do not see); and so does a
// result, or a source, longer than 255 characters.
//
// The "." and ".." components are resolved first (see resolveDots), so
// dir\sub\..\f.txt expands as dir\f.txt; a ".." that would climb above the
// root gives 0.
int expandLongPath(std::string_view source, std::string& destination, const FindFileName& find);

// The path with its "." components dropped and each ".." taking away the
// component before it, the root kept as given.  No value when a ".." would
// climb above the root (or, in a relative path, above its start), when the
// path holds a '/', or when dropping a dot would bring an empty part or a
// name like "a:b" to the front, where it would read as another root.
std::optional<std::string> resolveDots(std::string_view path);

}  // namespace tessel::longpath
