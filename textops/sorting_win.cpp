#include "textops/sorting_win.h"

#include <algorithm>
#include <string>

#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::sorting {
namespace {

constexpr msgbox::Message kTooMany{"Kann nicht mehr als 4096 Zeilen sortieren !", msgbox::kCaptionTessel, MB_ICONERROR};

bool Checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

const dialogutil::DialogKind<SortOptions> kSortDialog{
    "DLGSORTMYTEXT", IDC_SORT_ICON,
    [](HWND d, SortOptions& o) -> BOOL {
        CheckRadioButton(d, IDC_SORT_LEXICAL, IDC_SORT_NUMERIC, o.numeric ? IDC_SORT_NUMERIC : IDC_SORT_LEXICAL);
        CheckRadioButton(d, IDC_SORT_DESCENDING, IDC_SORT_ASCENDING,
                         o.descending ? IDC_SORT_DESCENDING : IDC_SORT_ASCENDING);
        return TRUE;
    },
    [](HWND d, SortOptions& o) {
        o.numeric = !Checked(d, IDC_SORT_LEXICAL);
        o.descending = !Checked(d, IDC_SORT_ASCENDING);
        return true;
    }};

// Out of memory ends the command at the main window's barrier, before the
// edit control is touched.
LRESULT SortCommand(HWND main, unsigned, LPARAM) {
    if (auto options = AskSortOptions(main)) RunSort(shell::EditControl(), *options);
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_SORT, SortCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

std::optional<SortOptions> AskSortOptions(HWND owner, SortOptions start) {
    return dialogutil::Ask(owner, kSortDialog, start);
}

void RunSort(HWND edit, const SortOptions& options) {
    const std::string text = dialogutil::WindowText(edit);
    const editctl::Selection selection = editctl::GetSelection(edit);
    const SortResult result = sortSelection(text, selection.start, selection.end, options);
    if (result.status == SortStatus::TooManyLines) {
        msgbox::Show(kTooMany, edit);
        return;
    }
    if (result.status != SortStatus::Sorted) return;
    // Lines already in order leave the document unmodified.
    if (text.compare(result.replaceStart, result.replaceEnd - result.replaceStart, result.block) != 0)
        editctl::Replace(edit, result.replaceStart, result.replaceEnd, result.block.c_str());
    editctl::Select(edit, result.caret, result.caret, true);
}

}  // namespace tessel::sorting
