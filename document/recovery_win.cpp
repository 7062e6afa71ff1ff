#include "document/recovery_win.h"

#include <new>
#include <string>

#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/readfile_win.h"
#include "core/paths.h"
#include "core/recoveryfile.h"
#include "core/savefile_win.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "document/filedialog_win.h"
#include "resources/ids.h"

namespace tessel::recovery {
namespace {

constexpr msgbox::Message kRecoveryOffer{
    "Tessel wurde nicht ordnungsgemäß beendet. Nicht gespeicherte Änderungen an %s wiederherstellen?",
    msgbox::kCaptionTessel, MB_ICONQUESTION | MB_YESNO};
constexpr msgbox::Message kRecoveryUnusable{
    "Die Wiederherstellungsdatei %s ist beschädigt oder stammt nicht von Tessel; sie wird nicht geladen.",
    msgbox::kCaptionTessel, MB_ICONWARNING};
constexpr msgbox::Message kBackupOffer{
    "Das Speichern von %s wurde nicht abgeschlossen. Eine Sicherungskopie des Textes, der gespeichert werden "
    "sollte, ist noch vorhanden.\n\nMöchten Sie die Sicherungskopie als nicht gespeicherten Text übernehmen ?",
    msgbox::kCaptionTessel, MB_ICONQUESTION | MB_YESNO};

constexpr std::size_t kUpperTitleBelow = 12;

bool g_pending;        // changes not yet in the recovery file
DWORD g_firstChange;   // the oldest of them
DWORD g_lastChange;    // the newest
// Held open while this program owns the recovery file: a second Tessel
// started meanwhile cannot open it and so does not take it for a crash's.
HANDLE g_file = INVALID_HANDLE_VALUE;

void StopTimer() {
    g_pending = false;
    KillTimer(shell::MainWindow(), kTimerId);
}

// The whole file, at most `limit` bytes; false when it cannot be read. A
// longer file is too long to be ours: it reads as bytes the reader rejects.
bool ReadSmallFile(HANDLE file, std::string& bytes, std::size_t limit) {
    const readfile::Result result = readfile::ReadAll(file, bytes, limit);
    if (result == readfile::Result::kTooBig) bytes.assign(limit + 1, '\0');
    return result == readfile::Result::kRead || result == readfile::Result::kTooBig;
}

bool ReadSmallFile(const std::string& path, std::string& bytes) {
    savefile::FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() && ReadSmallFile(file.get(), bytes, recoveryfile::kMaxFileSize);
}

std::string EditText() {
    const editctl::Text text(shell::EditControl());
    if (!text.ok()) throw std::bad_alloc();
    return std::string(text.view());
}

// Opens the recovery file for this program; false when another one holds it.
bool Own() {
    if (g_file != INVALID_HANDLE_VALUE) return true;
    const std::string path = RecoveryPath();
    if (path.empty()) return false;
    g_file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_file != INVALID_HANDLE_VALUE;
}

// One step of rewriting the recovery file, flushed.
bool Apply(const recoveryfile::WriteStep& step) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(step.offset);
    if (!SetFilePointerEx(g_file, at, nullptr, FILE_BEGIN)) return false;
    if (step.bytes.empty()) {
        if (!SetEndOfFile(g_file)) return false;
    } else {
        DWORD written = 0;
        if (!WriteFile(g_file, step.bytes.data(), static_cast<DWORD>(step.bytes.size()), &written, nullptr) ||
            written != step.bytes.size())
            return false;
    }
    FlushFileBuffers(g_file);   // where the system cannot flush, the order is the best there is
    return true;
}

// Reads the edit control's text (neither the undo buffer nor the selection
// changes) and puts it into the recovery file, flushed.
void WriteNow() {
    StopTimer();
    std::string bytes;
    try {
        recoveryfile::Record record;
        record.path = document::Path();
        record.modified = document::Modified();
        record.text = EditText();
        bytes = recoveryfile::Encode(record);
    } catch (const std::bad_alloc&) {
        return;   // runs from the message loop, outside any command: the next change tries again
    }
    if (!Own()) return;   // another Tessel keeps it; the next change tries again
    // Every step is flushed before the next, so that the file holds a whole
    // record whenever the program or the machine stops. On a full drive a
    // step fails and the file keeps the record it had.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(g_file, &size)) return;
    for (const recoveryfile::WriteStep& step :
         recoveryfile::RewriteSteps(static_cast<std::size_t>(size.QuadPart), bytes))
        if (!Apply(step)) return;
}

void TakeTitleFrom(const std::string& path) {
    document::SetPath(path.c_str());
    std::string title = filedialog::FileTitle(document::Path(), 128);
    if (title.size() < kUpperTitleBelow) CharUpperBuffA(&title[0], static_cast<DWORD>(title.size()));
    document::SetTitle(title.c_str());
}

// Puts `text` into the edit control as the document's unsaved text.
void RestoreText(const std::string& text) {
    SetWindowTextA(shell::EditControl(), text.c_str());
    document::SetModified(true);
    document::UpdateCaption();
    shell::SendCommand(CMD_STATUS);
}

}  // namespace

