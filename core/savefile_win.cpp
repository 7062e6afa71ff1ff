#include "core/savefile_win.h"

#include <new>
#include <string>

namespace tessel::savefile {
namespace {

// An old file larger than this is not copied into memory; it is replaced
// through a new file instead (the document itself is never this large).
constexpr LONGLONG kLargestKeptCopy = 64LL << 20;


bool SetLength(HANDLE file, LONGLONG length) {
    LARGE_INTEGER at;
    at.QuadPart = length;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Writes the bytes from the start of the file; every byte count is checked.
bool WriteFrom0(HANDLE file, const char* data, std::size_t length) {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return false;
    std::size_t done = 0;
    while (done < length) {
        const DWORD chunk = static_cast<DWORD>(length - done > (1u << 30) ? (1u << 30) : length - done);
        DWORD written = 0;
        if (!WriteFile(file, data + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// The file's whole content; false when it cannot be read completely.
bool ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > kLargestKeptCopy) return false;
    try {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) || got == 0)
            return false;
        done += got;
    }
    return true;
}

enum class InPlace { kWritten, kFailed, kNotPossible };

// Writes into the existing file. Others may go on reading and writing it
// meanwhile (a log viewer, a second editor), but one that forbids writing
// stops the save.
InPlace WriteInPlace(const char* path, const char* data, DWORD length) {
    FileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return InPlace::kNotPossible;
    std::string old;
    if (!ReadAll(file.get(), old)) return InPlace::kNotPossible;

    // New bytes over the old ones first, the length cut only once they are
    // all written: until then every old byte is either still on the disk or
    // in `old`, and the blocks the old bytes need stay allocated.
    if (WriteFrom0(file.get(), data, length) && SetLength(file.get(), length) && FlushFileBuffers(file.get()) &&
        file.close())
        return InPlace::kWritten;

    // Put the old bytes back where they were; they fit, since they fitted
    // before.
    if (file.valid()) {
        WriteFrom0(file.get(), old.data(), old.size());
        SetLength(file.get(), static_cast<LONGLONG>(old.size()));
        FlushFileBuffers(file.get());
    }
    return InPlace::kFailed;
}

// Writes the bytes into a new file named `path`; a file that cannot be
// written completely is removed again.
bool WriteNew(const char* path, const char* data, DWORD length) {
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    const bool ok = WriteFrom0(file.get(), data, length) && FlushFileBuffers(file.get());
    if (file.close() && ok) return true;
    DeleteFileA(path);
    return false;
}

// The directory of `path` for a file beside it; "." when there is none.
std::string DirectoryBeside(const std::string& path) {
    std::size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? std::string(".") : path.substr(0, at + 1);
}

// The way for a file that cannot be written in place (held open by a program
// that forbids writing but allows deleting, too large to keep a copy of, or
// not readable): the new bytes go into a temporary file beside it, which then
// replaces it. ReplaceFile keeps what it can of the old
// file's identity; the temporary file never stays behind.
bool WriteByReplacing(const char* path, const char* data, DWORD length) {
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(DirectoryBeside(path).c_str(), "TSL", 0, temp)) return false;
    bool ok = false;
    {
        FileHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = file.valid() && WriteFrom0(file.get(), data, length) && FlushFileBuffers(file.get());
        if (!file.close()) ok = false;
    }
    if (ok)
        ok = ReplaceFileA(path, temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
             MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp);
    return ok;
}

// True when replacing the file by another one would change more than its
// bytes: a file with further hard links, or a link itself, would stop being
// shared or pointed to.
bool SharedIdentity(const char* path) {
    FileHandle file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return false;
    return info.nNumberOfLinks > 1 || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

bool SaveBytes(const char* path, const char* data, DWORD length) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return WriteNew(path, data, length);
    switch (WriteInPlace(path, data, length)) {
    case InPlace::kWritten: return true;
    case InPlace::kFailed: return false;
    case InPlace::kNotPossible: break;
    }
    if (SharedIdentity(path)) return false;
    return WriteByReplacing(path, data, length);
}

}  // namespace tessel::savefile
