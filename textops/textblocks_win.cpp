#include "textops/textblocks_win.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/readfile_win.h"
#include "core/savefile_win.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "textops/textblocks.h"
#include "core/dialogutil_win.h"

namespace tessel::textblocks {
namespace {

constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);
// The name field takes 24 typed characters; the first 23 are stored.
constexpr int kNameTyped = static_cast<int>(kNameField);
// A file of 256 records of the largest size; anything past it is never read.
constexpr DWORD kLargestFile = static_cast<DWORD>(kMaxBlocks * (2 + 0xFFFF));

// Texts of this module.
constexpr msgbox::Message kTooMany{"Es sind bereits 256 Textbausteine definiert - keine weiteren mehr möglich",
                                   msgbox::kCaptionWarning, MB_ICONERROR};
constexpr msgbox::Message kNotWritten{
    "Die Textbausteine konnten nicht gespeichert werden.\n\nDie Datei bleibt, wie sie war; die Änderungen "
    "werden beim nächsten Schließen des Dialogs erneut gespeichert.",
    msgbox::kCaptionWarning, MB_ICONERROR};
constexpr msgbox::Message kNotRead{
    "Die Textbausteine in %s konnten nicht gelesen werden; vielleicht hat ein anderes Programm die Datei "
    "geöffnet.\n\nDamit keine Textbausteine verloren gehen, bleibt die Datei unverändert: Hinzufügen und "
    "Löschen sind gesperrt, bis sie wieder gelesen werden kann.",
    msgbox::kCaptionWarning, MB_ICONERROR};
constexpr char kClose[] = "&Schließen";

// What the open dialog works on.
struct DialogState {
    bool withSelection = false;
    std::string selection;          // the document's selected bytes when it opened
    Table table;
    bool locked = false;            // the file could not be read: it is never written
    std::size_t current = kNoBlock;
    std::string insert;             // the block chosen with "&Einfügen"
    bool inserting = false;
};

// Blocks whose writing failed: the next opening offers them again instead of
// the file, so nothing the user stored is lost to a full disk.
struct Unsaved {
    std::string path;
    std::vector<Block> blocks;
};
std::optional<Unsaved> g_unsaved;

enum class ReadResult { kRead, kNoFile, kUnreadable };

// The file's bytes. "No file" is an empty list; a file that exists but could
// not be read whole (held by another program without read sharing, a read
// error) gives the bytes read before the failure and must never be written.
ReadResult ReadFileBytes(const char* path, std::string& bytes) {
    switch (readfile::ReadPath(path, bytes, kLargestFile, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               readfile::Longer::kPrefix)) {
    case readfile::Result::kRead: return ReadResult::kRead;
    case readfile::Result::kNotFound: return ReadResult::kNoFile;
    default: return ReadResult::kUnreadable;
    }
}

bool WriteTable(const char* path, const Table& table) {
    const std::string bytes = table.fileBytes();
    // A read-only file of blocks is left alone, as it is meant to be.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    return savefile::SaveBytes(path, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void Enable(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

LRESULT ToList(HWND dialog, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog, IDC_TB_NAME, msg, wParam, lParam);
}

void AddToList(HWND dialog, const std::string& name, std::size_t index) {
    const LRESULT item = ToList(dialog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (item >= 0) ToList(dialog, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(index));
}

void FillList(HWND dialog, const DialogState& state) {
    for (std::size_t i = 0; i < state.table.slotsUsed(); ++i)
        if (const Block* block = state.table.at(i)) AddToList(dialog, block->name, i);
}

// Only the beginning of a long block is shown: the preview wraps its lines,
// and wrapping one long line takes time that grows with its square.
void ShowPreview(HWND dialog, const std::string& text) {
    SetDlgItemTextA(dialog, IDC_TB_PREVIEW, std::string(previewOf(text)).c_str());
}

void SelectionChanged(HWND dialog, DialogState& state) {
    const LRESULT item = ToList(dialog, CB_GETCURSEL);
    const Block* block = nullptr;
    if (item >= 0) {
        const auto index = static_cast<std::size_t>(ToList(dialog, CB_GETITEMDATA, static_cast<WPARAM>(item)));
        block = state.table.at(index);
        if (block) state.current = index;
    }
    if (!block) state.current = kNoBlock;
    ShowPreview(dialog, block ? block->text : std::string());
}

void SelectFirst(HWND dialog, DialogState& state) {
    ToList(dialog, CB_SETCURSEL, 0);
    SelectionChanged(dialog, state);
}

BOOL Init(HWND dialog, DialogState& state) {
    ToList(dialog, CB_LIMITTEXT, kNameTyped);
    state.current = kNoBlock;
    if (!state.withSelection) {
        Enable(dialog, IDC_TB_ADD, false);
        FillList(dialog, state);
        SelectFirst(dialog, state);
        if (ToList(dialog, CB_GETCOUNT) <= 0) {
            Enable(dialog, IDOK, false);
            SetDlgItemTextA(dialog, IDCANCEL, kClose);
        }
    } else {
        ShowPreview(dialog, state.selection);
        Enable(dialog, IDC_TB_DELETE, false);
        Enable(dialog, IDOK, false);
        SetDlgItemTextA(dialog, IDC_TB_NAME, deriveName(state.selection).c_str());
        FillList(dialog, state);
    }
    if (state.locked) {   // what was read can be inserted, nothing stored
        Enable(dialog, IDC_TB_ADD, false);
        Enable(dialog, IDC_TB_DELETE, false);
    }
    return TRUE;
}

// "&Einfügen" ends the dialog with the chosen block.
bool Insert(HWND dialog, DialogState& state) {
    if (!Enabled(dialog, IDOK)) return false;   // Enter on a disabled default button
    if (const Block* block = state.table.at(state.current)) {
        state.insert = block->text;
        state.inserting = true;
    }
    return true;
}

void Add(HWND dialog, DialogState& state) {
    if (!Enabled(dialog, IDC_TB_ADD)) return;
    if (state.table.full()) {
        msgbox::Show(kTooMany);
        return;
    }
    char typed[kNameField + 2] = {};
    GetDlgItemTextA(dialog, IDC_TB_NAME, typed, sizeof typed);
    const std::size_t index = state.table.slotsUsed();
    if (!state.table.add({storedName(typed), state.selection})) return;
    AddToList(dialog, state.table.at(index)->name, index);
    SetDlgItemTextA(dialog, IDCANCEL, kClose);
    Enable(dialog, IDC_TB_DELETE, true);
    SetFocus(GetDlgItem(dialog, IDC_TB_NAME));
    Enable(dialog, IDC_TB_ADD, false);   // one block per opening
}

void Delete(HWND dialog, DialogState& state) {
    if (!Enabled(dialog, IDC_TB_DELETE)) return;
    const LRESULT item = ToList(dialog, CB_GETCURSEL);
    if (item < 0) return;
    const auto index = static_cast<std::size_t>(ToList(dialog, CB_GETITEMDATA, static_cast<WPARAM>(item)));
    SetDlgItemTextA(dialog, IDCANCEL, kClose);
    Enable(dialog, IDOK, false);
    state.table.remove(index);   // checks the slot holds a block
    ToList(dialog, CB_DELETESTRING, static_cast<WPARAM>(item));
    SelectFirst(dialog, state);
}

const dialogutil::DialogKind<DialogState> kTextBlockDialog{
    "AUTOTEXT", IDC_TB_ICON, Init, Insert,
    [](HWND d, WPARAM wParam, DialogState& state) -> INT_PTR {
        switch (LOWORD(wParam)) {
        case IDC_TB_ADD: Add(d, state); return TRUE;
        case IDC_TB_DELETE: Delete(d, state); return TRUE;
        case IDC_TB_NAME:
            if (HIWORD(wParam) == CBN_SELCHANGE) SelectionChanged(d, state);
            return TRUE;
        default: return FALSE;
        }
    }};

// The selected bytes of the document, as the dialog opens.
std::string SelectedText(HWND edit, editctl::Selection selection) {
    const editctl::Text text(edit);
    if (!text.ok()) throw std::bad_alloc();
    const std::string_view all = text.view();
    const std::size_t start = std::min(selection.start, all.size());
    const std::size_t end = std::min(selection.end, all.size());
    return std::string(all.substr(start, end - start));
}

void Run(HWND main, const char* path) {
    HWND edit = shell::EditControl();
    const editctl::Selection selection = editctl::GetSelection(edit);

    DialogState state;
    state.withSelection = !selection.empty();
    if (state.withSelection) state.selection = SelectedText(edit, selection);
    // Blocks kept from a failed write were read whole before, so they stand
    // for the file; anything else comes from the file.
    if (g_unsaved && g_unsaved->path == path) {
        state.table = Table(g_unsaved->blocks, true);
    } else {
        std::string bytes;
        state.locked = ReadFileBytes(path, bytes) == ReadResult::kUnreadable;
        state.table = Table(readBlocks(bytes));
        if (state.locked) msgbox::Show(kNotRead, main, path);
    }

    dialogutil::Run(main, kTextBlockDialog, state);

    if (state.inserting) SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(state.insert.c_str()));
    if (!state.table.modified() || state.locked) return;
    if (WriteTable(path, state.table)) {
        g_unsaved.reset();
    } else {
        g_unsaved = Unsaved{path, state.table.blocks()};
        msgbox::Show(kNotWritten, main);
    }
}

LRESULT TextBlocksCommand(HWND main, unsigned, LPARAM arg) {
    // From the menu or any other program: the file beside the program.
    const bool givenPath = arg && shell::OwnArgument(arg);
    const char* path = givenPath ? reinterpret_cast<const char*>(arg) : settings::TextBlockPath();
    Run(main, path);   // out of memory ends at the main window's barrier
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_TEXTBLOCKS, TextBlocksCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::textblocks
