#include "textops/linedialogs_win.h"

#include "textops/lineops.h"
#include "ui/dialogutil_win.h"

namespace tessel::textops {
namespace {

// Controls shared by the templates.
constexpr int kPrompt = 109;
constexpr int kIcon = 108;
constexpr int kCommentIcon = 250;
constexpr int kNumberField = 105;   // FRONTBACKCUT, FRONTCOUNT counter, CUTFROMCHAR
constexpr int kLeftField = 107;     // FRONTCOUNT text before the counter, COLUMNCOPY separator
constexpr int kRightField = 106;    // FRONTCOUNT text after the counter
constexpr int kBeginField = 101;    // COLUMNCOPY
constexpr int kEndField = 102;
constexpr int kFreeComment = 106;   // EDITKOMMENT

constexpr int kTextMax = 63;
constexpr int kCountDigits = 5;
constexpr int kColumnDigits = 3;

// What the one open dialog shows and what it returns; dialogs are modal, so
// one record serves them all.
struct DialogState {
    HWND owner = nullptr;
    const char* caption = "";
    const char* prompt = "";
    unsigned short initialNumber = 0;
    char initialChar = 0;
    int commentChoice = lineops::kCommentRem;
    // Results, valid when the dialog ended with 1.
    CountParams count;
    CounterParams counter;
    CommentParams comment;
    CutCharParams cutChar;
    ColumnCopyParams columns;
};
DialogState g_state;

std::string FieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    int length = field ? GetWindowTextLengthA(field) : 0;
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(field, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

// A text field read with the room of its 63-character buffer.
std::string ShortText(HWND dialog, int id) {
    std::string text = FieldText(dialog, id);
    if (text.size() > static_cast<size_t>(kTextMax)) text.resize(kTextMax);
    return text;
}

unsigned short NumberField(HWND dialog, int id) { return lineops::parseCount(FieldText(dialog, id)); }

void LimitField(HWND dialog, int id, int characters) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void SetNumber(HWND dialog, int id, unsigned short value) { SetDlgItemInt(dialog, id, value, FALSE); }

// The field gets the focus with its whole text selected; WM_INITDIALOG then
// returns FALSE so the dialog manager keeps that focus.
void FocusAll(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

void BeginDialog(HWND dialog) {
    ui::CentreWindow(dialog);
    SetWindowTextA(dialog, g_state.caption);
    SetDlgItemTextA(dialog, kPrompt, g_state.prompt);
}

HWND IconOwner(HWND dialog) { return g_state.owner ? g_state.owner : GetParent(dialog); }

// The traits every dialog shares: the main window's icon painted into its
// placeholder, and closing the window taken as "&Abbrechen".  True when the
// message was one of them.
bool SharedMessage(HWND dialog, UINT msg, int iconId) {
    switch (msg) {
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, iconId, ui::ClassIcon(IconOwner(dialog)));
        return true;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    default:
        return false;
    }
}

// OK reads the fields through `read` and ends with 1; cancel ends with 0.
template <typename Read>
INT_PTR Buttons(HWND dialog, WPARAM wParam, Read read) {
    switch (LOWORD(wParam)) {
    case IDOK:
        read(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CountProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (SharedMessage(dialog, msg, kIcon)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        BeginDialog(dialog);
        SetNumber(dialog, kNumberField, g_state.initialNumber);
        LimitField(dialog, kNumberField, kCountDigits);
        FocusAll(dialog, kNumberField);
        return FALSE;
    case WM_COMMAND:
        return Buttons(dialog, wParam, [](HWND d) { g_state.count.count = NumberField(d, kNumberField); });
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CounterProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (SharedMessage(dialog, msg, kIcon)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        BeginDialog(dialog);
        SetDlgItemTextA(dialog, kLeftField, "");
        SetNumber(dialog, kNumberField, 1);
        SetDlgItemTextA(dialog, kRightField, "");
        LimitField(dialog, kLeftField, kTextMax);
        LimitField(dialog, kNumberField, kCountDigits);
        LimitField(dialog, kRightField, kTextMax);
        return TRUE;
    case WM_COMMAND:
        return Buttons(dialog, wParam, [](HWND d) {
            g_state.counter.left = ShortText(d, kLeftField);
            g_state.counter.start = NumberField(d, kNumberField);
            g_state.counter.right = ShortText(d, kRightField);
        });
    default:
        return FALSE;
    }
}

void ChooseComment(HWND dialog, int choice) {
    g_state.commentChoice = choice;
    CheckRadioButton(dialog, lineops::kCommentRem, lineops::kCommentFree, choice);
    EnableWindow(GetDlgItem(dialog, kFreeComment), choice == lineops::kCommentFree);
}

INT_PTR CALLBACK CommentProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (SharedMessage(dialog, msg, kCommentIcon)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        ui::CentreWindow(dialog);
        SetDlgItemTextA(dialog, kFreeComment, "");
        LimitField(dialog, kFreeComment, static_cast<int>(lineops::kFreeCommentMax));
        ChooseComment(dialog, lineops::kCommentRem);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= lineops::kCommentRem && id <= lineops::kCommentFree) {
            if (HIWORD(wParam) == BN_CLICKED) ChooseComment(dialog, id);
            return TRUE;
        }
        return Buttons(dialog, wParam, [](HWND d) {
            g_state.comment.prefix = lineops::commentPrefix(g_state.commentChoice, FieldText(d, kFreeComment));
        });
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CutCharProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (SharedMessage(dialog, msg, kIcon)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG: {
        BeginDialog(dialog);
        const char initial[2] = {g_state.initialChar, '\0'};
        SetDlgItemTextA(dialog, kNumberField, initial);
        LimitField(dialog, kNumberField, kCountDigits);
        FocusAll(dialog, kNumberField);
        return FALSE;
    }
    case WM_COMMAND:
        return Buttons(dialog, wParam, [](HWND d) {
            g_state.cutChar.character = lineops::cutCharFromField(FieldText(d, kNumberField));
        });
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ColumnCopyProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (SharedMessage(dialog, msg, kIcon)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        BeginDialog(dialog);
        SetDlgItemTextA(dialog, kLeftField, " ");
        SetNumber(dialog, kBeginField, 1);
        SetNumber(dialog, kEndField, 1);
        LimitField(dialog, kLeftField, kTextMax);
        LimitField(dialog, kBeginField, kColumnDigits);
        LimitField(dialog, kEndField, kColumnDigits);
        return TRUE;
    case WM_COMMAND:
        return Buttons(dialog, wParam, [](HWND d) {
            g_state.columns.separator = ShortText(d, kLeftField);
            g_state.columns.begin = NumberField(d, kBeginField);
            g_state.columns.end = NumberField(d, kEndField);
        });
    default:
        return FALSE;
    }
}

// Starts the record of the next dialog.
void Prepare(HWND owner, const char* caption, const char* prompt) {
    g_state = DialogState{};
    g_state.owner = owner;
    g_state.caption = caption ? caption : "";
    g_state.prompt = prompt ? prompt : "";
}

// Runs the template modally with the owner's instance; true on OK.
bool Show(HWND owner, const char* tmpl, DLGPROC proc) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    return DialogBoxParamA(instance, tmpl, owner, proc, 0) == 1;
}

}  // namespace

std::optional<CountParams> AskCount(HWND owner, const char* caption, const char* prompt, unsigned short initial) {
    Prepare(owner, caption, prompt);
    g_state.initialNumber = initial;
    if (!Show(owner, "FRONTBACKCUT", CountProc)) return std::nullopt;
    return g_state.count;
}

std::optional<CounterParams> AskCounter(HWND owner, const char* caption, const char* prompt) {
    Prepare(owner, caption, prompt);
    if (!Show(owner, "FRONTCOUNT", CounterProc)) return std::nullopt;
    return g_state.counter;
}

std::optional<CommentParams> AskComment(HWND owner) {
    Prepare(owner, nullptr, nullptr);
    if (!Show(owner, "EDITKOMMENT", CommentProc)) return std::nullopt;
    return g_state.comment;
}

std::optional<CutCharParams> AskCutChar(HWND owner, const char* caption, const char* prompt, char initial) {
    Prepare(owner, caption, prompt);
    g_state.initialChar = initial;
    if (!Show(owner, "CUTFROMCHAR", CutCharProc)) return std::nullopt;
    return g_state.cutChar;
}

std::optional<ColumnCopyParams> AskColumnCopy(HWND owner, const char* caption, const char* prompt) {
    Prepare(owner, caption, prompt);
    if (!Show(owner, "COLUMNCOPY", ColumnCopyProc)) return std::nullopt;
    return g_state.columns;
}

}  // namespace tessel::textops
