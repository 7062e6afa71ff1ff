#include "document/fileio_win.h"

#include <cstring>
#include <memory>

#include "core/savefile_win.h"

namespace tessel::document {
namespace {

// Zero-filled movable global memory, locked while it lives.
class GlobalBuffer {
public:
    explicit GlobalBuffer(SIZE_T size) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
        if (block_) data_ = static_cast<char*>(GlobalLock(block_));
    }
    ~GlobalBuffer() {
        if (data_) GlobalUnlock(block_);
        if (block_) GlobalFree(block_);
    }
    GlobalBuffer(const GlobalBuffer&) = delete;
    GlobalBuffer& operator=(const GlobalBuffer&) = delete;
    char* data() const { return data_; }

private:
    HGLOBAL block_;
    char* data_ = nullptr;
};


// Reads the whole file into zeroed memory with a terminator behind it.
// `size` gets the byte count.
LoadResult ReadWhole(const char* path, std::unique_ptr<GlobalBuffer>& buffer, DWORD& size) {
    // Others may read the file meanwhile but not change it.
    savefile::FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LoadResult::kCannotOpen;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file.get(), &length)) return LoadResult::kCannotOpen;
    if (length.QuadPart >= kLoadLimit) return LoadResult::kTooBig;
    size = static_cast<DWORD>(length.QuadPart);
    buffer = std::make_unique<GlobalBuffer>(size + 1);
    if (!buffer->data()) return LoadResult::kNoMemory;
    DWORD got = 0;
    // A file that cannot be read to its end counts as unreadable.
    if (size && (!::ReadFile(file.get(), buffer->data(), size, &got, nullptr) || got != size))
        return LoadResult::kNoMemory;
    return LoadResult::kLoaded;
}

bool HoldsNul(const char* data, DWORD size) { return std::memchr(data, '\0', size) != nullptr; }

}  // namespace

LoadResult LoadFile(HWND edit, const char* path) {
    std::unique_ptr<GlobalBuffer> buffer;
    DWORD size = 0;
    const LoadResult result = ReadWhole(path, buffer, size);
    if (result != LoadResult::kLoaded) return result;
    SetWindowTextA(edit, buffer->data());
    return HoldsNul(buffer->data(), size) ? LoadResult::kLoadedCutAtNul : LoadResult::kLoaded;
}

std::optional<std::string> ReadMergeFile(const char* path, bool& cutAtNul) {
    std::unique_ptr<GlobalBuffer> buffer;
    DWORD size = 0;
    cutAtNul = false;
    if (ReadWhole(path, buffer, size) != LoadResult::kLoaded) return std::nullopt;
    cutAtNul = HoldsNul(buffer->data(), size);
    return std::string(buffer->data());
}

WriteResult WriteDocument(HWND edit, const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return WriteResult::kFailed;
    // The caller has asked about a read-only file; it is written and stays
    // read-only.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);

    const int length = GetWindowTextLengthA(edit);
    GlobalBuffer text(static_cast<SIZE_T>(length) + 1);
    WriteResult result = WriteResult::kFailed;
    if (text.data()) {
        const int got = GetWindowTextA(edit, text.data(), length + 1);
        if (savefile::SaveDocumentBytes(path, text.data(), static_cast<DWORD>(got))) result = WriteResult::kWritten;
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

}  // namespace tessel::document
