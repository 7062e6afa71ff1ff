// File types of the Open, Save As and Merge dialogs, the filter of the
// program starter's choosing dialog, and the directory separator append.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tessel::filetypes {

struct FileType {
    const char* description;
    const char* pattern;
};

// The document dialogs' file types, in their order; the first is selected.
extern const std::array<FileType, 19> kDocumentTypes;

// PATHS/Open and PATHS/Save: the folders the document dialogs start in.
// Key names: 1 -> "Open", 2 -> "Save", anything else -> nullptr.
constexpr const char* kPathsSection = "PATHS";
enum DialogFolder { kOpenFolder = 1, kSaveFolder = 2 };
const char* pathsKeyName(int which);

constexpr const char* kDocumentDefaultExtension = "txt";
constexpr const char* kProgramDefaultExtension = "exe";

// Filters in the form lpstrFilter takes: description NUL pattern NUL ...,
// ended by one more NUL (the std::string's contents end with two NULs).
const std::string& documentFilter();
const std::string& programFilter();

// Appends a backslash to `path` unless it already ends with one.  The path
// lives in a buffer of `bufferSize` bytes, terminator included, so there is
// room when bufferSize > path length + 1.  Returns 2 when the path already
// ends with a backslash, 0 when there is no room (path unchanged), 1 after
// appending.  An empty path gets the backslash.
int appendDirectorySeparator(std::string& path, std::size_t bufferSize);

}  // namespace tessel::filetypes
