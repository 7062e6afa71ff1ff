#include "textops/casing_win.h"

#include <algorithm>
#include <string>

#include "core/editctl_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::casing {
namespace {

constexpr int kChoices[] = {IDC_CASE_SENTENCE, IDC_CASE_LOWER, IDC_CASE_UPPER,
                            IDC_CASE_WORDS,    IDC_CASE_SWAP,  IDC_CASE_WORDSEXT};

const dialogutil::DialogKind<Conversion> kCaseDialog{
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
    if (editctl::GetSelection(edit).empty()) return 0;  // nothing selected: no dialog
    if (auto conversion = AskConversion(main)) RunConversion(edit, *conversion);
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_CASE, CaseCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

std::optional<Conversion> AskConversion(HWND owner, Conversion start) {
    return dialogutil::Ask(owner, kCaseDialog, start);
}

void RunConversion(HWND edit, Conversion conversion) {
    const editctl::Selection selection = editctl::GetSelection(edit);
    if (selection.empty()) return;
    const std::string text = dialogutil::WindowText(edit);
    if (selection.end > text.size()) return;
    // A copy of the whole selection, however long.
    std::string selected = text.substr(selection.start, selection.end - selection.start);
    convert(selected, conversion);
    editctl::Replace(edit, selection.start, selection.end, selected.c_str());
}

}  // namespace tessel::casing
