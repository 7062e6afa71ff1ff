// Loading, saving and merging the document: the file commands, the file
// reader and writer, the document dialogs and the Sysedit menu.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tessel::document {

// Files of this size or more are not loaded or merged.
constexpr DWORD kLoadLimit = 32500;

// File reader for loading: puts the file's bytes into the edit control.
enum LoadResult {
    kLoadCannotOpen = -2,
    kLoadNoMemory = -1,
    kLoadTooBig = 0,
    kLoaded = 1,
    kLoadedCutAtNul = 2,   // loaded; the file holds a NUL byte and the text ends before it
};
int LoadFile(HWND edit, const char* path);

// File reader for merging: the file's bytes, or no value when it cannot be
// opened, is too big or no memory can be had. `cutAtNul` tells whether the
// data held a NUL byte (the text then ends before it).
std::optional<std::string> ReadMergeFile(const char* path, bool& cutAtNul);

// File writer: the edit control's text, byte for byte, into `path`.
enum WriteResult { kWriteDeclined = -1, kWriteFailed = 0, kWritten = 1 };
int WriteDocument(HWND edit, const char* path);

// The title shown for a path: GetFileTitle, at most 127 characters.
std::string FileTitleOf(const char* path);

// Commands.
LRESULT NewCommand(HWND main, unsigned, LPARAM);        // 10
LRESULT OpenCommand(HWND main, unsigned, LPARAM);       // 11
LRESULT OpenPathCommand(HWND main, unsigned, LPARAM);   // 9, lParam = path
LRESULT SaveCommand(HWND main, unsigned, LPARAM);       // 12: 1 written, 0 not
LRESULT SaveAsCommand(HWND main, unsigned, LPARAM);     // 13: 1 written, 0 not
LRESULT MergeCommand(HWND main, unsigned, LPARAM);      // 16
LRESULT MergePathCommand(HWND main, unsigned, LPARAM);  // 17, lParam = path or null
LRESULT SysEditCommand(HWND main, unsigned id, LPARAM); // 70..86

// System-file opener: opens `name` from its fixed directory as a system file.
// 1 when the file was found and the open command was sent, 0 otherwise.
enum SystemDirectory { kRootDirectory, kWindowsDirectory, kSystemDirectory };
int OpenSystemFile(HWND owner, const char* name, SystemDirectory where);

}  // namespace tessel::document
