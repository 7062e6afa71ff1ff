// Times the AutoLISP commands on a full-size program (30000 characters) in
// the real main window, against one whole-text update (SetWindowText of the
// same text, painted): the bracket test, the compressor with its file, the
// variable list with the clipboard, and the program-environment dialog.
// Each is timed twice: the command's own work (one copy of the text and the
// pure passes) and the whole command through WM_COMMAND, its message box or
// dialog opened and closed at once by a hook.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/common/benchclock.h"
#include "app/mainwindow_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "lisp/brackets.h"
#include "lisp/compress.h"
#include "lisp/scan.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace {

using namespace tessel;

constexpr std::size_t kProgramChars = 30000;
constexpr int kRepeats = 5;

HWND g_main;
HWND g_edit;
HHOOK g_hook;
int g_dialogs;

using bench::Now;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) tessel::mainwindow::ProcessMessage(msg);
}

void Settle() {
    UpdateWindow(g_edit);
    Pump();
}

// Every message box and dialog is closed as soon as it has been set up.
LRESULT CALLBACK CloseAtOnce(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (ret->message == WM_INITDIALOG) {
            ++g_dialogs;
            PostMessageA(ret->hwnd, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// A program of the usual shape: headers, functions with locals, setq,
// foreach, strings, a dialog, comments and indentation.
std::string MakeProgram() {
    std::string text;
    for (int i = 0; text.size() < kProgramChars; ++i) {
        const std::string n = std::to_string(i);
        text += ";;; Funktion " + n + "\r\n(defun c:f" + n + " (/ a b dcl)\r\n";
        text += "  (setq a" + n + " (getint \"Zahl ; eingeben: \"))   ; Eingabe\r\n";
        text += "  (foreach x (list 1 2 3)\r\n\t(setq b (+ x a" + n + ")))\r\n";
        text += "  (setq dcl (load_dialog \"dlg" + n + ".dcl\"))\r\n  (new_dialog \"main" + n + "\" dcl)\r\n";
        text += "  (princ)\r\n)\r\n";
    }
    text.resize(kProgramChars);
    return text;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Time(const std::function<void()>& run) {
    std::vector<double> runs;
    for (int r = 0; r < kRepeats; ++r) {
        Settle();
        const double t0 = Now();
        run();
        Settle();
        runs.push_back(Now() - t0);
    }
    return Median(runs);
}

// The command's own work on one copy of the text.
template <typename Work>
void OnCopy(Work work) {
    char* text = dialogutil::CopyWindowText(g_edit);
    work(std::string_view(text));
    dialogutil::FreeWindowText(text);
}

}  // namespace

int main() {
    g_main = tessel::mainwindow::StartApplication(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    if (!g_main) return 1;
    g_edit = tessel::shell::EditControl();
    g_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CloseAtOnce, nullptr, GetCurrentThreadId());

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "tessel-bench-lisp.lsp";
    const std::string program = MakeProgram();
    SendMessageA(g_edit, EM_SETLIMITTEXT, 65535, 0);
    SetWindowTextA(g_edit, program.c_str());
    tessel::document::SetPath(path.c_str());
    SendMessageA(g_edit, EM_SETSEL, 0, 32767);
    Settle();

    const double floor = Time([&] { SetWindowTextA(g_edit, program.c_str()); });

    struct Row {
        const char* name;
        unsigned id;
        std::function<void()> work;
    };
    const Row rows[] = {
        {"Klammertest", CMD_LSP_BRACKETS,
         [] { OnCopy([](std::string_view t) { (void)brackets::bracketReport(brackets::checkBrackets(t)); }); }},
        {"Datei komprimieren", CMD_LSP_COMPRESS,
         [] { OnCopy([](std::string_view t) { (void)compress::compress(t); }); }},
        {"Variablen auflisten", CMD_LSP_VARLIST,
         [] { OnCopy([](std::string_view t) { (void)scan::variableList(t); }); }},
        {"Programm Umgebung", CMD_LSP_ENVIRON,
         [] { OnCopy([](std::string_view t) { (void)scan::scanEnvironment(t); }); }},
    };

    std::printf("AutoLISP program of %zu characters; median of %d runs.\n"
                "Floor: one whole-text update (SetWindowText of the same text, painted): %.2f ms\n\n",
                program.size(), kRepeats, floor);
    std::printf("%-6s %-22s %10s %7s %12s %7s\n", "id", "command", "work ms", "ratio", "command ms", "ratio");
    bool within = true;
    for (const Row& row : rows) {
        const double work = Time(row.work);
        const double command = Time([&] { SendMessageA(g_main, WM_COMMAND, row.id, 0); });
        if (work / floor > 1.0) within = false;
        std::printf("%-6u %-22s %10.2f %7.3f %12.2f %7.3f\n", row.id, row.name, work, work / floor, command,
                    command / floor);
    }
    std::printf("\nthe work of every command within 1x one whole-text update: %s (%d dialogs closed)\n",
                within ? "yes" : "NO", g_dialogs);

    UnhookWindowsHookEx(g_hook);
    std::string bi4 = path.substr(0, path.size() - 4) + ".BI4";
    DeleteFileA(bi4.c_str());
    tessel::document::SetModified(false);
    tessel::document::ClearPathAndTitle();
    DestroyWindow(g_main);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT)
        tessel::mainwindow::ProcessMessage(msg);
    tessel::mainwindow::EndApplication();
    return within ? 0 : 1;
}
