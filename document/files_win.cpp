#include "document/files_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/command_win.h"
#include "app/shell_win.h"
#include "app/msgbox_win.h"
#include "app/settings_win.h"
#include "document/document_win.h"
#include "document/filedialog_win.h"
#include "document/filetypes.h"
#include "document/recent_win.h"
#include "document/savefile_win.h"
#include "document/starter_win.h"
#include "resources/ids.h"
#include "ui/dialogutil_win.h"

namespace tessel::document {
namespace {

constexpr std::size_t kPathCapacity = 256;
constexpr std::size_t kTitleCapacity = 128;
constexpr std::size_t kUpperTitleBelow = 12;   // shorter titles are shown in upper case

// The one record of the Open, Save As and Merge dialogs; filled on first use
// and reused, so the chosen file type carries over from one dialog to the next.
OPENFILENAMEA g_ofn;
bool g_ofnReady;
char g_initialDir[kPathCapacity];
char g_mergePath[kPathCapacity];
char g_mergeTitle[kTitleCapacity];

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

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        bool ok = true;
        if (valid()) ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Reads the whole file into zeroed memory with a terminator behind it.
// Returns a LoadResult (kLoaded or a failure); `size` gets the byte count.
int ReadWhole(const char* path, std::unique_ptr<GlobalBuffer>& buffer, DWORD& size) {
    // Others may read the file meanwhile but not change it.
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return kLoadCannotOpen;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file.get(), &length)) return kLoadCannotOpen;
    if (length.QuadPart >= kLoadLimit) return kLoadTooBig;
    size = static_cast<DWORD>(length.QuadPart);
    buffer = std::make_unique<GlobalBuffer>(size + 1);
    if (!buffer->data()) return kLoadNoMemory;
    DWORD got = 0;
    // A file that cannot be read to its end counts as unreadable.
    if (size && (!::ReadFile(file.get(), buffer->data(), size, &got, nullptr) || got != size))
        return kLoadNoMemory;
    return kLoaded;
}

bool HoldsNul(const char* data, DWORD size) { return std::memchr(data, '\0', size) != nullptr; }

// The path made absolute against the current directory, its "." and ".."
// parts resolved: the document must keep naming the same file when a file
// dialog later changes the current directory. The path as given when the
// system cannot make it absolute.
std::string AbsolutePath(const std::string& path) {
    char full[MAX_PATH * 2] = {};
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    return n > 0 && n < sizeof full ? std::string(full) : path;
}

void UpperCaseShortTitle() {
    if (std::strlen(Title()) < kUpperTitleBelow) CharUpperA(TitleBuffer());
}

// Enters the document path as the most recent file (upper-casing it) and
// rebuilds the menu.
void EnterRecent(HWND main) {
    recent::Enter(PathBuffer(), static_cast<int>(kPathCapacity));
    SendMessageA(main, WM_COMMAND, CMD_RECENTMENU, 0);
}

// Runs the Open or Save As dialog of the documents on copies of `file` and
// `title`; they are written back only when the user confirmed, so a failed
// dialog can never leave a half-written path behind.
bool RunDocumentDialog(HWND main, char* file, char* title, int directoryKey, DWORD flags, bool save) {
    if (!g_ofnReady) {
        g_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        g_ofn.lpstrFilter = filetypes::documentFilter().c_str();
        g_ofn.nFilterIndex = 1;
        g_ofn.lpstrDefExt = filetypes::kDocumentDefaultExtension;
        g_ofnReady = true;
    }
    lstrcpynA(g_initialDir, settings::ReadDirectory(directoryKey).c_str(), sizeof g_initialDir);
    char fileCopy[kPathCapacity];
    char titleCopy[kTitleCapacity];
    lstrcpynA(fileCopy, file, sizeof fileCopy);
    lstrcpynA(titleCopy, title, sizeof titleCopy);
    g_ofn.hwndOwner = main;
    g_ofn.lpstrFile = fileCopy;
    g_ofn.nMaxFile = sizeof fileCopy;
    g_ofn.lpstrFileTitle = titleCopy;
    g_ofn.nMaxFileTitle = sizeof titleCopy;
    g_ofn.lpstrInitialDir = g_initialDir[0] ? g_initialDir : nullptr;
    g_ofn.Flags = flags;
    const bool chosen = (save ? GetSaveFileNameA(&g_ofn) : GetOpenFileNameA(&g_ofn)) != 0;
    g_ofn.lpstrFile = g_ofn.lpstrFileTitle = nullptr;
    if (!chosen) return false;
    fileCopy[sizeof fileCopy - 1] = titleCopy[sizeof titleCopy - 1] = '\0';
    if (!titleCopy[0]) lstrcpynA(titleCopy, FileTitleOf(fileCopy).c_str(), sizeof titleCopy);
    lstrcpynA(file, fileCopy, static_cast<int>(kPathCapacity));
    lstrcpynA(title, titleCopy, static_cast<int>(kTitleCapacity));
    return true;
}

