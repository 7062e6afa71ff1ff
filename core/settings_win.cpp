#include "core/settings_win.h"

#include <cstdio>
#include <new>
#include <optional>
#include <vector>

#include "core/inifile.h"
#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/paths.h"
#include "core/readfile_win.h"

namespace tessel::settings {
namespace {

// A settings file is a few hundred bytes; a monster is read up to here.
constexpr std::uint64_t kLargestIni = 64ull << 20;

constexpr msgbox::Message kNotWritten{
    "Die Einstellungen konnten nicht gespeichert werden:\n%s\n\nGeänderte Einstellungen gelten nur bis zum "
    "Programmende.",
    msgbox::kCaptionWarning, MB_ICONERROR};

char g_folder[limits::kPathBuffer];
char g_iniPath[limits::kPathBuffer];
char g_textBlockPath[limits::kPathBuffer];

// The file as last read, and what identified it then: a change on disk (an
// edit in another program, or in this one) is read again before a look-up.
inifile::File g_file;
bool g_platformReader;  // a UTF-16 or UTF-8 file: the platform reads it
struct Stamp {
    bool exists = false;
    FILETIME written{};
    unsigned long long size = 0;
    bool operator==(const Stamp& o) const {
        return exists == o.exists && written.dwLowDateTime == o.written.dwLowDateTime &&
               written.dwHighDateTime == o.written.dwHighDateTime && size == o.size;
    }
};
Stamp g_stamp;

struct Written {
    std::string section, key, value;
};
int g_batchDepth;
bool g_failed;
std::vector<Written> g_written;

void Derive(const std::string& program, const char* extension, char (&out)[limits::kPathBuffer]) {
    std::optional<std::string> path = paths::replaceExtension(program, extension);
    // A program path too long for the buffers leaves the path empty: reads
    // then give their defaults and writes report the failure, instead of
    // going to a shortened, wrong name.
    lstrcpynA(out, path ? path->c_str() : "", sizeof out);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether a file can be made in `folder`: a file of its own, gone on close.
bool Writable(const std::string& folder) {
    char name[32];
    std::snprintf(name, sizeof name, "~tessel%lu.tmp", GetCurrentProcessId());
    const std::string probe = folder + name;
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

std::optional<std::string> UserFolder() {
    char appData[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (n == 0 || n >= sizeof appData) return std::nullopt;
    std::string folder = std::string(appData) + "\\Tessel\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// The settings and text blocks kept beside the program so far become the
// starting point of the user's own copies.
void CopyIfMissing(const std::string& from, const std::string& to, const char* extension) {
    const std::optional<std::string> source = paths::replaceExtension(from, extension);
    const std::optional<std::string> target = paths::replaceExtension(to, extension);
    if (!source || !target || Exists(*target) || !Exists(*source)) return;
    if (CopyFileA(source->c_str(), target->c_str(), TRUE)) {
        const DWORD attributes = GetFileAttributesA(target->c_str());
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(target->c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
}

Stamp StampNow() {
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!g_iniPath[0] || !GetFileAttributesExA(g_iniPath, GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return stamp;
}

HANDLE OpenIni(const char* path, DWORD access) {
    return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// One pass over the open file into memory.
void ReadFrom(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info)) {
        g_stamp.exists = true;
        g_stamp.written = info.ftLastWriteTime;
        g_stamp.size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    }
    // After a read error, what was read before it counts, as the platform's
    // reader would have it.
    std::string bytes;
    readfile::ReadAll(file, bytes, kLargestIni, readfile::Longer::kPrefix);
    g_platformReader = inifile::needsPlatformReader(bytes);
    if (!g_platformReader) g_file = inifile::parse(bytes);
}

void Read(HANDLE opened = INVALID_HANDLE_VALUE) {
    g_file = {};
    g_platformReader = false;
    g_stamp = {};
    if (!g_iniPath[0]) return;
    HANDLE file = opened != INVALID_HANDLE_VALUE ? opened : OpenIni(g_iniPath, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        g_stamp = StampNow();
        g_platformReader = g_stamp.exists;  // there but not readable here: the platform tries, as it always did
        return;
    }
    ReadFrom(file);
    CloseHandle(file);
}

void ReadIfChanged() {
    if (!(StampNow() == g_stamp)) Read();
}

std::string PlatformString(const char* section, const char* key, DWORD capacity, const char* fallback) {
    std::string value(capacity, '\0');
    const DWORD n = GetPrivateProfileStringA(section, key, fallback, value.data(), capacity, g_iniPath);
    value.resize(n);
    return value;
}

// Every value written in the batch must read back as written.
bool AllWritten() {
    if (g_failed || !g_iniPath[0]) return false;
    Read();
    for (const Written& w : g_written) {
        const std::string expected = inifile::asReadBack(w.value);
        const DWORD capacity = static_cast<DWORD>(expected.size() + 2);
        if (g_platformReader) {
            if (PlatformString(w.section.c_str(), w.key.c_str(), capacity, "\x01") != expected) return false;
        } else if (!inifile::find(g_file, w.section, w.key) ||
                   inifile::readString(g_file, w.section, w.key, capacity, "") != expected) {
            return false;
        }
    }
    return true;
}

}  // namespace

void Open() {
    char module[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string programFolder = paths::directoryOf(module);
    const std::string programName = std::string(module).substr(programFolder.size());
    std::string folder = programFolder;
    // A settings file there that can be written to settles it with the one
    // opening that also reads it; only without one is the folder tried.
    const std::string ownIni = paths::replaceExtension(module, "INI").value_or("");
    HANDLE own = ownIni.empty() ? INVALID_HANDLE_VALUE : OpenIni(ownIni.c_str(), GENERIC_READ | GENERIC_WRITE);
    if (own == INVALID_HANDLE_VALUE && !Writable(programFolder)) {
        if (std::optional<std::string> user = UserFolder()) {
            folder = *user;
            CopyIfMissing(module, folder + programName, "INI");
            CopyIfMissing(module, folder + programName, "ATX");
        }
    }
    lstrcpynA(g_folder, folder.c_str(), sizeof g_folder);
    Derive(folder + programName, "INI", g_iniPath);
    Derive(folder + programName, "ATX", g_textBlockPath);
    Read(own);
}

const char* Folder() { return g_folder; }
const char* IniPath() { return g_iniPath; }
const char* TextBlockPath() { return g_textBlockPath; }

std::string FilePath(const char* extension) {
    return IniPath()[0] ? paths::replaceExtension(g_iniPath, extension).value_or("") : "";
}

std::string ReadString(const char* section, const char* key, DWORD capacity, const char* fallback) {
    if (!g_iniPath[0]) return fallback;
    ReadIfChanged();
    if (g_platformReader) return PlatformString(section, key, capacity, fallback);
    return inifile::readString(g_file, section, key, capacity, fallback);
}

int ReadInt(const char* section, const char* key, int fallback) {
    if (!g_iniPath[0]) return fallback;
    ReadIfChanged();
    if (g_platformReader) return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, g_iniPath));
    return static_cast<int>(inifile::readInt(g_file, section, key, fallback));
}

Batch::Batch() {
    if (g_batchDepth++ > 0) return;
    g_failed = false;
    g_written.clear();
    // The platform may hold a copy of the file from before it was changed or
    // removed outside; its writes must start from the file as it is now.
    if (g_iniPath[0]) WritePrivateProfileStringA(nullptr, nullptr, nullptr, g_iniPath);
}

Batch::~Batch() {
    if (--g_batchDepth > 0) return;
    if (!g_failed && g_written.empty()) return;
    try {
        const bool written = AllWritten();
        g_written.clear();
        if (!written) msgbox::Show(kNotWritten, nullptr, g_iniPath[0] ? g_iniPath : g_folder);
    } catch (const std::bad_alloc&) {
        g_written.clear();
        msgbox::ReportOutOfMemory(nullptr);
    }
}

void WriteString(const char* section, const char* key, const char* value) {
    Batch batch;
    if (g_iniPath[0] && WritePrivateProfileStringA(section, key, value, g_iniPath))
        g_written.push_back({section, key, value});
    else
        g_failed = true;
}

void WriteInt(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteString(section, key, text);
}

void WriteHex04(const char* section, const char* key, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    WriteString(section, key, text);
}

void WriteHex08(const char* section, const char* key, unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    WriteString(section, key, text);
}

}  // namespace tessel::settings
