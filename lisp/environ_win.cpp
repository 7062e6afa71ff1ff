#include "lisp/environ_win.h"

#include <new>
#include <string>

#include "app/msgbox_win.h"
#include "app/shell_win.h"
#include "resources/ids.h"
#include "ui/dialogutil_win.h"

namespace tessel::lisp {
namespace {

void Fill(HWND dialog, int id, const std::vector<EnvEntry>& entries) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const EnvEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void JumpToSelected(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_LSP_FUNCTIONS);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return;
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    shell::SendCommand(CMD_FINDDEFUN, reinterpret_cast<LPARAM>(entry.c_str()));
    EndDialog(dialog, 1);
}

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        ui::CentreWindow(dialog);
        const auto* env = reinterpret_cast<const Environment*>(lParam);
        Fill(dialog, IDC_LSP_FUNCTIONS, env->functions);
        Fill(dialog, IDC_LSP_DCLFILES, env->dclFiles);
        Fill(dialog, IDC_LSP_DCLNAMES, env->dclNames);
        return TRUE;
    }
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, IDC_LSP_ENVICON, ui::ClassIcon(shell::MainWindow()));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, 1); break;
        case IDCANCEL: EndDialog(dialog, 0); break;
        case IDC_LSP_FUNCTIONS:
            if (HIWORD(wParam) == LBN_DBLCLK) JumpToSelected(dialog);
            break;
        default: break;
        }
        return TRUE;
    case WM_DESTROY:
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK EnvironmentProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Handle(dialog, msg, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(dialog);
        return TRUE;
    }
}

}  // namespace

void ShowEnvironment(HWND owner, const Environment& env) {
    DialogBoxParamA(shell::Instance(), "PROGLISPDLG", owner, EnvironmentProc,
                    reinterpret_cast<LPARAM>(&env));
}

}  // namespace tessel::lisp
