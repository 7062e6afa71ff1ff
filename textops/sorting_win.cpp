#include "textops/sorting_win.h"

#include <algorithm>
#include <new>
#include <string>

#include "app/msgbox_win.h"
#include "app/shell_win.h"
#include "resources/ids.h"
#include "ui/dialogutil_win.h"

namespace tessel::sorting {
namespace {

constexpr char kTooMany[] = "Kann nicht mehr als 4096 Zeilen sortieren !";
constexpr char kNoMemory[] = "Unzureichender Speicher";

struct DialogData {
    HWND owner;
    SortOptions options;
};

bool Checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

INT_PTR CALLBACK SortProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        data = reinterpret_cast<DialogData*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ui::CentreWindow(dialog);
        CheckRadioButton(dialog, IDC_SORT_LEXICAL, IDC_SORT_NUMERIC,
                         data->options.numeric ? IDC_SORT_NUMERIC : IDC_SORT_LEXICAL);
        CheckRadioButton(dialog, IDC_SORT_DESCENDING, IDC_SORT_ASCENDING,
                         data->options.descending ? IDC_SORT_DESCENDING : IDC_SORT_ASCENDING);
        return TRUE;
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, IDC_SORT_ICON, ui::ClassIcon(data && data->owner ? data->owner : GetParent(dialog)));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            data->options.numeric = !Checked(dialog, IDC_SORT_LEXICAL);
            data->options.descending = !Checked(dialog, IDC_SORT_ASCENDING);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

LRESULT SortCommand(HWND main, unsigned, LPARAM) {
    try {
        if (auto options = AskSortOptions(main)) RunSort(shell::EditControl(), *options);
    } catch (const std::bad_alloc&) {
        ShowMessage(main, kNoMemory, kCaptionTessel, MB_ICONERROR);
    }
    return 0;
}

constexpr CommandEntry kCommands[] = {
    {CMD_SORT, SortCommand},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

std::optional<SortOptions> AskSortOptions(HWND owner, SortOptions start) {
    DialogData data{owner, start};
    const INT_PTR result = DialogBoxParamA(shell::Instance(), "DLGSORTMYTEXT", owner, SortProc,
                                           reinterpret_cast<LPARAM>(&data));
    if (result != 1) return std::nullopt;
    return data.options;
}

void RunSort(HWND edit, const SortOptions& options) {
    const int length = GetWindowTextLengthA(edit);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(edit, text.data(), length + 1))));
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));

    const SortResult result = sortSelection(text, start, end, options);
    if (result.status == SortStatus::TooManyLines) {
        ShowMessage(edit, kTooMany, kCaptionTessel, MB_ICONERROR);
        return;
    }
    if (result.status != SortStatus::Sorted) return;
    // Lines already in order leave the document unmodified.
    if (text.compare(result.replaceStart, result.replaceEnd - result.replaceStart, result.block) != 0) {
        const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(result.replaceStart), static_cast<LPARAM>(result.replaceEnd));
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.block.c_str()));
        SendMessageA(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    }
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(result.caret), static_cast<LPARAM>(result.caret));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

}  // namespace tessel::sorting