// The document as it was before a load, so that the program starter's
// closing asks about the text under its own name: a Yes then saves the text
// where it came from, never over the oversized file.
struct Identity {
    std::string path;
    std::string title;
    bool cut;
};

Identity CurrentIdentity() { return {Path(), Title(), CutAtNul()}; }

enum class Origin { kDialog, kPath };

// Acts on the file reader's result as Open and Open by path do.
void FinishLoad(HWND main, int result, Origin origin, const Identity& before) {
    switch (result) {
    case kLoadCannotOpen:
        Warn(main, "Die gewählte Datei %s existiert nicht !");
        ClearPathAndTitle();
        break;
    case kLoadNoMemory:
        if (origin == Origin::kDialog)
            Warn(main, "Datei %s kann nicht gelesen werden !");
        else if (IsSystemFile())
            Warn(main, "Fehler beim Laden der System-Datei %s !");
        else
            Warn(main, "Fehler beim Laden der Datei %s !");
        ClearPathAndTitle();
        break;
    case kLoadTooBig: {
        const std::string big = Path();
        SetPath(before.path.c_str());
        SetTitle(before.title.c_str());
        SetCutAtNul(before.cut);
        starter::Run(main, big.c_str());
        ClearPathAndTitle();
        break;
    }
    default:  // loaded
        if (origin == Origin::kDialog) {
            EnterRecent(main);
            settings::WriteDirectory(settings::kPathOpen, Path());
        } else if (!IsSystemFile()) {
            EnterRecent(main);
        }
        if (result == kLoadedCutAtNul) {
            SetCutAtNul(true);
            UpdateCaption();
            Warn(main,
                 "Die Datei %s enthält ein Nullzeichen: der Text endet davor.\n\n"
                 "Beim Speichern wird nach einem Dateinamen gefragt, damit die Datei erhalten bleibt.");
        }
        break;
    }
}

void EndOpen() {
    UpdateCaption();
    SetModified(false);
    shell::SendCommand(CMD_STATUS);
}

struct SystemFile {
    const char* name;
    SystemDirectory where;
};

constexpr SystemFile kSystemFiles[] = {
    {"AUTOEXEC.BAT", kRootDirectory},    {"CONFIG.SYS", kRootDirectory},      {"WIN.INI", kWindowsDirectory},
    {"SYSTEM.INI", kWindowsDirectory},   {"PROGMAN.INI", kWindowsDirectory},  {"CONTROL.INI", kWindowsDirectory},
    {"WINFILE.INI", kWindowsDirectory},  {"SCHDPLUS.INI", kWindowsDirectory}, {"MSMAIL.INI", kWindowsDirectory},
    {"SERIALNO.INI", kWindowsDirectory}, {"MSDOS.SYS", kRootDirectory},       {"OEMINFO.INI", kSystemDirectory},
    {"DBLSPACE.INI", kRootDirectory},    {"DOSSTART.BAT", kWindowsDirectory}, {"WINSTART.BAT", kWindowsDirectory},
    {"WININIT.INI", kWindowsDirectory},  {"WININIT.BAK", kWindowsDirectory},
};
static_assert(sizeof kSystemFiles / sizeof kSystemFiles[0] == CMD_SYSEDIT_LAST - CMD_SYSEDIT_FIRST + 1);

}  // namespace

// ------------------------------------------------------------ reader, writer

int LoadFile(HWND edit, const char* path) {
    std::unique_ptr<GlobalBuffer> buffer;
    DWORD size = 0;
    int result = ReadWhole(path, buffer, size);
    if (result != kLoaded) return result;
    SetWindowTextA(edit, buffer->data());
    return HoldsNul(buffer->data(), size) ? kLoadedCutAtNul : kLoaded;
}

