#include "document/fileio_win.h"

#include <string>

#include "core/editctl_win.h"
#include "core/readfile_win.h"
#include "core/savefile_win.h"

namespace tessel::fileio {
namespace {

// Reads the whole file; others may read it meanwhile but not change it.
LoadResult ReadWhole(const char* path, std::string& bytes) {
    switch (readfile::ReadPath(path, bytes, kLoadLimit - 1)) {
    case readfile::Result::kRead: return LoadResult::kLoaded;
    case readfile::Result::kTooBig: return LoadResult::kTooBig;
    case readfile::Result::kNotFound:
    case readfile::Result::kCannotOpen: return LoadResult::kCannotOpen;
    // A file that cannot be read to its end counts as unreadable.
    default: return LoadResult::kNoMemory;
    }
}

bool HoldsNul(const std::string& bytes) { return bytes.find('\0') != std::string::npos; }

}  // namespace

LoadResult LoadFile(HWND edit, const char* path) {
    std::string bytes;
    const LoadResult result = ReadWhole(path, bytes);
    if (result != LoadResult::kLoaded) return result;
    SetWindowTextA(edit, bytes.c_str());
    return HoldsNul(bytes) ? LoadResult::kLoadedCutAtNul : LoadResult::kLoaded;
}

std::optional<std::string> ReadMergeFile(const char* path, bool& cutAtNul) {
    std::string bytes;
    cutAtNul = false;
    if (ReadWhole(path, bytes) != LoadResult::kLoaded) return std::nullopt;
    cutAtNul = HoldsNul(bytes);
    return std::string(bytes.c_str());
}

WriteResult WriteDocument(HWND edit, const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return WriteResult::kFailed;
    // The caller has asked about a read-only file; it is written and stays
    // read-only.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);

    WriteResult result = WriteResult::kFailed;
    {
        const editctl::Text text(edit);
        if (text.ok() &&
            savefile::SaveDocumentBytes(path, text.view().data(), static_cast<DWORD>(text.view().size())))
            result = WriteResult::kWritten;
    }
    if (exists) {
        // The file keeps its attributes (the read-only one included) and is
        // marked as changed for backups.
        constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        DWORD wanted = attributes & kSettable;
        if (result == WriteResult::kWritten) wanted |= FILE_ATTRIBUTE_ARCHIVE;
        const DWORD now = GetFileAttributesA(path);
        if (now != INVALID_FILE_ATTRIBUTES && (now & kSettable) != wanted)
            SetFileAttributesA(path, wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    return result;
}

bool IsReadOnlyFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace tessel::fileio
