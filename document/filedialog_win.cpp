#include "document/filedialog_win.h"

#include <commdlg.h>

#include <optional>

#include "core/deferred_win.h"
#include "document/longpath.h"

namespace tessel::filedialog {

BOOL Run(HWND owner, int mode, Request& request) {
    if (mode != kOpen && mode != kOpenMultiple && mode != kSave) return 0;
    if (!request.file || request.capacity == 0) return 0;
    const bool multiple = mode == kOpenMultiple;
    if (!request.title) request.title = mode == kSave ? "Datei speichern unter" : "Datei öffnen";
    const bool systemTitle = request.title == kSystemTitle;

    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter;
    ofn.nFilterIndex = request.filterIndex;
    ofn.lpstrFile = request.file;
    // The caller's buffer decides how much the dialog may write.
    ofn.nMaxFile = request.capacity;
    ofn.lpstrFileTitle = request.fileTitle;
    ofn.nMaxFileTitle = request.fileTitle ? request.fileTitleCapacity : 512;
    ofn.lpstrTitle = systemTitle ? nullptr : request.title;
    ofn.lpstrDefExt = request.defaultExtension;
    ofn.lpstrInitialDir = request.initialDir && request.initialDir[0] ? request.initialDir : nullptr;
    if (request.flags)
        ofn.Flags = request.flags;
    else if (mode == kSave)
        ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    else
        ofn.Flags = multiple ? OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY : OFN_HIDEREADONLY;

    BOOL chosen = mode == kSave ? deferred::GetSaveFileNameA(&ofn) : deferred::GetOpenFileNameA(&ofn);
    request.filterIndex = ofn.nFilterIndex;
    request.file[request.capacity - 1] = '\0';
    if (request.fileTitle && request.fileTitleCapacity) request.fileTitle[request.fileTitleCapacity - 1] = '\0';
    if (request.upperCase) CharUpperA(request.file);
    return chosen;
}

std::string FileTitle(const char* path, std::size_t capacity) {
    std::string title(capacity > 0 ? capacity : 1, '\0');
    if (capacity > 0 && deferred::GetFileTitleA(path, title.data(), static_cast<WORD>(capacity)) == 0) {
        title.resize(std::char_traits<char>::length(title.c_str()));
        return title;
    }
    std::string name = path;
    const std::size_t at = name.find_last_of("\\/:");
    if (at != std::string::npos) name.erase(0, at + 1);
    if (capacity > 0 && name.size() > capacity - 1) name.resize(capacity - 1);
    return name;
}

int ExpandLongPath(const std::string& source, std::string& destination) {
    auto find = [](const std::string& path) -> std::optional<std::string> {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(path.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return std::nullopt;
        FindClose(search);
        return std::string(found.cFileName);
    };
    return longpath::expandLongPath(source, destination, find);
}

}  // namespace tessel::filedialog
