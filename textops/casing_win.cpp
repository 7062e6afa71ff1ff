#include "textops/casing_win.h"

#include <algorithm>
#include <new>
#include <string>

#include "app/msgbox_win.h"
#include "app/shell_win.h"
#include "resources/ids.h"
#include "ui/dialogutil_win.h"

namespace tessel::casing {
namespace {

constexpr char kNoMemory[] = "Unzureichender Speicher";

constexpr int kChoices[] = {IDC_CASE_SENTENCE, IDC_CASE_LOWER, IDC_CASE_UPPER,
                            IDC_CASE_WORDS,    IDC_CASE_SWAP,  IDC_CASE_WORDSEXT};

struct DialogData {
    HWND owner;
    Conversion choice;
};

INT_PTR CALLBACK CaseProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        data = reinterpret_cast<DialogData*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ui::CentreWindow(dialog);
        for (int id : kChoices)
            CheckDlgButton(dialog, id, id == static_cast<int>(data->choice) ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, IDC_CASE_ICON, ui::ClassIcon(data && data->owner ? data->owner : GetParent(dialog)));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            for (int choice : kChoices)
                if (IsDlgButtonChecked(dialog, choice) == BST_CHECKED) data->choice = static_cast<Conversion>(choice);
            EndDialog(dialog, static_cast<INT_PTR>(data->choice));
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

LRESULT CaseCommand(HWND main, unsigned, LPARAM) {
    try {
        HWND edit = shell::EditControl();
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start == end) return 0;  // nothing selected: no dialog
        if (auto conversion = AskConversion(main)) RunConversion(edit, *conversion);
    } catch (const std::bad_alloc&) {
        ShowMessage(main, kNoMemory, kCaptionTessel, MB_ICONERROR);
    }
    return 0;
}

constexpr CommandEntry kCommands[] = {
    {CMD_CASE, CaseCommand},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

std::optional<Conversion> AskConversion(HWND owner, Conversion start) {
    DialogData data{owner, start};
    const INT_PTR result =
        DialogBoxParamA(shell::Instance(), "GROSSKLEIN", owner, CaseProc, reinterpret_cast<LPARAM>(&data));
    if (result <= 0) return std::nullopt;
    return static_cast<Conversion>(result);
}

void RunConversion(HWND edit, Conversion conversion) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return;
    const int length = GetWindowTextLengthA(edit);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextA(edit, text.data(), length + 1))));
    if (start > text.size() || end > text.size()) return;
    // A copy of the whole selection, however long.
    std::string selected = text.substr(start, end - start);
    convert(selected, conversion);
    const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETSEL, start, end);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(selected.c_str()));
    SendMessageA(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}

}  // namespace tessel::casing
