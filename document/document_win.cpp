#include "document/document_win.h"

#include <cstdio>

#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "document/recovery_win.h"
#include "resources/ids.h"

namespace tessel::document {
namespace {

char g_path[limits::kPathBuffer];
char g_title[limits::kTitleBuffer];
bool g_modified;
bool g_systemFile;
bool g_cutAtNul;

constexpr msgbox::Message kChangePrompt{"%s \nwurde geändert.\n\nMöchten Sie die Änderungen speichern ?",
                                        msgbox::kCaptionTessel, MB_ICONWARNING | MB_YESNOCANCEL};

const char* ShownTitle() { return g_title[0] ? g_title : kUntitled; }

}  // namespace

void Initialise() {
    g_path[0] = g_title[0] = '\0';
    g_modified = g_systemFile = g_cutAtNul = false;
}

const char* Path() { return g_path; }
const char* Title() { return g_title; }
void SetPath(const char* path) { lstrcpynA(g_path, path, sizeof g_path); }
void SetTitle(const char* title) { lstrcpynA(g_title, title, sizeof g_title); }

void ClearPathAndTitle() {
    g_path[0] = '\0';
    g_title[0] = '\0';
    g_cutAtNul = false;
}

bool Modified() { return g_modified; }
void SetModified(bool modified) {
    g_modified = modified;
    // Saved or discarded changes take the recovery file with them.
    if (modified)
        recovery::NoteChange();
    else
        recovery::Forget();
}
bool IsSystemFile() { return g_systemFile; }
void SetSystemFile(bool systemFile) { g_systemFile = systemFile; }
bool CutAtNul() { return g_cutAtNul; }
void SetCutAtNul(bool cut) { g_cutAtNul = cut; }

void UpdateCaption() {
    char caption[160];
    std::snprintf(caption, sizeof caption, "%s %s", "Tessel : ", ShownTitle());
    SetWindowTextA(shell::MainWindow(), caption);
}

void Warn(HWND owner, const msgbox::Message& message) { msgbox::Show(message, owner, ShownTitle()); }

int ChangePrompt(HWND owner) {
    const int answer = msgbox::Show(kChangePrompt, owner, ShownTitle());
    if (answer == IDNO) {
        recovery::Forget();
        return IDNO;
    }
    if (answer != IDYES) return IDCANCEL;
    return shell::SendCommand(CMD_SAVE) ? IDYES : IDCANCEL;
}

bool ChangeGuard() {
    if (!g_modified || GetWindowTextLengthA(shell::EditControl()) == 0) return true;
    return ChangePrompt(shell::MainWindow()) != IDCANCEL;
}

}  // namespace tessel::document
