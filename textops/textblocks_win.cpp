#include "textops/textblocks_win.h"

#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/msgbox_win.h"
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
constexpr Message kTooMany{"Es sind bereits 256 Textbausteine definiert - keine weiteren mehr möglich",
                           kCaptionWarning, MB_ICONERROR};
constexpr Message kNotWritten{
    "Die Textbausteine konnten nicht gespeichert werden.\n\nDie Datei bleibt, wie sie war; die Änderungen "
    "werden beim nächsten Schließen des Dialogs erneut gespeichert.",
    kCaptionWarning, MB_ICONERROR};
constexpr Message kNotRead{
    "Die Textbausteine in %s konnten nicht gelesen werden; vielleicht hat ein anderes Programm die Datei "
    "geöffnet.\n\nDamit keine Textbausteine verloren gehen, bleibt die Datei unverändert: Hinzufügen und "
    "Löschen sind gesperrt, bis sie wieder gelesen werden kann.",
    kCaptionWarning, MB_ICONERROR};
constexpr char kClose[] = "&Schließen";

// What the open dialog works on; the dialog is modal, so one record serves.
struct DialogState {
    HWND owner = nullptr;
    bool withSelection = false;
    std::string selection;          // the document's selected bytes when it opened
    Table table;
    bool locked = false;            // the file could not be read: it is never written
    std::size_t current = kNoBlock;
    std::string insert;             // the block chosen with "&Einfügen"
    bool inserting = false;
};
DialogState* g_state;

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
    bytes.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kNoFile
                                                                              : ReadResult::kUnreadable;
    }
    ReadResult result = ReadResult::kRead;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        result = ReadResult::kUnreadable;
    } else if (size.QuadPart > 0) {
        const DWORD wanted = size.QuadPart > kLargestFile ? kLargestFile : static_cast<DWORD>(size.QuadPart);
        bytes.resize(wanted);
        // In pieces, so the records before a failing part can still be offered.
        constexpr DWORD kPiece = 0x10000;
        DWORD done = 0;
        while (done < wanted) {
            DWORD got = 0;
            const DWORD part = wanted - done < kPiece ? wanted - done : kPiece;
            const bool read = ReadFile(file, bytes.data() + done, part, &got, nullptr) != FALSE;
            done += got;
            // A failing read, or a file cut short while it is read: not all of it.
            if (!read || got != part) {
                result = ReadResult::kUnreadable;
                break;
            }
        }
        bytes.resize(done);
    }
    CloseHandle(file);
    return result;
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

void FillList(HWND dialog) {
    for (std::size_t i = 0; i < g_state->table.slotsUsed(); ++i)
        if (const Block* block = g_state->table.at(i)) AddToList(dialog, block->name, i);
}

// Only the beginning of a long block is shown: the preview wraps its lines,
// and wrapping one long line takes time that grows with its square.
void ShowPreview(HWND dialog, const std::string& text) {
    SetDlgItemTextA(dialog, IDC_TB_PREVIEW, std::string(previewOf(text)).c_str());
}

void SelectionChanged(HWND dialog) {
    const LRESULT item = ToList(dialog, CB_GETCURSEL);
    const Block* block = nullptr;
    if (item >= 0) {
        const auto index = static_cast<std::size_t>(ToList(dialog, CB_GETITEMDATA, static_cast<WPARAM>(item)));
        block = g_state->table.at(index);
        if (block) g_state->current = index;
    }
    if (!block) g_state->current = kNoBlock;
    ShowPreview(dialog, block ? block->text : std::string());
}

void SelectFirst(HWND dialog) {
    ToList(dialog, CB_SETCURSEL, 0);
    SelectionChanged(dialog);
}

void Init(HWND dialog) {
    ui::CentreWindow(dialog);
    ToList(dialog, CB_LIMITTEXT, kNameTyped);
    g_state->current = kNoBlock;
    if (!g_state->withSelection) {
        Enable(dialog, IDC_TB_ADD, false);
        FillList(dialog);
        SelectFirst(dialog);
        if (ToList(dialog, CB_GETCOUNT) <= 0) {
            Enable(dialog, IDOK, false);
            SetDlgItemTextA(dialog, IDCANCEL, kClose);
        }
    } else {
        ShowPreview(dialog, g_state->selection);
        Enable(dialog, IDC_TB_DELETE, false);
        Enable(dialog, IDOK, false);
        SetDlgItemTextA(dialog, IDC_TB_NAME, deriveName(g_state->selection).c_str());
        FillList(dialog);
    }
    if (g_state->locked) {   // what was read can be inserted, nothing stored
        Enable(dialog, IDC_TB_ADD, false);
        Enable(dialog, IDC_TB_DELETE, false);
    }
}

