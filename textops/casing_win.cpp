#include "textops/casing_win.h"

#include <algorithm>
#include <string>

#include "core/shell_win.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::casing {
namespace {

constexpr int kChoices[] = {IDC_CASE_SENTENCE, IDC_CASE_LOWER, IDC_CASE_UPPER,
                            IDC_CASE_WORDS,    IDC_CASE_SWAP,  IDC_CASE_WORDSEXT};

const ui::DialogKind<Conversion> kCaseDialog{
    "GROSSKLEIN", IDC_CASE_ICON,
    [](HWND d, Conversion& c) -> BOOL {
        for (int id : kChoices) CheckDlgButton(d, id, id == static_cast<int>(c) ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    },
    [](HWND d, Conversion& c) {
        for (int choice : kChoices)
            if (IsDlgButtonChecked(d, choice) == BST_CHECKED) c = static_cast<Conversion>(choice);
        return true;
    }};

// Out of memory ends the command at the main window's barrier, before the
// edit control is touched.
LRESULT CaseCommand(HWND main, unsigned, LPARAM) {
    HWND edit = shell::EditControl();
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return 0;  // nothing selected: no dialog
    if (auto conversion = AskConversion(main)) RunConversion(edit, *conversion);
    return 0;
}

constexpr CommandEntry kCommands[] = {
    {CMD_CASE, CaseCommand},
};

}  // namespace

CommandTable Commands() { return MakeTable(kCommands); }

std::optional<Conversion> AskConversion(HWND owner, Conversion start) {
    return ui::Ask(owner, kCaseDialog, start);
}

void RunConversion(HWND edit, Conversion conversion) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return;
    const std::string text = ui::WindowText(edit);
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
