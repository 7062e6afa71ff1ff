// Reading and writing the document's file: the reader for loading and for
// merging, and the writer. Byte for byte, every count checked; results are
// typed and the callers show the one message each result stands for.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tessel::fileio {

// Files of this size or more are not loaded or merged.
constexpr DWORD kLoadLimit = 32500;

enum class LoadResult {
    kLoaded,
    kLoadedCutAtNul,  // loaded; the file holds a NUL byte and the text ends before it
    kTooBig,
    kNoMemory,        // also a file that cannot be read to its end
    kCannotOpen,
};

// Puts the file's bytes into the edit control.
LoadResult LoadFile(HWND edit, const char* path);

// The file's bytes for merging, or no value when it cannot be opened, is too
// big or no memory can be had. `cutAtNul` tells whether the data held a NUL
// byte (the text then ends before it).
std::optional<std::string> ReadMergeFile(const char* path, bool& cutAtNul);

enum class WriteResult { kWritten, kFailed };

// True for an existing file with the read-only attribute: the caller asks
// before it writes one.
bool IsReadOnlyFile(const char* path);

// Writes the edit control's text into `path`, keeping the file what it was
// (see core/savefile_win.h). An existing file keeps its attributes, the
// read-only one included, and is marked as changed for backups.
WriteResult WriteDocument(HWND edit, const char* path);

}  // namespace tessel::fileio