std::optional<std::string> ReadMergeFile(const char* path, bool& cutAtNul) {
    std::unique_ptr<GlobalBuffer> buffer;
    DWORD size = 0;
    cutAtNul = false;
    if (ReadWhole(path, buffer, size) != kLoaded) return std::nullopt;
    cutAtNul = HoldsNul(buffer->data(), size);
    return std::string(buffer->data());
}

int WriteDocument(HWND edit, const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kWriteFailed;
    const bool readOnly = exists && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) {
        if (ShowMessage(GetParent(edit), "Wollen Sie die schreibgeschützte Datei wirklich überschreiben ?",
                        "Datei ist schreibgeschützt", MB_ICONQUESTION | MB_YESNO) != IDYES)
            return kWriteDeclined;
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    }

    const int length = GetWindowTextLengthA(edit);
    GlobalBuffer text(static_cast<SIZE_T>(length) + 1);
    int result = kWriteFailed;
    if (text.data()) {
        const int got = GetWindowTextA(edit, text.data(), length + 1);
        if (SaveBytes(path, text.data(), static_cast<DWORD>(got))) result = kWritten;
    }
    if (exists) {
        // The file keeps its attributes (the read-only one included) and is
        // marked as changed for backups.
        constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        DWORD wanted = attributes & kSettable;
        if (result == kWritten) wanted |= FILE_ATTRIBUTE_ARCHIVE;
        const DWORD now = GetFileAttributesA(path);
        if (now != INVALID_FILE_ATTRIBUTES && (now & kSettable) != wanted)
            SetFileAttributesA(path, wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
    }
    return result;
}

std::string FileTitleOf(const char* path) {
    char title[kTitleCapacity] = {};
    if (GetFileTitleA(path, title, sizeof title) == 0) return title;
    std::string whole = path;
    std::size_t at = whole.find_last_of("\\/:");
    std::string name = at == std::string::npos ? whole : whole.substr(at + 1);
    if (name.size() > kTitleCapacity - 1) name.resize(kTitleCapacity - 1);
    return name;
}

// ------------------------------------------------------------ commands

LRESULT NewCommand(HWND, unsigned, LPARAM) {
    if (!ChangeGuard()) return 0;
    SetSystemFile(false);
    SetWindowTextA(shell::EditControl(), "");
    ClearPathAndTitle();
    EndOpen();
    return 0;
}

LRESULT OpenCommand(HWND main, unsigned, LPARAM) {
    if (!ChangeGuard()) return 0;
    SetSystemFile(false);
    const Identity before = CurrentIdentity();
    char file[kPathCapacity];
    char title[kTitleCapacity];
    lstrcpynA(file, Path(), sizeof file);
    lstrcpynA(title, Title(), sizeof title);
    if (RunDocumentDialog(main, file, title, settings::kPathOpen, OFN_CREATEPROMPT, false)) {
        SetPath(file);
        SetTitle(title);
        SetCutAtNul(false);
        UpperCaseShortTitle();
        FinishLoad(main, LoadFile(shell::EditControl(), Path()), Origin::kDialog, before);
    }
    EndOpen();
    return 0;
}

LRESULT OpenPathCommand(HWND main, unsigned, LPARAM arg) {
    const char* given = reinterpret_cast<const char*>(arg);
    if (!given) return 0;
    const std::string source = given;   // the sender's buffer may be one of ours
    if (!ChangeGuard()) return 0;
    const Identity before = CurrentIdentity();
    std::string expanded;
    filedialog::ExpandLongPath(AbsolutePath(source), expanded);
    int result = kLoadCannotOpen;
    SetCutAtNul(false);
    if (expanded.size() >= kPathCapacity) {
        // No buffer of the program holds this path; a shortened one would
        // name another file.
        ClearPathAndTitle();
        SetTitle(FileTitleOf(expanded.c_str()).c_str());
    } else {
        SetPath(expanded.c_str());
        SetTitle(FileTitleOf(Path()).c_str());
        UpperCaseShortTitle();
        result = LoadFile(shell::EditControl(), Path());
    }
    FinishLoad(main, result, Origin::kPath, before);
    EndOpen();
    return 0;
}

// Writes the document to its path; a failed write is reported, a declined
// read-only overwrite ends silently. True when the file was written.
static bool WriteReported(HWND main) {
    switch (WriteDocument(shell::EditControl(), Path())) {
    case kWriteFailed:
        Warn(main, "Fehler beim Schreiben von %s!");
        return false;
    case kWriteDeclined:
        return false;
    default:
        return true;
    }
}

