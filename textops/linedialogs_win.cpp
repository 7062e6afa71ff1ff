#include "textops/linedialogs_win.h"

#include "resources/ids.h"
#include "textops/lineops.h"
#include "core/dialogutil_win.h"
#include "core/inputdialog_win.h"

namespace tessel::linedialogs {
namespace {

constexpr int kTextMax = 63;
constexpr int kCountDigits = 5;
constexpr int kColumnDigits = 3;

// A dialog's record: the caption and prompt it shows, and the parameters it
// starts with and returns.
template <typename Params>
struct Asked {
    const char* caption;
    const char* prompt;
    Params params;
};

unsigned short NumberField(HWND dialog, int id) { return lineops::parseCount(dialogutil::ItemText(dialog, id)); }

// A text field read with the room of its 63-character buffer.
std::string ShortText(HWND dialog, int id) {
    std::string text = dialogutil::ItemText(dialog, id);
    if (text.size() > static_cast<size_t>(kTextMax)) text.resize(kTextMax);
    return text;
}

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

template <typename Params>
void ShowTexts(HWND dialog, const Asked<Params>& r) {
    SetWindowTextA(dialog, r.caption);
    SetDlgItemTextA(dialog, IDC_LINE_PROMPT, r.prompt);
}

const dialogutil::DialogKind<Asked<CountParams>> kCountDialog{
    "FRONTBACKCUT", IDC_LINE_ICON,
    [](HWND d, Asked<CountParams>& r) -> BOOL {
        ShowTexts(d, r);
        SetNumber(d, IDC_LINE_NUMBER, r.params.count);
        LimitField(d, IDC_LINE_NUMBER, kCountDigits);
        FocusAll(d, IDC_LINE_NUMBER);
        return FALSE;
    },
    [](HWND d, Asked<CountParams>& r) {
        r.params.count = NumberField(d, IDC_LINE_NUMBER);
        return true;
    }};

const dialogutil::DialogKind<Asked<CounterParams>> kCounterDialog{
    "FRONTCOUNT", IDC_LINE_ICON,
    [](HWND d, Asked<CounterParams>& r) -> BOOL {
        ShowTexts(d, r);
        SetDlgItemTextA(d, IDC_LINE_LEFT, r.params.left.c_str());
        SetNumber(d, IDC_LINE_NUMBER, r.params.start);
        SetDlgItemTextA(d, IDC_LINE_RIGHT, r.params.right.c_str());
        LimitField(d, IDC_LINE_LEFT, kTextMax);
        LimitField(d, IDC_LINE_NUMBER, kCountDigits);
        LimitField(d, IDC_LINE_RIGHT, kTextMax);
        return TRUE;
    },
    [](HWND d, Asked<CounterParams>& r) {
        r.params.left = ShortText(d, IDC_LINE_LEFT);
        r.params.start = NumberField(d, IDC_LINE_NUMBER);
        r.params.right = ShortText(d, IDC_LINE_RIGHT);
        return true;
    }};

// The comment dialog keeps the chosen prefix in its record while it is open.
struct CommentChoice {
    int choice = lineops::kCommentRem;
    CommentParams params;
};

void ChooseComment(HWND dialog, CommentChoice& r, int choice) {
    r.choice = choice;
    CheckRadioButton(dialog, lineops::kCommentRem, lineops::kCommentFree, choice);
    EnableWindow(GetDlgItem(dialog, IDC_COMMENT_FREE), choice == lineops::kCommentFree);
}

const dialogutil::DialogKind<CommentChoice> kCommentDialog{
    "EDITKOMMENT", IDC_COMMENT_ICON,
    [](HWND d, CommentChoice& r) -> BOOL {
        SetDlgItemTextA(d, IDC_COMMENT_FREE, "");
        LimitField(d, IDC_COMMENT_FREE, static_cast<int>(lineops::kFreeCommentMax));
        ChooseComment(d, r, lineops::kCommentRem);
        return TRUE;
    },
    [](HWND d, CommentChoice& r) {
        r.params.prefix = lineops::commentPrefix(r.choice, dialogutil::ItemText(d, IDC_COMMENT_FREE));
        return true;
    },
    [](HWND d, WPARAM wParam, CommentChoice& r) -> INT_PTR {
        const int id = LOWORD(wParam);
        if (id < lineops::kCommentRem || id > lineops::kCommentFree) return FALSE;
        if (HIWORD(wParam) == BN_CLICKED) ChooseComment(d, r, id);
        return TRUE;
    }};

const dialogutil::DialogKind<Asked<CutCharParams>> kCutCharDialog{
    "CUTFROMCHAR", IDC_LINE_ICON,
    [](HWND d, Asked<CutCharParams>& r) -> BOOL {
        ShowTexts(d, r);
        const char initial[2] = {r.params.character, '\0'};
        SetDlgItemTextA(d, IDC_LINE_NUMBER, initial);
        LimitField(d, IDC_LINE_NUMBER, kCountDigits);
        FocusAll(d, IDC_LINE_NUMBER);
        return FALSE;
    },
    [](HWND d, Asked<CutCharParams>& r) {
        r.params.character = lineops::cutCharFromField(dialogutil::ItemText(d, IDC_LINE_NUMBER));
        return true;
    }};

const dialogutil::DialogKind<Asked<ColumnCopyParams>> kColumnCopyDialog{
    "COLUMNCOPY", IDC_LINE_ICON,
    [](HWND d, Asked<ColumnCopyParams>& r) -> BOOL {
        ShowTexts(d, r);
        SetDlgItemTextA(d, IDC_LINE_LEFT, r.params.separator.c_str());
        SetNumber(d, IDC_COLUMN_BEGIN, r.params.begin);
        SetNumber(d, IDC_COLUMN_END, r.params.end);
        LimitField(d, IDC_LINE_LEFT, kTextMax);
        LimitField(d, IDC_COLUMN_BEGIN, kColumnDigits);
        LimitField(d, IDC_COLUMN_END, kColumnDigits);
        return TRUE;
    },
    [](HWND d, Asked<ColumnCopyParams>& r) {
        r.params.separator = ShortText(d, IDC_LINE_LEFT);
        r.params.begin = NumberField(d, IDC_COLUMN_BEGIN);
        r.params.end = NumberField(d, IDC_COLUMN_END);
        return true;
    }};

template <typename Params>
std::optional<Params> AskWith(HWND owner, const dialogutil::DialogKind<Asked<Params>>& kind, const char* caption,
                              const char* prompt, Params start) {
    auto r = dialogutil::Ask(owner, kind,
                             Asked<Params>{caption ? caption : "", prompt ? prompt : "", std::move(start)});
    if (!r) return std::nullopt;
    return std::move(r->params);
}

}  // namespace

std::optional<TextParams> AskText(HWND owner, const char* caption, const char* prompt) {
    char text[inputdialog::kInputBufferSize] = "";
    if (inputdialog::InputDialog(owner, text, prompt, caption, 0) != 1) return std::nullopt;
    return TextParams{text};
}

std::optional<CountParams> AskCount(HWND owner, const char* caption, const char* prompt) {
    return AskWith(owner, kCountDialog, caption, prompt, CountParams{});
}

std::optional<CounterParams> AskCounter(HWND owner, const char* caption, const char* prompt) {
    return AskWith(owner, kCounterDialog, caption, prompt, CounterParams{});
}

std::optional<CommentParams> AskComment(HWND owner, const char*, const char*) {
    auto r = dialogutil::Ask(owner, kCommentDialog, CommentChoice{});
    if (!r) return std::nullopt;
    return std::move(r->params);
}

std::optional<CutCharParams> AskCutChar(HWND owner, const char* caption, const char* prompt) {
    return AskWith(owner, kCutCharDialog, caption, prompt, CutCharParams{});
}

std::optional<ColumnCopyParams> AskColumnCopy(HWND owner, const char* caption, const char* prompt) {
    return AskWith(owner, kColumnCopyDialog, caption, prompt, ColumnCopyParams{});
}

}  // namespace tessel::linedialogs
