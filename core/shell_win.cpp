#include "core/shell_win.h"

namespace tessel::shell {
namespace {

HINSTANCE g_instance;
HWND g_main;
HWND g_edit;
HWND g_combo;

// The argument of the command SendCommand is sending, until its handler has
// taken it or the send returns. Between SendMessage and the window procedure
// on the same thread no other message runs, so the first check is ours.
struct OwnSend {
    bool pending = false;
    LPARAM arg = 0;
};
OwnSend g_ownSend;

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
    g_ownSend = OwnSend{true, arg};
    const LRESULT result = SendMessageA(g_main, WM_COMMAND, id, arg);
    g_ownSend = OwnSend{};
    return result;
}

bool OwnArgument(LPARAM arg) {
    // A message from another thread or process shows in InSendMessage; a
    // posted one comes through a message loop, never through SendCommand.
    const bool own = g_ownSend.pending && g_ownSend.arg == arg && !InSendMessage();
    g_ownSend = OwnSend{};
    return own;
}

}  // namespace tessel::shell
