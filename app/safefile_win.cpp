#include "app/safefile_win.h"

#include <string>

namespace tessel::safefile {
namespace {

// The directory of `path` for a file beside it; "." when there is none.
std::string DirectoryOf(const std::string& path) {
    const std::size_t at = path.find_last_of("\\/:");
    return at == std::string::npos ? std::string(".") : path.substr(0, at + 1);
}

// Writes the bytes into a new temporary file beside `target`; its name, or
// an empty string when not every byte reached the disk.
std::string WriteBeside(const std::string& target, const char* data, DWORD length) {
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(DirectoryOf(target).c_str(), "TSL", 0, temp)) return {};
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    DWORD written = 0;
    if (ok && length) ok = WriteFile(file, data, length, &written, nullptr) && written == length;
    if (ok) ok = FlushFileBuffers(file) != 0;
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) ok = false;
    if (!ok) {
        DeleteFileA(temp);
        return {};
    }
    return temp;
}

}  // namespace

bool Replace(const char* path, const char* data, std::size_t length) {
    if (!path || !*path || length > MAXDWORD) return false;
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file stays as it is; a caller that may overwrite it clears
    // the attribute first.
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    const std::string temp = WriteBeside(path, data, static_cast<DWORD>(length));
    if (temp.empty()) return false;
    if (!MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (exists) SetFileAttributesA(path, attributes);
    return true;
}

}  // namespace tessel::safefile