LRESULT SaveAsCommand(HWND main, unsigned, LPARAM) {
    char file[kPathCapacity];
    char title[kTitleCapacity];
    lstrcpynA(file, Path(), sizeof file);
    lstrcpynA(title, Title(), sizeof title);
    if (!RunDocumentDialog(main, file, title, settings::kPathSave, OFN_OVERWRITEPROMPT, true)) return 0;
    SetPath(file);
    SetTitle(title);
    UpdateCaption();
    settings::WriteDirectory(settings::kPathSave, Path());
    if (!WriteReported(main)) return 0;
    SetCutAtNul(false);
    SetSystemFile(false);
    EnterRecent(main);
    SetModified(false);
    return 1;
}

LRESULT SaveCommand(HWND main, unsigned, LPARAM) {
    // A text cut at a NUL byte never replaces the file it came from unasked.
    if (!Path()[0] || CutAtNul()) return SaveAsCommand(main, CMD_SAVEAS, 0);
    if (!WriteReported(main)) return 0;
    if (!IsSystemFile()) EnterRecent(main);
    SetModified(false);
    return 1;
}

LRESULT MergeCommand(HWND main, unsigned, LPARAM) {
    g_mergePath[0] = '\0';
    g_mergeTitle[0] = '\0';
    if (RunDocumentDialog(main, g_mergePath, g_mergeTitle, settings::kPathOpen, OFN_CREATEPROMPT, false))
        SendMessageA(main, WM_COMMAND, CMD_MERGEPATH, reinterpret_cast<LPARAM>(g_mergePath));
    shell::SendCommand(CMD_STATUS);
    return 0;
}

LRESULT MergePathCommand(HWND main, unsigned, LPARAM arg) {
    if (const char* given = reinterpret_cast<const char*>(arg)) {
        const std::string source = given;
        std::optional<std::string> data;
        bool cut = false;
        if (source.size() < kPathCapacity) {
            lstrcpynA(g_mergePath, source.c_str(), sizeof g_mergePath);
            data = ReadMergeFile(g_mergePath, cut);
        }
        if (data) {
            SendMessageA(shell::EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(data->c_str()));
            if (cut) {
                char text[512];
                std::snprintf(text, sizeof text,
                              "Die Datei %s enthält ein Nullzeichen: eingefügt wurde nur der Text davor.",
                              FileTitleOf(g_mergePath).c_str());
                ShowMessage(main, text, kCaptionTessel, MB_ICONWARNING);
            }
        } else {
            Warn(main, "Dateien können nicht zusammengeführt werden !");
        }
    }
    shell::SendCommand(CMD_STATUS);
    return 0;
}

// ------------------------------------------------------------ Sysedit

int OpenSystemFile(HWND owner, const char* name, SystemDirectory where) {
    char directory[kPathCapacity] = {};
    UINT n = 0;
    switch (where) {
    case kRootDirectory:
        lstrcpynA(directory, "C:\\", sizeof directory);
        n = 3;
        break;
    case kWindowsDirectory:
        n = GetWindowsDirectoryA(directory, sizeof directory);
        break;
    case kSystemDirectory:
        n = GetSystemDirectoryA(directory, sizeof directory);
        break;
    }
    std::string path;
    if (n > 0 && n < sizeof directory) {
        path = directory;
        filetypes::appendDirectorySeparator(path, sizeof directory);
        path += name;
    }
    if (!path.empty() && path.size() < kPathCapacity && ui::FileTest(path.c_str())) {
        SetSystemFile(true);
        SendMessageA(owner, WM_COMMAND, CMD_OPENPATH, reinterpret_cast<LPARAM>(path.c_str()));
        return 1;
    }
    char text[128];
    std::snprintf(text, sizeof text, "Die Datei '%s' existiert nicht !", name);
    ShowFocusMessage(text, kCaptionWarning, MB_ICONERROR);
    return 0;
}

LRESULT SysEditCommand(HWND main, unsigned id, LPARAM) {
    if (id < CMD_SYSEDIT_FIRST || id > CMD_SYSEDIT_LAST) return 0;
    const SystemFile& file = kSystemFiles[id - CMD_SYSEDIT_FIRST];
    OpenSystemFile(main, file.name, file.where);
    return 0;
}

}  // namespace tessel::document