std::string RecoveryPath() {
    const char* ini = settings::IniPath();
    if (!ini || !ini[0]) return std::string();
    return paths::replaceExtension(ini, "RCV").value_or(std::string());
}

void NoteChange() {
    g_lastChange = GetTickCount();
    if (g_pending || !shell::MainWindow()) return;
    g_pending = true;
    g_firstChange = g_lastChange;
    SetTimer(shell::MainWindow(), kTimerId, 1000, nullptr);
}

void Forget() {
    if (g_pending) StopTimer();
    if (g_file == INVALID_HANDLE_VALUE) return;
    CloseHandle(g_file);
    g_file = INVALID_HANDLE_VALUE;
    DeleteFileA(RecoveryPath().c_str());
}

bool PreTranslate(const MSG& msg) {
    if (msg.message != WM_TIMER || msg.wParam != kTimerId || !msg.hwnd || msg.hwnd != shell::MainWindow())
        return false;
    const DWORD now = GetTickCount();
    if (!g_pending)
        StopTimer();
    else if (now - g_lastChange >= kQuietMs || now - g_firstChange >= kLongestMs)
        WriteNow();
    return true;
}

void OfferAtStart(HWND main) {
    const std::string path = RecoveryPath();
    if (path.empty()) return;
    std::string bytes;
    {
        // Not there, or held by a Tessel that is still running: nothing to do.
        savefile::FileHandle file(
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file.valid()) return;
        if (!ReadSmallFile(file.get(), bytes, recoveryfile::kMaxRewrittenSize)) bytes.assign(1, '\0');
    }
    // Made, and stopped before anything was written into it: nothing to offer.
    if (bytes.empty()) {
        DeleteFileA(path.c_str());
        return;
    }
    recoveryfile::Record record;
    if (recoveryfile::DecodeRewritten(bytes, record) != recoveryfile::ReadResult::kRead ||
        record.kind != recoveryfile::Kind::kRecovery) {
        msgbox::Show(kRecoveryUnusable, main, path.c_str());
        return;
    }
    if (msgbox::Show(kRecoveryOffer, main, record.path.empty() ? document::kUntitled : record.path.c_str()) != IDYES) {
        DeleteFileA(path.c_str());
        return;
    }
    // From here on the file is this program's: a second start does not ask
    // again, and the restored text is written into it anew.
    Own();
    if (!record.path.empty()) TakeTitleFrom(record.path);
    RestoreText(record.text);
    if (!record.modified) document::SetModified(false);
}

void OfferBackup(HWND main) {
    const std::string document = document::Path();
    if (document.empty()) return;
    const std::string places[] = {savefile::BackupBeside(document.c_str()),
                                  savefile::BackupInSettings(document.c_str(), settings::IniPath())};
    for (const std::string& place : places) {
        const DWORD attributes = place.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(place.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::string bytes;
        recoveryfile::Record record;
        // A file we cannot read, or one that is not ours and merely has the
        // backup's name, is never touched.
        if (!ReadSmallFile(place, bytes)) continue;
        const recoveryfile::ReadResult result = recoveryfile::Decode(bytes, record);
        if (result == recoveryfile::ReadResult::kForeign) continue;
        const bool read = result == recoveryfile::ReadResult::kRead && record.kind == recoveryfile::Kind::kBackup;
        // One in the settings folder must name this document; any other is
        // left alone.
        if (read && &place != &places[0] &&
            savefile::CanonicalPath(record.path.c_str()) != savefile::CanonicalPath(document.c_str()))
            continue;
        // A damaged backup was cut off before the document was touched; one
        // that holds the document's text was cut off after the save was done.
        if (read && record.text != EditText() &&
            msgbox::Show(kBackupOffer, main, document::Title()[0] ? document::Title() : document::kUntitled) == IDYES)
            RestoreText(record.text);
        SetFileAttributesA(place.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(place.c_str());
        return;
    }
}

}  // namespace tessel::recovery
