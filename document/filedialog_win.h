// File-name services: the long-path expansion on FindFirstFile and the common
// open/save dialog wrapper that the program starter chooses its programs with.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace tessel::filedialog {

// Dialog modes of the wrapper.
constexpr int kOpenMultiple = -6665;
constexpr int kOpen = -6666;
constexpr int kSave = -6667;

// What the caller hands to the wrapper and gets back.
struct Request {
    char* file;                    // in: initial name; out: the chosen path, upper case
    DWORD capacity;                // size of `file` in bytes (512, or 7000 for multiple selection)
    const char* defaultExtension;  // lpstrDefExt
    const char* filter;            // description/pattern pairs, double-NUL terminated
    const char* title;             // null: the wrapper stores its default title here
    DWORD filterIndex;             // in and out
    // The document dialogs add these; the program starter leaves them.
    const char* initialDir = nullptr;  // null or empty: the dialog's own choice
    char* fileTitle = nullptr;         // out: the chosen file's title
    DWORD fileTitleCapacity = 0;
    DWORD flags = 0;                   // 0: the mode's own flags
    bool upperCase = true;             // the chosen path comes back in upper case
};

// A title that leaves the dialog its system caption ("Open", "Save As").
inline constexpr char kSystemTitle[] = "";

// Runs the open (kOpen, kOpenMultiple) or save (kSave) dialog; any other mode
// returns 0 without a dialog. Nonzero when the user confirmed.
BOOL Run(HWND owner, int mode, Request& request);

// The title the system shows for a path (GetFileTitle), at most
// `capacity` - 1 characters; the path's last part when the system gives none.
std::string FileTitle(const char* path, std::size_t capacity);

// Expands every component of `source` to the spelling the file system
// reports (8.3 names to long names). 1 when every component was found and
// `destination` holds the expanded path; 0 otherwise, with `destination` a
// copy of `source`.
int ExpandLongPath(const std::string& source, std::string& destination);

}  // namespace tessel::filedialog
