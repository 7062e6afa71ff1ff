#include "document/filecommands_win.h"

#include <cstring>
#include <string>

#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/paths.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "document/filedialog_win.h"
#include "document/fileio_win.h"
#include "document/filetypes.h"
#include "document/recent_win.h"
#include "document/recovery_win.h"
#include "document/starter_win.h"
#include "resources/ids.h"

namespace tessel::filecommands {
namespace {

constexpr std::size_t kUpperTitleBelow = 12;   // shorter titles are shown in upper case

// The document's messages; Warn() fills in the document's title.
constexpr msgbox::Message kFileMissing{"Die gewählte Datei %s existiert nicht !", msgbox::kCaptionTessel,
                                       MB_ICONWARNING};
constexpr msgbox::Message kFileUnreadable{"Datei %s kann nicht gelesen werden !", msgbox::kCaptionTessel,
                                          MB_ICONWARNING};
constexpr msgbox::Message kSystemFileNotLoaded{"Fehler beim Laden der System-Datei %s !", msgbox::kCaptionTessel,
                                               MB_ICONWARNING};
constexpr msgbox::Message kFileNotLoaded{"Fehler beim Laden der Datei %s !", msgbox::kCaptionTessel, MB_ICONWARNING};
constexpr msgbox::Message kLoadedCutAtNul{
    "Die Datei %s enthält ein Nullzeichen: der Text endet davor.\n\n"
    "Beim Speichern wird nach einem Dateinamen gefragt, damit die Datei erhalten bleibt.",
    msgbox::kCaptionTessel, MB_ICONWARNING};
constexpr msgbox::Message kWriteFailed{"Fehler beim Schreiben von %s!", msgbox::kCaptionTessel, MB_ICONWARNING};
constexpr msgbox::Message kOverwriteReadOnly{"Wollen Sie die schreibgeschützte Datei wirklich überschreiben ?",
                                             "Datei ist schreibgeschützt", MB_ICONQUESTION | MB_YESNO};
constexpr msgbox::Message kMergeFailed{"Dateien können nicht zusammengeführt werden !", msgbox::kCaptionTessel,
                                       MB_ICONWARNING};
constexpr msgbox::Message kMergedCutAtNul{"Die Datei %s enthält ein Nullzeichen: eingefügt wurde nur der Text davor.",
                                          msgbox::kCaptionTessel, MB_ICONWARNING};

char g_mergePath[limits::kPathBuffer];
char g_mergeTitle[limits::kTitleBuffer];
bool g_loaded;   // the last Open loaded a file: its save backup is looked for

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
    std::string title = document::Title();
    if (title.size() >= kUpperTitleBelow) return;
    CharUpperBuffA(title.data(), static_cast<DWORD>(title.size()));
    document::SetTitle(title.c_str());
}

// PATHS/Open and PATHS/Save: the folder of the last file of the dialog.
void WriteDirectory(int which, const char* filePath) {
    if (const char* key = filetypes::pathsKeyName(which))
        settings::WriteString(filetypes::kPathsSection, key, paths::directoryOf(filePath).c_str());
}

std::string ReadDirectory(int which) {
    const char* key = filetypes::pathsKeyName(which);
    return key ? settings::ReadString(filetypes::kPathsSection, key, 256) : std::string();
}

// Enters the document path as the most recent file (upper-casing it) and
// rebuilds the menu.
void EnterRecent(HWND) {
    document::SetPath(recent::Enter(document::Path()).c_str());
    shell::SendCommand(CMD_RECENTMENU);
}

// Runs the Open or Save As dialog of the documents on copies of `file` and
// `title`; they are written back only when the user confirmed, so a failed
// dialog can never leave a half-written path behind. The chosen file type
// carries over from one dialog to the next.
bool RunDocumentDialog(HWND main, char* file, char* title, int directoryKey, DWORD flags, bool save) {
    static DWORD filterIndex = 1;
    const std::string initialDir = ReadDirectory(directoryKey);
    char fileCopy[limits::kPathBuffer];
    char titleCopy[limits::kTitleBuffer];
    lstrcpynA(fileCopy, file, sizeof fileCopy);
    lstrcpynA(titleCopy, title, sizeof titleCopy);
    filedialog::Request request{fileCopy, sizeof fileCopy, filetypes::kDocumentDefaultExtension,
                                filetypes::documentFilter().c_str(), filedialog::kSystemTitle, filterIndex};
    request.initialDir = initialDir.c_str();
    request.fileTitle = titleCopy;
    request.fileTitleCapacity = sizeof titleCopy;
    request.flags = flags;
    request.upperCase = false;
    const bool chosen = filedialog::Run(main, save ? filedialog::kSave : filedialog::kOpen, request) != 0;
    filterIndex = request.filterIndex;
    if (!chosen) return false;
    if (!titleCopy[0]) lstrcpynA(titleCopy, filedialog::FileTitle(fileCopy, limits::kTitleBuffer).c_str(), sizeof titleCopy);
    lstrcpynA(file, fileCopy, static_cast<int>(limits::kPathBuffer));
    lstrcpynA(title, titleCopy, static_cast<int>(limits::kTitleBuffer));
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

Identity CurrentIdentity() { return {document::Path(), document::Title(), document::CutAtNul()}; }

enum class Origin { kDialog, kPath };

// Acts on the file reader's result as Open and Open by path do.
void FinishLoad(HWND main, fileio::LoadResult result, Origin origin, const Identity& before) {
    switch (result) {
    case fileio::LoadResult::kCannotOpen:
        document::Warn(main, kFileMissing);
        document::ClearPathAndTitle();
        break;
    case fileio::LoadResult::kNoMemory:
        if (origin == Origin::kDialog)
            document::Warn(main, kFileUnreadable);
        else if (document::IsSystemFile())
            document::Warn(main, kSystemFileNotLoaded);
        else
            document::Warn(main, kFileNotLoaded);
        document::ClearPathAndTitle();
        break;
    case fileio::LoadResult::kTooBig: {
        const std::string big = document::Path();
        document::SetPath(before.path.c_str());
        document::SetTitle(before.title.c_str());
        document::SetCutAtNul(before.cut);
        starter::Run(main, big.c_str());
        document::ClearPathAndTitle();
        break;
    }
    default:  // loaded
        g_loaded = true;
        if (origin == Origin::kDialog) {
            EnterRecent(main);
            WriteDirectory(filetypes::kOpenFolder, document::Path());
        } else if (!document::IsSystemFile()) {
            EnterRecent(main);
        }
        if (result == fileio::LoadResult::kLoadedCutAtNul) {
            document::SetCutAtNul(true);
            document::UpdateCaption();
            document::Warn(main, kLoadedCutAtNul);
        }
        break;
    }
}

void EndOpen() {
    document::UpdateCaption();
    document::SetModified(false);
    if (g_loaded) recovery::OfferBackup(shell::MainWindow());
    g_loaded = false;
    shell::SendCommand(CMD_STATUS);
}

}  // namespace

LRESULT NewCommand(HWND, unsigned, LPARAM) {
    if (!document::ChangeGuard()) return 0;
    document::SetSystemFile(false);
    SetWindowTextA(shell::EditControl(), "");
    document::ClearPathAndTitle();
    EndOpen();
    return 0;
}

LRESULT OpenCommand(HWND main, unsigned, LPARAM) {
    if (!document::ChangeGuard()) return 0;
    document::SetSystemFile(false);
    const Identity before = CurrentIdentity();
    char file[limits::kPathBuffer];
    char title[limits::kTitleBuffer];
    lstrcpynA(file, document::Path(), sizeof file);
    lstrcpynA(title, document::Title(), sizeof title);
    if (RunDocumentDialog(main, file, title, filetypes::kOpenFolder, OFN_CREATEPROMPT, false)) {
        document::SetPath(file);
        document::SetTitle(title);
        document::SetCutAtNul(false);
        UpperCaseShortTitle();
        FinishLoad(main, fileio::LoadFile(shell::EditControl(), document::Path()), Origin::kDialog, before);
    }
    EndOpen();
    return 0;
}

LRESULT OpenPathCommand(HWND main, unsigned, LPARAM arg) {
    if (!shell::OwnArgument(arg)) return 0;
    const char* given = reinterpret_cast<const char*>(arg);
    if (!given) return 0;
    const std::string source = given;   // the sender's buffer may be one of ours
    if (!document::ChangeGuard()) return 0;
    const Identity before = CurrentIdentity();
    std::string expanded;
    filedialog::ExpandLongPath(AbsolutePath(source), expanded);
    fileio::LoadResult result = fileio::LoadResult::kCannotOpen;
    document::SetCutAtNul(false);
    if (expanded.size() >= limits::kPathBuffer) {
        // No buffer of the program holds this path; a shortened one would
        // name another file.
        document::ClearPathAndTitle();
        document::SetTitle(filedialog::FileTitle(expanded.c_str(), limits::kTitleBuffer).c_str());
    } else {
        document::SetPath(expanded.c_str());
        document::SetTitle(filedialog::FileTitle(document::Path(), limits::kTitleBuffer).c_str());
        UpperCaseShortTitle();
        result = fileio::LoadFile(shell::EditControl(), document::Path());
    }
    FinishLoad(main, result, Origin::kPath, before);
    EndOpen();
    return 0;
}

// Writes the document to its path; a failed write is reported, a declined
// read-only overwrite ends silently. True when the file was written.
static bool WriteReported(HWND main) {
    if (fileio::IsReadOnlyFile(document::Path()) && msgbox::Show(kOverwriteReadOnly, main) != IDYES) return false;
    if (fileio::WriteDocument(shell::EditControl(), document::Path()) == fileio::WriteResult::kWritten) return true;
    document::Warn(main, kWriteFailed);
    return false;
}

LRESULT SaveAsCommand(HWND main, unsigned, LPARAM) {
    char file[limits::kPathBuffer];
    char title[limits::kTitleBuffer];
    lstrcpynA(file, document::Path(), sizeof file);
    lstrcpynA(title, document::Title(), sizeof title);
    if (!RunDocumentDialog(main, file, title, filetypes::kSaveFolder, OFN_OVERWRITEPROMPT, true)) return 0;
    document::SetPath(file);
    document::SetTitle(title);
    document::UpdateCaption();
    WriteDirectory(filetypes::kSaveFolder, document::Path());
    if (!WriteReported(main)) return 0;
    document::SetCutAtNul(false);
    document::SetSystemFile(false);
    EnterRecent(main);
    document::SetModified(false);
    return 1;
}

LRESULT SaveCommand(HWND main, unsigned, LPARAM) {
    // A text cut at a NUL byte never replaces the file it came from unasked.
    if (!document::Path()[0] || document::CutAtNul()) return SaveAsCommand(main, CMD_SAVEAS, 0);
    if (!WriteReported(main)) return 0;
    if (!document::IsSystemFile()) EnterRecent(main);
    document::SetModified(false);
    return 1;
}

LRESULT MergeCommand(HWND main, unsigned, LPARAM) {
    g_mergePath[0] = '\0';
    g_mergeTitle[0] = '\0';
    if (RunDocumentDialog(main, g_mergePath, g_mergeTitle, filetypes::kOpenFolder, OFN_CREATEPROMPT, false))
        shell::SendCommand(CMD_MERGEPATH, reinterpret_cast<LPARAM>(g_mergePath));
    shell::SendCommand(CMD_STATUS);
    return 0;
}

LRESULT MergePathCommand(HWND main, unsigned, LPARAM arg) {
    if (!shell::OwnArgument(arg)) return 0;
    if (const char* given = reinterpret_cast<const char*>(arg)) {
        const std::string source = given;
        std::optional<std::string> data;
        bool cut = false;
        if (source.size() < limits::kPathBuffer) {
            lstrcpynA(g_mergePath, source.c_str(), sizeof g_mergePath);
            data = fileio::ReadMergeFile(g_mergePath, cut);
        }
        if (data) {
            SendMessageA(shell::EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(data->c_str()));
            if (cut)
                msgbox::Show(kMergedCutAtNul, main, filedialog::FileTitle(g_mergePath, limits::kTitleBuffer).c_str());
        } else {
            document::Warn(main, kMergeFailed);
        }
    }
    shell::SendCommand(CMD_STATUS);
    return 0;
}

}  // namespace tessel::filecommands
