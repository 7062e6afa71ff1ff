#include "textops/search_win.h"

#include <commdlg.h>

#include <new>
#include <string>

#include "core/deferred_win.h"
#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/dialogutil_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"

namespace tessel::search {
namespace {

constexpr WORD kBufferSize = 256;
constexpr DWORD kDialogFlags = FR_SHOWHELP | FR_HIDEUPDOWN;

// The texts of this module.
constexpr char kNotFound[] = " kann nicht gefunden werden";
constexpr msgbox::Message kEscapeHelp{"Ersetzungskürzel :\n\n^a\tZeilenumbruch\n^t\tTabulator\n",
                                      "Hilfe zu Suchen/Ersetzen", MB_ICONINFORMATION};
// The not-found report; its text is made from the find text.
constexpr msgbox::Message kNotFoundReport{"", msgbox::kCaptionTessel, MB_ICONINFORMATION};

// Both dialogs share the find text, and F3 searches for it too.
char g_findText[kBufferSize];
char g_replaceText[kBufferSize];
FINDREPLACEA g_findRecord;
FINDREPLACEA g_replaceRecord;
HWND g_dialog;
std::size_t g_position;
// F3 matches case and whole words as the last search from a dialog did.
Options g_repeatOptions;

UINT FindReplaceMessage() {
    static const UINT id = RegisterWindowMessageA("commdlg_FindReplace");
    return id;
}

UINT HelpMessage() {
    static const UINT id = RegisterWindowMessageA("commdlg_help");
    return id;
}

bool IsOurRecord(const FINDREPLACEA* record) { return record == &g_findRecord || record == &g_replaceRecord; }

EditState ReadState(HWND edit) {
    const editctl::Selection selection = editctl::GetSelection(edit);
    return EditState{selection.start, selection.end, g_position};
}

std::size_t SelectionEnd(HWND edit) { return ReadState(edit).selEnd; }

void Select(HWND edit, std::size_t start, std::size_t end) { editctl::Select(edit, start, end, true); }

// The one change of a replace: the pure step has applied the limit already,
// so the edit control must take the replacement whole.
void Apply(HWND edit, const ReplaceOutcome& outcome) {
    if (!outcome.changed) return;
    editctl::Replace(edit, outcome.replaceStart, outcome.replaceEnd, outcome.replacement.c_str());
}

void OpenDialog(HWND main, bool replace) {
    if (DialogOpen()) {
        // One dialog at a time: its record and buffers are in use.
        SetActiveWindow(g_dialog);
        return;
    }
    g_findText[0] = '\0';
    g_replaceText[0] = '\0';
    g_repeatOptions = Options{};
    FINDREPLACEA& record = replace ? g_replaceRecord : g_findRecord;
    record = FINDREPLACEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = main;
    record.Flags = kDialogFlags;
    record.lpstrFindWhat = g_findText;
    record.wFindWhatLen = kBufferSize;
    if (replace) {
        record.lpstrReplaceWith = g_replaceText;
        record.wReplaceWithLen = kBufferSize;
    }
    g_dialog = replace ? deferred::ReplaceTextA(&record) : deferred::FindTextA(&record);
}

void NoMemory(HWND owner) { msgbox::ReportOutOfMemory(owner); }

}  // namespace

void RunReplace(HWND owner, const ReplaceRequest& request, bool all) {
    HWND edit = shell::EditControl();
    const std::string text = dialogutil::WindowText(edit);
    const EditState state = ReadState(edit);
    const ReplaceOutcome outcome = all ? replaceAll(text, state, request) : replaceStep(text, state, request);
    Apply(edit, outcome);
    g_position = outcome.after.position;
    if (outcome.report) ReportNotFound(owner, edit, request.find);  // the caret goes to the top
    // Replace All goes on from the top after its report, to where the loop ended.
    if (!outcome.report || all) Select(edit, outcome.after.selStart, outcome.after.selEnd);
    if (outcome.hitLimit) msgbox::Show(msgbox::kCapacityReached, shell::MainWindow());
}

std::size_t SearchPosition() { return g_position; }
void SetSearchPosition(std::size_t position) { g_position = position; }

namespace {

LRESULT OnNotification(FINDREPLACEA* record) {
    if (!IsOurRecord(record)) return 0;
    convertEscapes(record->lpstrFindWhat);
    convertEscapes(record->lpstrReplaceWith);
    if (record->Flags & FR_DIALOGTERM) {
        g_dialog = nullptr;
        return 0;
    }
    const Options options{(record->Flags & FR_MATCHCASE) != 0, (record->Flags & FR_WHOLEWORD) != 0};
    HWND owner = DialogOpen() ? g_dialog : record->hwndOwner;
    HWND edit = shell::EditControl();
    if (record->Flags & FR_FINDNEXT) {
        g_repeatOptions = options;
        if (!SearchEdit(edit, g_position, record->lpstrFindWhat, options))
            ReportNotFound(owner, edit, record->lpstrFindWhat);
    }
    if (record->Flags & (FR_REPLACE | FR_REPLACEALL)) {
        g_repeatOptions = options;
        const auto limit = static_cast<std::size_t>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
        const char* replace = record->lpstrReplaceWith ? record->lpstrReplaceWith : "";
        RunReplace(owner, ReplaceRequest{record->lpstrFindWhat, replace, options, limit},
                    (record->Flags & FR_REPLACEALL) != 0);
    }
    return 0;
}

LRESULT FindCommand(HWND main, unsigned id, LPARAM) {
    if (DialogOpen()) {
        SetActiveWindow(g_dialog);
        return 0;
    }
    HWND edit = shell::EditControl();
    g_position = SelectionEnd(edit);
    if (id == CMD_FINDNEXT && g_findText[0]) {
        try {
            if (!SearchEdit(edit, g_position, g_findText, g_repeatOptions)) ReportNotFound(main, edit, g_findText);
        } catch (const std::bad_alloc&) {
            NoMemory(main);
        }
        return 0;
    }
    OpenDialog(main, id == CMD_REPLACE);
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_FIND, FindCommand},
    {CMD_FINDNEXT, FindCommand},
    {CMD_REPLACE, FindCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

bool DialogOpen() {
    // A dialog goes with its owner, without a closing notification.
    if (g_dialog && (!IsWindow(g_dialog) || GetWindow(g_dialog, GW_OWNER) != shell::MainWindow())) g_dialog = nullptr;
    return g_dialog != nullptr;
}

bool PreTranslate(MSG& msg) { return DialogOpen() && IsDialogMessageA(g_dialog, &msg); }

bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == 0) return false;
    if (msg != FindReplaceMessage() && msg != HelpMessage()) return false;
    auto* record = reinterpret_cast<FINDREPLACEA*>(lParam);
    try {
        if (msg == HelpMessage()) {
            msgbox::Show(kEscapeHelp, IsOurRecord(record) ? record->hwndOwner : main);
            result = DefWindowProcA(main, msg, wParam, lParam);
            return true;
        }
        result = OnNotification(record);
    } catch (const std::bad_alloc&) {
        NoMemory(main);
        result = 0;
    }
    return true;
}

bool SearchEdit(HWND edit, std::size_t& position, std::string_view needle, Options options) {
    const std::string text = dialogutil::WindowText(edit);
    const Hit hit = find(text, needle, position, options);
    position = hit.position;
    if (hit.found) Select(edit, hit.start, hit.end);
    return hit.found;
}

void ReportNotFound(HWND owner, HWND edit, std::string_view needle) {
    SendMessageA(edit, EM_SETSEL, 0, 0);
    std::string text;
    text.reserve(needle.size() + sizeof kNotFound + 2);
    text += '"';
    text += needle;
    text += '"';
    text += kNotFound;
    msgbox::ShowText(text.c_str(), kNotFoundReport, owner);
}

}  // namespace tessel::search
