#include "lisp/environment_win.h"

#include <string>

#include "core/shell_win.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::environment {
namespace {

void Fill(HWND dialog, int id, const std::vector<scan::EnvEntry>& entries) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const scan::EnvEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

BOOL Init(HWND dialog, scan::Environment& env) {
    Fill(dialog, IDC_LSP_FUNCTIONS, env.functions);
    Fill(dialog, IDC_LSP_DCLFILES, env.dclFiles);
    Fill(dialog, IDC_LSP_DCLNAMES, env.dclNames);
    return TRUE;
}

// A double click on a function: the main window jumps to its definition
// (command 40013 with the entry), and the dialog closes.
INT_PTR Command(HWND dialog, WPARAM wParam, scan::Environment&) {
    if (LOWORD(wParam) != IDC_LSP_FUNCTIONS || HIWORD(wParam) != LBN_DBLCLK) return TRUE;
    HWND list = GetDlgItem(dialog, IDC_LSP_FUNCTIONS);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return TRUE;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return TRUE;
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    shell::SendCommand(CMD_FINDDEFUN, reinterpret_cast<LPARAM>(entry.c_str()));
    EndDialog(dialog, 1);
    return TRUE;
}

const dialogutil::DialogKind<scan::Environment> kEnvironmentDialog{"PROGLISPDLG", IDC_LSP_ENVICON, Init, nullptr,
                                                                   Command};

}  // namespace

void ShowEnvironment(HWND owner, scan::Environment& env) {
    dialogutil::Run(owner, kEnvironmentDialog, env);
}

}  // namespace tessel::environment
