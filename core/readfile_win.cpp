#include "core/readfile_win.h"

#include <limits>
#include <new>

namespace tessel::readfile {

Result ReadAll(HANDLE file, std::string& out, std::uint64_t maxSize, Longer longer) {
    out.clear();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return Result::kReadError;
    std::uint64_t wanted = static_cast<std::uint64_t>(size.QuadPart);
    if (wanted > maxSize) {
        if (longer == Longer::kRefuse) return Result::kTooBig;
        wanted = maxSize;
    }
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return Result::kReadError;
    if (wanted > std::numeric_limits<std::size_t>::max() / 2) return Result::kNoMemory;  // a 32-bit process
    try {
        out.assign(static_cast<std::size_t>(wanted), '\0');
    } catch (const std::bad_alloc&) {
        return Result::kNoMemory;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t left = out.size() - done;
        const DWORD chunk = static_cast<DWORD>(left > (1u << 30) ? (1u << 30) : left);
        DWORD got = 0;
        // A failing read, or a file cut short while it is read: not all of it.
        if (!::ReadFile(file, &out[done], chunk, &got, nullptr) || got == 0) {
            out.resize(done);
            return Result::kReadError;
        }
        done += got;
    }
    return Result::kRead;
}

Result ReadPath(const char* path, std::string& out, std::uint64_t maxSize, DWORD share, Longer longer) {
    out.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Result::kNotFound
                                                                              : Result::kCannotOpen;
    }
    const Result result = ReadAll(file, out, maxSize, longer);
    CloseHandle(file);
    return result;
}

}  // namespace tessel::readfile