void Insert(HWND dialog) {
    if (!Enabled(dialog, IDOK)) return;   // Enter on a disabled default button
    if (const Block* block = g_state->table.at(g_state->current)) {
        g_state->insert = block->text;
        g_state->inserting = true;
    }
    EndDialog(dialog, 1);
}

void Add(HWND dialog) {
    if (!Enabled(dialog, IDC_TB_ADD)) return;
    if (g_state->table.full()) {
        Show(kTooMany);
        return;
    }
    char typed[kNameField + 2] = {};
    GetDlgItemTextA(dialog, IDC_TB_NAME, typed, sizeof typed);
    const std::size_t index = g_state->table.slotsUsed();
    if (!g_state->table.add({storedName(typed), g_state->selection})) return;
    AddToList(dialog, g_state->table.at(index)->name, index);
    SetDlgItemTextA(dialog, IDCANCEL, kClose);
    Enable(dialog, IDC_TB_DELETE, true);
    SetFocus(GetDlgItem(dialog, IDC_TB_NAME));
    Enable(dialog, IDC_TB_ADD, false);   // one block per opening
}

void Delete(HWND dialog) {
    if (!Enabled(dialog, IDC_TB_DELETE)) return;
    const LRESULT item = ToList(dialog, CB_GETCURSEL);
    if (item < 0) return;
    const auto index = static_cast<std::size_t>(ToList(dialog, CB_GETITEMDATA, static_cast<WPARAM>(item)));
    SetDlgItemTextA(dialog, IDCANCEL, kClose);
    Enable(dialog, IDOK, false);
    g_state->table.remove(index);   // checks the slot holds a block
    ToList(dialog, CB_DELETESTRING, static_cast<WPARAM>(item));
    SelectFirst(dialog);
}

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_INITDIALOG:
        Init(dialog);
        return TRUE;
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, IDC_TB_ICON, ui::ClassIcon(g_state->owner ? g_state->owner : GetParent(dialog)));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: Insert(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_TB_ADD: Add(dialog); return TRUE;
        case IDC_TB_DELETE: Delete(dialog); return TRUE;
        case IDC_TB_NAME:
            if (HIWORD(wParam) == CBN_SELCHANGE) SelectionChanged(dialog);
            return TRUE;
        default: return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK TextBlockProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (!g_state) return FALSE;
    try {
        return Handle(dialog, msg, wParam);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(GetFocus());
        return TRUE;
    }
}

// The selected bytes of the document, as the dialog opens.
std::string SelectedText(HWND edit, DWORD start, DWORD end) {
    char* text = ui::CopyWindowText(edit);
    if (!text) throw std::bad_alloc();
    const std::string all(text);
    ui::FreeWindowText(text);
    if (start > all.size()) start = static_cast<DWORD>(all.size());
    if (end > all.size()) end = static_cast<DWORD>(all.size());
    return all.substr(start, end > start ? end - start : 0);
}

void Run(HWND main, const char* path) {
    HWND edit = shell::EditControl();
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));

    DialogState state;
    state.owner = main;
    state.withSelection = start != end;
    if (state.withSelection) state.selection = SelectedText(edit, start, end);
    // Blocks kept from a failed write were read whole before, so they stand
    // for the file; anything else comes from the file.
    if (g_unsaved && g_unsaved->path == path) {
        state.table = Table(g_unsaved->blocks, true);
    } else {
        std::string bytes;
        state.locked = ReadFileBytes(path, bytes) == ReadResult::kUnreadable;
        state.table = Table(readBlocks(bytes));
        if (state.locked) Show(kNotRead, main, path);
    }

    g_state = &state;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));
    DialogBoxParamA(instance, "AUTOTEXT", main, TextBlockProc, 0);
    g_state = nullptr;

    if (state.inserting) SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(state.insert.c_str()));
    if (!state.table.modified() || state.locked) return;
    if (WriteTable(path, state.table)) {
        g_unsaved.reset();
    } else {
        g_unsaved = Unsaved{path, state.table.blocks()};
        Show(kNotWritten, main);
    }
}

LRESULT TextBlocksCommand(HWND main, unsigned, LPARAM arg) {
    // From the menu or any other program: the file beside the program.
    const bool givenPath = arg && shell::OwnArgument(arg);
    const char* path = givenPath ? reinterpret_cast<const char*>(arg) : settings::TextBlockPath();
    try {
        Run(main, path);
    } catch (const std::bad_alloc&) {
        g_state = nullptr;
        ReportOutOfMemory(GetFocus());
    }
    return 0;
}

constexpr CommandEntry kCommands[] = {
    {CMD_TEXTBLOCKS, TextBlocksCommand},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::textblocks
