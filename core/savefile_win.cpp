#include "core/savefile_win.h"

#include <cstdio>
#include <new>
#include <string>

#include "core/readfile_win.h"
#include "core/recoveryfile.h"
#include "core/settings_win.h"

namespace tessel::savefile {
namespace {

// An old file larger than this is not copied into memory; it is replaced
// through a new file instead (the document itself is never this large).
constexpr LONGLONG kLargestKeptCopy = 64LL << 20;

// Every file operation of a save passes a gate first. In the shipped program
// each gate is open; the test build can stop the save at any one of them.
enum class Gate { kRun, kTear, kStop };

#ifdef TESSEL_TEST_SEAMS
struct Cut {};
int g_cutAt = -1;
int g_step = 0;
bool g_lastCut = false;

Gate Next(bool isWrite) {
    const int step = g_step++;
    if (g_cutAt < 0 || step < g_cutAt) return Gate::kRun;
    return isWrite ? Gate::kTear : Gate::kStop;
}
void Stop() { throw Cut{}; }
#else
constexpr Gate Next(bool) { return Gate::kRun; }
void Stop() {}
#endif

// Runs one file operation behind its gate.
template <typename Op>
bool Step(Op op) {
    if (Next(false) == Gate::kStop) Stop();
    return op();
}

bool SetLength(HANDLE file, LONGLONG length) {
    LARGE_INTEGER at;
    at.QuadPart = length;
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Writes the bytes from the start of the file; every byte count is checked.
bool WriteFrom0(HANDLE file, const char* data, std::size_t length) {
    const Gate gate = Next(true);
    if (gate == Gate::kTear) length /= 2;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return false;
    std::size_t done = 0;
    while (done < length) {
        const DWORD chunk = static_cast<DWORD>(length - done > (1u << 30) ? (1u << 30) : length - done);
        DWORD written = 0;
        if (!WriteFile(file, data + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    if (gate == Gate::kTear) Stop();
    return true;
}

// The file's whole content; false when it cannot be read completely.
bool ReadAll(HANDLE file, std::string& bytes) {
    return readfile::ReadAll(file, bytes, kLargestKeptCopy) == readfile::Result::kRead;
}

// Whether a backup may be written at `place`: nothing is there, or a file
// of ours (a backup or recovery file, whole or damaged). Somebody's own file
// that merely has the backup's name is never written over.
bool OursToOverwrite(const std::string& place) {
    const DWORD attributes = GetFileAttributesA(place.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    FileHandle file(CreateFileA(place.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!file.valid() || !ReadAll(file.get(), bytes)) return false;
    recoveryfile::Record record;
    return recoveryfile::Decode(bytes, record) != recoveryfile::ReadResult::kForeign;
}

// The backup of a document's new text: written and flushed before the
// document is touched, removed after the document is flushed.
class Backup {
public:
    // Writes the backup beside the document or, where that fails (a folder
    // that takes no new file, a full drive), in the settings folder. Without
    // either the save goes on as a plain in-place save.
    void write(const char* path, const char* data, DWORD length) {
        recoveryfile::Record record;
        record.kind = recoveryfile::Kind::kBackup;
        record.path = path;
        record.text.assign(data, length);
        const std::string bytes = recoveryfile::Encode(record);
        for (const std::string& place : {BackupBeside(path), BackupInSettings(path, settings::IniPath())}) {
            if (!place.empty() && writeAt(place, bytes)) {
                path_ = place;
                return;
            }
        }
    }
    void remove() {
        if (!path_.empty()) Step([&] { return DeleteFileA(path_.c_str()) != 0; });
        path_.clear();
    }

private:
    bool writeAt(const std::string& place, const std::string& bytes) {
        if (!OursToOverwrite(place)) return false;
        FileHandle file(INVALID_HANDLE_VALUE);
        Step([&] {
            file.reset(
                CreateFileA(place.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
            return file.valid();
        });
        if (!file.valid()) return false;
        bool ok = WriteFrom0(file.get(), bytes.data(), bytes.size()) &&
                  Step([&] { return FlushFileBuffers(file.get()) != 0; });
        if (!file.close()) ok = false;
        if (!ok) DeleteFileA(place.c_str());
        return ok;
    }
    std::string path_;
};

enum class InPlace { kWritten, kFailed, kTorn };

// Opens the existing file for writing in place and reads its old bytes.
// Others may go on reading and writing it meanwhile (a log viewer, a second
// editor), but one that forbids writing stops the save.
bool OpenForInPlace(const char* path, HANDLE& handle, std::string& old) {
    handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE && ReadAll(handle, old);
}

// Writes into the existing file, opened by OpenForInPlace.
InPlace WriteInPlace(FileHandle& file, const std::string& old, const char* data, DWORD length) {
    // New bytes over the old ones first, the length cut only once they are
    // all written: until then every old byte is either still on the disk or
    // in `old`, and the blocks the old bytes need stay allocated.
    if (WriteFrom0(file.get(), data, length) && Step([&] { return SetLength(file.get(), length); }) &&
        Step([&] { return FlushFileBuffers(file.get()) != 0; }) && file.close())
        return InPlace::kWritten;

    // Put the old bytes back where they were; they fit, since they fitted
    // before. Should even that fail, the file is torn and the backup stays.
    if (file.valid() && WriteFrom0(file.get(), old.data(), old.size()) &&
        SetLength(file.get(), static_cast<LONGLONG>(old.size())) && FlushFileBuffers(file.get()))
        return InPlace::kFailed;
    return InPlace::kTorn;
}

// Writes the bytes into a new file named `path`; a file that cannot be
// written completely is removed again.
bool WriteNew(const char* path, const char* data, DWORD length) {
    FileHandle file(INVALID_HANDLE_VALUE);
    Step([&] {
        file.reset(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.valid();
    });
    if (!file.valid()) return false;
    const bool ok = WriteFrom0(file.get(), data, length) && Step([&] { return FlushFileBuffers(file.get()) != 0; });
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
    if (!Step([&] { return GetTempFileNameA(DirectoryBeside(path).c_str(), "TSL", 0, temp) != 0; })) return false;
    bool ok = false;
    {
        FileHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ok = file.valid() && WriteFrom0(file.get(), data, length) &&
             Step([&] { return FlushFileBuffers(file.get()) != 0; });
        if (!file.close()) ok = false;
    }
    if (ok)
        ok = Step([&] {
            return ReplaceFileA(path, temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) ||
                   MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        });
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

// The save's steps, in this order:
//   1. open the existing file for writing and read its old bytes;
//   2. (document) create the backup, write the new text into it, flush it;
//   3. write the new bytes over the old ones, cut the length, flush
//      (a new file: create it, write, flush; a file that cannot be written in
//      place: a temporary file written, flushed and put in its place);
//   4. (document) remove the backup.
// A failure in 3 puts the old bytes back and removes the backup; only when
// the old bytes cannot be put back either does the backup stay.
bool Save(const char* path, const char* data, DWORD length, bool withBackup) {
    Backup backup;
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        if (withBackup) backup.write(path, data, length);
        const bool ok = WriteNew(path, data, length);
        backup.remove();
        return ok;
    }
    HANDLE opened = INVALID_HANDLE_VALUE;
    std::string old;
    const bool inPlace = Step([&] { return OpenForInPlace(path, opened, old); });
    FileHandle file(opened);
    if (inPlace) {
        if (withBackup) backup.write(path, data, length);
        const InPlace result = WriteInPlace(file, old, data, length);
        if (result != InPlace::kTorn) backup.remove();
        return result == InPlace::kWritten;
    }
    file.close();
    if (SharedIdentity(path)) return false;
    if (withBackup) backup.write(path, data, length);
    const bool ok = WriteByReplacing(path, data, length);
    backup.remove();
    return ok;
}

bool Guarded(const char* path, const char* data, DWORD length, bool withBackup) {
#ifdef TESSEL_TEST_SEAMS
    g_step = 0;
    g_lastCut = false;
    try {
        return Save(path, data, length, withBackup);
    } catch (const Cut&) {
        g_lastCut = true;
        return false;
    }
#else
    return Save(path, data, length, withBackup);
#endif
}

}  // namespace

bool SaveBytes(const char* path, const char* data, DWORD length) { return Guarded(path, data, length, false); }

bool SaveDocumentBytes(const char* path, const char* data, DWORD length) { return Guarded(path, data, length, true); }

std::string BackupBeside(const char* path) {
    std::string beside = std::string(path) + ".TSB";
    return beside.size() < MAX_PATH ? beside : std::string();
}

std::string CanonicalPath(const char* path) {
    char full[MAX_PATH * 2] = {};
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(path, sizeof full, full, &name);
    std::string canonical = n > 0 && n < sizeof full ? std::string(full) : std::string(path);
    // The long form of the folder (the file itself may not exist yet).
    const std::size_t cut = canonical.find_last_of('\\');
    if (cut != std::string::npos && cut > 0) {
        char longer[MAX_PATH * 2] = {};
        const DWORD m = GetLongPathNameA(canonical.substr(0, cut).c_str(), longer, sizeof longer);
        if (m > 0 && m < sizeof longer) canonical = longer + canonical.substr(cut);
    }
    if (!canonical.empty()) CharUpperBuffA(&canonical[0], static_cast<DWORD>(canonical.size()));
    return canonical;
}

std::string BackupInSettings(const char* path, const char* settingsPath) {
    const std::string settings = settingsPath ? settingsPath : "";
    const std::size_t cut = settings.find_last_of("\\/");
    if (cut == std::string::npos) return std::string();
    const std::string upper = CanonicalPath(path);
    char name[24];
    std::snprintf(name, sizeof name, "TSB%08X.TSB", static_cast<unsigned>(recoveryfile::Crc32(upper)));
    std::string place = settings.substr(0, cut + 1) + name;
    return place.size() < MAX_PATH ? place : std::string();
}

#ifdef TESSEL_TEST_SEAMS
void CutAtStep(int step) { g_cutAt = step; }
bool LastSaveCut() { return g_lastCut; }
#endif

}  // namespace tessel::savefile
