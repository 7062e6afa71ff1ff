#include "core/shell_win.h"

namespace tessel::shell {
namespace {

HINSTANCE g_instance;
HWND g_main;
HWND g_edit;
HWND g_combo;

}  // namespace

HINSTANCE Instance() { return g_instance; }
HWND MainWindow() { return g_main; }
HWND EditControl() { return g_edit; }
HWND IniCombo() { return g_combo; }

void Attach(HINSTANCE instance, HWND main, HWND edit, HWND combo) {
    g_instance = instance;
    g_main = main;
    g_edit = edit;
    g_combo = combo;
}

void NotifyTextChanged() {
    SendMessageA(g_main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(g_edit), EN_UPDATE), reinterpret_cast<LPARAM>(g_edit));
}

LRESULT SendCommand(unsigned id, LPARAM arg) {
    return SendMessageA(g_main, WM_COMMAND, id, arg);
}

}  // namespace tessel::shell
