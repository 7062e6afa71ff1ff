// The AutoLISP tools through the real commands: the bracket test and its
// report, the compressor and its file, the templates, Next Defun, the
// variable list, the program-environment dialog and its jump, and the load
// into AutoCAD over DDE with a stand-in server in a second process.
#include <windows.h>
#include <dde.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/mainwindow_win.h"
#include "document/document_win.h"
#include "lisp/ddetext.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

using gui::Arg;
using gui::Scratch;

constexpr char kNote[] = "Meldung";

// The report; the bracket verdict fails also for a ")" before its partner
// and an open block comment, which the counts do not show.
std::string Report(int left, int right, int quotes, bool bracketsOk = true) {
    std::string s = "Linke Klammern :\t " + std::to_string(left) + "\nRechte Klammern :\t " + std::to_string(right) +
                    "\nAnführungszeichen :\t " + std::to_string(quotes) + "\n\n";
    s += left == right && bracketsOk ? "Klammerntest \tOK\n" : "Klammerntest \tFEHLER\n";
    s += quotes % 2 == 0 ? "Anführungszeichen \tOK" : "Anführungszeichen \tFEHLER";
    return s;
}

std::string Statistics(int before, int after, int saving) {
    return "Die Datei wurde komprimiert gespeichert als : '*.BI4'\n\nDateigröße vorher :\t " + std::to_string(before) +
           " Byte\nDateigröße naher :\t " + std::to_string(after) + " Byte\nEinsparung :\t " +
           std::to_string(saving) + " %";
}

std::vector<std::string> ListItems(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buf[256] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}

}  // namespace

TEST_CASE("bracket test: the report every time, the refusal of 40011, and large or odd texts") {
    Scratch s;
    const std::string bi4 = s.dir + "prog.BI4";
    gui::App app;
    // Brackets and a ";" inside a string are no fault any more.
    app.command(CMD_OPENPATH, Arg(s.file("prog.lsp", "(princ \"a;b (\")\r\n")));
    gui::ExpectMessage(kNote, Report(1, 1, 2), MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKETS);

    app.setText("(princ \"a;b\"\r\n");
    gui::WriteFile(bi4, "old");
    gui::ExpectMessage(kNote, Report(1, 0, 2), MB_ICONINFORMATION);
    gui::ExpectMessage(kNote, "Die Datei wurde wegen eines Klammerfehlers nicht komprimiert !", MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKCOMP);
    CHECK(gui::ReadFile(bi4) == "old");
    CHECK(app.selection() == std::make_pair(0, 1));  // the "(" never closed

    app.setText("(a)");  // a passing test is reported too, and leaves the caret
    app.select(2, 2);
    gui::ExpectMessage(kNote, Report(1, 1, 0), MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKETS);
    CHECK(app.selection() == std::make_pair(2, 2));

    app.setText(std::string(30000, '('));
    gui::ExpectMessage(kNote, Report(30000, 0, 0), MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKETS);
    CHECK(app.selection() == std::make_pair(0, 1));
    app.setText(std::string(29999, '"'));  // 14999 empty strings and one left open
    gui::ExpectMessage(kNote, Report(0, 0, 29999), MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKETS);
    CHECK(app.selection() == std::make_pair(29998, 29999));
    CHECK(app.text().size() == 29999);
    CHECK_FALSE(tessel::document::Modified());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("bracket test: the caret selects the first fault, never a bracket in a string or comment") {
    const struct {
        const char* text;
        int left, right, quotes;
        bool bracketsOk;
        int start, end;  // the selection after the test
    } cases[] = {
        {";;; (\r\n(princ \"ligne (horizontale)\")\r\n))(", 2, 3, 2, false, 38, 39},  // the stray ")"
        {"(defun a ()\r\n  (princ \")\")\r\n(defun b () (princ))", 6, 5, 2, false, 0, 1},
        {"(a)\r\n(princ \"Gr\xfc\xdf Gott\\\")\r\n(b)", 2, 1, 1, false, 12, 13},  // the string left open
        {"(a)\r;| Block\r (b)\r", 1, 1, 0, false, 4, 6},                    // the ";|" never closed
    };
    gui::App app;
    for (const auto& c : cases) {
        CAPTURE(c.text);
        app.setText(c.text);
        app.select(0, 0);
        gui::ExpectMessage(kNote, Report(c.left, c.right, c.quotes, c.bracketsOk), MB_ICONINFORMATION);
        app.command(CMD_LSP_BRACKETS);
        CHECK(app.selection() == std::make_pair(c.start, c.end));
        CHECK(app.text() == c.text);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("compressor: the BI4 file's bytes beside the document, the statistics, and both file errors") {
    Scratch s;
    const std::string source =
        ";;; Test äöü\r\n(defun c:a ( /\r\nx)\r\n  (setq x (strcat \"a  (b\" \";\"))  ; drei\r\n)\r\n";
    gui::App app;
    app.command(CMD_OPENPATH, Arg(s.file("prog.lsp", source)));
    app.type("  ");  // unsaved changes count: the text is taken from the window
    const std::string text = app.text();
    REQUIRE(text == "  " + source);

    // The same tokens on one line: the strings whole, the line break inside
    // the argument list a blank.
    const std::string expected = "(defun c:a(/ x)(setq x(strcat \"a  (b\" \";\")))";
    const int saving = static_cast<int>((1.0 - double(expected.size()) / double(text.size())) * 100.0);
    gui::ExpectMessage(kNote, Statistics(int(text.size()), int(expected.size()), saving), MB_ICONINFORMATION);
    app.command(CMD_LSP_COMPRESS);
    CHECK(gui::ReadFile(s.dir + "prog.BI4") == expected);
    CHECK(gui::ReadFile(s.dir + "prog.lsp") == source);  // the document is not saved

    // 40011 with a passing test: report, then the file.
    gui::RemoveFile(s.dir + "prog.BI4");
    gui::ExpectMessage(kNote, Report(4, 4, 4), MB_ICONINFORMATION);
    gui::ExpectMessage(kNote, Statistics(int(text.size()), int(expected.size()), saving), MB_ICONINFORMATION);
    app.command(CMD_LSP_BRACKCOMP);
    CHECK(gui::ReadFile(s.dir + "prog.BI4") == expected);

    // A locked BI4 file cannot be created.
    HANDLE lock = CreateFileA((s.dir + "prog.BI4").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(lock != INVALID_HANDLE_VALUE);
    gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
    app.command(CMD_LSP_COMPRESS);
    CloseHandle(lock);

    // A read-only BI4 file is not overwritten.
    SetFileAttributesA((s.dir + "prog.BI4").c_str(), FILE_ATTRIBUTE_READONLY);
    gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
    app.command(CMD_LSP_COMPRESS);
    CHECK(gui::ReadFile(s.dir + "prog.BI4") == expected);
    SetFileAttributesA((s.dir + "prog.BI4").c_str(), FILE_ATTRIBUTE_NORMAL);

    // An empty document: an empty file and a saving of 0 %.
    app.setText("");
    gui::ExpectMessage(kNote, Statistics(0, 0, 0), MB_ICONINFORMATION);
    app.command(CMD_LSP_COMPRESS);
    CHECK(gui::ReadFile(s.dir + "prog.BI4").empty());
    CHECK(GetFileAttributesA((s.dir + "prog.BI4").c_str()) != INVALID_FILE_ATTRIBUTES);

    // A text with nothing to drop is written unchanged: 0 %.
    app.setText("(a\"b\")");
    gui::ExpectMessage(kNote, Statistics(6, 6, 0), MB_ICONINFORMATION);
    app.command(CMD_LSP_COMPRESS);
    CHECK(gui::ReadFile(s.dir + "prog.BI4") == "(a\"b\")");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("compressor: a directory that does not exist and a full drive give the two file errors") {
    gui::App app;
    app.setText("(a)");
    tessel::document::SetPath("C:\\gibt-es-nicht\\nirgends\\prog.lsp");
    gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
    app.command(CMD_LSP_COMPRESS);
    // A path whose BI4 name would not fit a path buffer is not cut to another name.
    tessel::document::SetPath(("C:\\" + std::string(250, 'x')).c_str());
    gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
    app.command(CMD_LSP_COMPRESS);

    const std::string drive = gui::FullDrive();
    if (drive.empty()) {
        MESSAGE("TESSEL_FULL_DRIVE not set: the full-drive case is not run");
    } else {
        gui::WriteFile(drive + "filler.bin", std::string(40000, 'f'));
        tessel::document::SetPath((drive + "voll.lsp").c_str());
        app.setText(std::string(30000, 'n'));
        gui::ExpectMessage("Warnung", "Fehler beim Schreiben der Komprimierten Datei!", MB_ICONERROR);
        app.command(CMD_LSP_COMPRESS);
        gui::RemoveFile(drive + "voll.BI4");
        gui::RemoveFile(drive + "filler.bin");
    }
    tessel::document::ClearPathAndTitle();
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("compressor: an untitled document writes .BI4 in the current directory") {
    Scratch s;
    char old[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(s.dir.c_str());
    {
        gui::App app;
        app.setText("(a  b)\r\n");
        gui::ExpectMessage(kNote, Statistics(8, 5, 37), MB_ICONINFORMATION);
        app.command(CMD_LSP_COMPRESS);
        CHECK(gui::ReadFile(s.dir + ".BI4") == "(a b)");
    }
    SetCurrentDirectoryA(old);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("compressor: a document named *.BI4 in any case is never written over by its copy") {
    Scratch s;
    for (const char* name : {"TEST.BI4", "test.bi4", "Test.Bi4"}) {
        CAPTURE(name);
        const std::string source = "(setq a  1) ; eins\r\n";
        const std::string path = s.file(name, source);
        gui::App app;
        app.command(CMD_OPENPATH, Arg(path));
        gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
        app.command(CMD_LSP_COMPRESS);
        gui::ExpectMessage(kNote, Report(1, 1, 0), MB_ICONINFORMATION);
        gui::ExpectMessage("Warnung", "Fehler beim Erzeugen der Komprimierten Datei!", MB_ICONERROR);
        app.command(CMD_LSP_BRACKCOMP);
        CHECK(gui::ReadFile(path) == source);
        CHECK_FALSE(tessel::document::Modified());
        gui::RemoveFile(path);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("templates: inserted in place of the selection, the caret behind them, one undo step") {
    gui::App app;
    app.setText("AxB");
    app.select(1, 2);
    app.command(CMD_LSP_DEFUN);
    const std::string defun = ";;;\r\n;;; \r\n;;;\r\n(defun  ( / )\r\n  \r\n)\r\n";
    CHECK(app.text() == "A" + defun + "B");
    CHECK(app.selection() == std::make_pair(39, 39));
    CHECK(tessel::document::Modified());
    app.command(CMD_UNDO);
    CHECK(app.text() == "AxB");
    app.select(3, 3);
    app.command(CMD_LSP_IF);
    const std::string ifText = "(if \r\n  (progn\r\n    \r\n  )\r\n  (progn\r\n    \r\n  )\r\n)\r\n";
    CHECK(app.text() == "AxB" + ifText);
    CHECK(app.selection() == std::make_pair(54, 54));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("Next Defun: F7 steps from the selection start + 6 and does nothing past the last") {
    gui::App app;
    const std::string text = "(defun a ())\r\n; defun im Kommentar\r\n(DEFUN b ())\r\n(x)";
    app.setText(text);
    app.select(0, 0);
    app.command(CMD_LSP_NEXTDEFUN);  // the one at 1 lies before 0 + 6
    CHECK(app.selection() == std::make_pair(16, 21));
    app.command(CMD_LSP_NEXTDEFUN);
    CHECK(app.selection() == std::make_pair(37, 42));  // case does not matter
    app.command(CMD_LSP_NEXTDEFUN);
    CHECK(app.selection() == std::make_pair(37, 42));  // nothing more: no message, no change
    // F7 through the accelerator table, as the user presses it.
    app.select(0, 0);
    PostMessageA(app.edit(), WM_KEYDOWN, VK_F7, 0);
    gui::Pump();
    CHECK(app.selection() == std::make_pair(16, 21));
    app.select(int(text.size()) - 3, int(text.size()) - 3);
    app.command(CMD_LSP_NEXTDEFUN);
    CHECK(app.selection() == std::make_pair(int(text.size()) - 3, int(text.size()) - 3));
    CHECK(app.text() == text);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("variable list: the message, then the list on the clipboard; none found leaves the clipboard") {
    gui::App app;
    app.setText("(setq a 1 b 2)(foreach x l (setq y x))(set 'q 3)\r\n(setq z 0)");
    gui::SetClipboard("vorher");
    app.select(0, 49);  // without the last line
    gui::ExpectMessage("Information", "Die Variablenliste wurde in die Zwischenablage kopiert !", MB_ICONINFORMATION);
    app.command(CMD_LSP_VARLIST);
    CHECK(gui::ClipboardText() == " x a y 'q ");

    gui::SetClipboard("vorher");
    app.select(0, 0);
    gui::ExpectMessage(kNote, "Keine Auto-Lisp Variablen gefunden !", MB_ICONINFORMATION);
    app.command(CMD_LSP_VARLIST);
    CHECK(gui::ClipboardText() == "vorher");

    // A long program: the list grows with it.
    std::string big;
    for (int i = 0; big.size() < 29000; ++i) big += "(setq v" + std::to_string(i) + " 1)\r\n";
    app.setText(big);
    app.select(0, -1);
    gui::ExpectMessage("Information", "Die Variablenliste wurde in die Zwischenablage kopiert !", MB_ICONINFORMATION);
    app.command(CMD_LSP_VARLIST);
    const std::string list = gui::ClipboardText();
    CHECK(list.size() > 10000);
    CHECK(list.compare(0, 7, " v0 v1 ") == 0);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("program environment: three sorted lists with duplicates, and the double-click jump") {
    gui::App app;
    const std::string program =
        "(defun zeta (x) x)\r\n(defun c:main (/ id)\r\n  (setq id (load_dialog \"main.dcl\"))\r\n"
        "  (new_dialog \"main_dlg\" id)\r\n  (new_dialog \"about\" id)\r\n)\r\n(defun zeta (x) x)\r\n";
    app.setText(program);
    std::vector<std::string> functions, files, names;
    std::string label;
    gui::ExpectDialog("AutoLisp - Programmumgebung", [&](HWND d) {
        functions = ListItems(d, IDC_LSP_FUNCTIONS);
        files = ListItems(d, IDC_LSP_DCLFILES);
        names = ListItems(d, IDC_LSP_DCLNAMES);
        label = gui::ItemText(d, IDC_LSP_FUNCTIONS_LABEL);
        gui::Press(d, IDOK);
    });
    app.command(CMD_LSP_ENVIRON);
    CHECK(functions == std::vector<std::string>{"c:main ", "zeta ", "zeta "});
    CHECK(files == std::vector<std::string>{"main.dcl "});
    CHECK(names == std::vector<std::string>{"about ", "main_dlg "});
    CHECK(label == "deklarierte DEFUN - Befehle :");

    // Double-click on "zeta ": the first definition is selected, keyword to blank.
    app.select(0, 0);
    gui::ExpectDialog("AutoLisp - Programmumgebung", [](HWND d) {
        HWND list = GetDlgItem(d, IDC_LSP_FUNCTIONS);
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_LSP_FUNCTIONS, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    });
    app.command(CMD_LSP_ENVIRON);
    CHECK(app.selection() == std::make_pair(1, 12));

    // No keywords: empty lists; the jump with an empty entry finds "defun ".
    app.setText("(princ)");
    gui::ExpectDialog("AutoLisp - Programmumgebung", [&](HWND d) {
        functions = ListItems(d, IDC_LSP_FUNCTIONS);
        files = ListItems(d, IDC_LSP_DCLFILES);
        names = ListItems(d, IDC_LSP_DCLNAMES);
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    app.command(CMD_LSP_ENVIRON);
    CHECK(functions.empty());
    CHECK(files.empty());
    CHECK(names.empty());
    app.setText("(defun(x)) (defun f ())");
    app.command(CMD_FINDDEFUN, reinterpret_cast<LPARAM>(""));
    CHECK(app.selection() == std::make_pair(12, 18));
    app.select(0, 0);
    app.command(CMD_FINDDEFUN, reinterpret_cast<LPARAM>("nirgends "));
    CHECK(app.selection() == std::make_pair(0, 0));
    CHECK_DIALOGS_ANSWERED();
}

// ------------------------------------------------------------------ DDE

namespace {

// The stand-in AutoCAD, started beside the test program as a second process;
// `modes` make it misbehave (see tests/support/acad_standin.cpp).
class StandIn {
public:
    StandIn(const std::string& service, const std::string& log, const std::string& modes = "") : log_(log) {
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        std::string exe = module;
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + "acad_standin.exe";
        std::string cmd = "\"" + exe + "\" " + service + " \"" + log + "\" " + modes;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        if (started_) wait("READY");
    }
    ~StandIn() {
        if (!started_) return;
        PostThreadMessageA(pi_.dwThreadId, WM_QUIT, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }
    // The log once it holds `marker`, pumping the test's messages meanwhile.
    std::string wait(const std::string& marker) const {
        std::string content;
        for (int i = 0; i < 250; ++i) {
            gui::Pump();
            content = gui::ReadFile(log_);
            if (content.find(marker) != std::string::npos) break;
            Sleep(20);
        }
        return content;
    }
    std::vector<std::string> lines(const std::string& prefix) const {
        std::vector<std::string> out;
        const std::string content = gui::ReadFile(log_);
        std::size_t at = 0;
        while (at < content.size()) {
            std::size_t end = content.find("\r\n", at);
            if (end == std::string::npos) end = content.size();
            const std::string line = content.substr(at, end - at);
            if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line.substr(prefix.size()));
            at = end + 2;
        }
        return out;
    }

private:
    std::string log_;
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

// Runs the program's loop a while, so the acknowledgements and terminates
// in both directions are delivered.
void Settle(int ms = 300) {
    for (int i = 0; i < ms / 20; ++i) {
        gui::Pump();
        Sleep(20);
    }
}

// Runs the loop for `ms`, at most 50 messages a step, so that a message
// storm cannot hold the test; returns how many terminates reached `main`.
int CountTerminates(HWND main, int ms) {
    int count = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        MSG msg;
        for (int i = 0; i < 50 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_DDE_TERMINATE && msg.hwnd == main) ++count;
            tessel::mainwindow::ProcessMessage(msg);
        }
        Sleep(10);
    }
    return count;
}

}  // namespace

TEST_CASE("DDE: four initiates to reach AUTOCAD.R15.DDE, the execute text, no second save") {
    Scratch s;
    StandIn server("AUTOCAD.R15.DDE", s.dir + "acad.log");
    REQUIRE(server.started());
    gui::App app;
    const std::string file = s.file("a.lsp", "(princ)");
    app.command(CMD_OPENPATH, Arg(file));
    gui::WriteFile(file, "changed on disk");  // a save would overwrite this

    app.command(CMD_LSP_ACADLOAD);
    server.wait("TERMINATE");
    Settle();
    const std::vector<std::string> initiates = server.lines("INITIATE ");
    CHECK(initiates == std::vector<std::string>{"AUTOCAD.DDE|System", "AUTOCAD.R13.DDE|System",
                                                "AUTOCAD.R14.DDE|System", "AUTOCAD.R15.DDE|System"});
    const std::string path = tessel::document::Path();
    CHECK(server.lines("EXECUTE ") == std::vector<std::string>{tessel::dde::executeText(path)});
    CHECK(path.find('\\') != std::string::npos);
    CHECK(server.lines("EXECUTE ")[0].find("\\\\") != std::string::npos);
    CHECK(server.lines("TERMINATE").size() == 1);
    CHECK(gui::ReadFile(file) == "changed on disk");

    // A second F4 connects anew: four more initiates, one more execute.
    app.command(CMD_LSP_ACADLOAD);
    Settle(600);
    CHECK(server.lines("INITIATE ").size() == 8);
    CHECK(server.lines("EXECUTE ").size() == 2);

    // A modified document is saved first.
    app.type("; neu\r\n");
    app.command(CMD_LSP_ACADLOAD);
    Settle(600);
    CHECK(gui::ReadFile(file) == "; neu\r\n(princ)");
    CHECK(server.lines("EXECUTE ").size() == 3);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: an untitled document whose Save As is cancelled sends empty paths") {
    Scratch s;
    StandIn server("AUTOCAD.DDE", s.dir + "acad.log");
    REQUIRE(server.started());
    gui::App app;
    app.type("(princ)");
    gui::ExpectDialog("Save As", [](HWND d) { gui::Press(d, IDCANCEL); });
    app.command(CMD_LSP_ACADLOAD);
    server.wait("TERMINATE");
    CHECK(server.lines("INITIATE ").size() == 1);
    CHECK(server.lines("EXECUTE ") == std::vector<std::string>{"(setq U:USELOAD1KOVA \"\")(load \"\") "});
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: no server gives the message; once the server runs, F4 connects; long paths are never cut") {
    Scratch s;
    gui::App app;
    app.setText("(princ)");
    gui::ExpectMessage("Warnung", "Keine Verbindung zu AutoCad möglich !", MB_ICONERROR);
    app.command(CMD_LSP_ACADLOAD);
    CHECK_DIALOGS_ANSWERED();

    StandIn server("AUTOCAD.R19.DDE", s.dir + "acad.log");
    REQUIRE(server.started());
    // A 255-character path full of backslashes doubles to 508 characters,
    // twice in the text: more than the old 1024-byte block held.
    const std::string path = "C:" + std::string(253, '\\');
    tessel::document::SetPath(path.c_str());
    app.command(CMD_LSP_ACADLOAD);
    server.wait("TERMINATE");
    CHECK(server.lines("INITIATE ").size() == 8);
    const std::vector<std::string> executes = server.lines("EXECUTE ");
    REQUIRE(executes.size() == 1);
    CHECK(executes[0] == tessel::dde::executeText(path));
    CHECK(executes[0].size() > 1024);
    Settle();
    tessel::document::ClearPathAndTitle();
    CHECK_DIALOGS_ANSWERED();
}

// ------------------------------------------------------------------ tessel-lisp.exe

namespace {

// Runs a console program beside the test program with its output in `out`;
// returns its exit status (-1 when it could not be started).
int RunConsole(const std::string& args, const std::string& out) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string exe = module;
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "tessel-lisp.exe";
    std::string cmd = "\"" + exe + "\" " + args;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = file;
    si.hStdError = file;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(file);
    if (!started) return -1;
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

}  // namespace

TEST_CASE("tessel-lisp.exe: the Windows console build checks, compresses and reports file errors") {
    Scratch s;
    const std::string bad = s.file("bad.lsp", "(defun a ()\r\n  (princ))\r\n)\r\n");
    CHECK(RunConsole("check \"" + bad + "\"", s.dir + "out.txt") == 1);
    const std::string out = gui::ReadFile(s.dir + "out.txt");
    CHECK(out.find("bad.lsp:3:1: error: closing bracket without an opening bracket") != std::string::npos);
    CHECK(out.find("left") == std::string::npos);  // counts only with -v

    const std::string good = s.file("good.lsp", "(setq a  (+ 1 2)) ; Kommentar\r\n");
    CHECK(RunConsole("check \"" + good + "\"", s.dir + "out.txt") == 0);
    CHECK(RunConsole("compress \"" + good + "\"", s.dir + "out.txt") == 0);
    CHECK(gui::ReadFile(s.dir + "good.BI4") == "(setq a(+ 1 2))");
    // A file named *.bi4 is not written over by its own copy.
    const std::string self = s.file("self.bi4", "(a  b)");
    CHECK(RunConsole("compress \"" + self + "\"", s.dir + "out.txt") == 2);
    CHECK(gui::ReadFile(self) == "(a  b)");
    CHECK(RunConsole("--version", s.dir + "out.txt") == 0);
    CHECK(gui::ReadFile(s.dir + "out.txt").rfind("tessel-lisp ", 0) == 0);
    CHECK(RunConsole("check \"" + s.dir + "fehlt.lsp\"", s.dir + "out.txt") == 2);
    CHECK(gui::ReadFile(s.dir + "out.txt").find("fehlt.lsp") != std::string::npos);
}

TEST_CASE("DDE: of two servers answering, one gets the execute and each conversation ends once") {
    Scratch s;
    StandIn first("AUTOCAD.DDE", s.dir + "first.log");
    StandIn second("AUTOCAD.DDE", s.dir + "second.log");
    REQUIRE(first.started());
    REQUIRE(second.started());
    gui::App app;
    app.setText("(princ)");
    app.command(CMD_LSP_ACADLOAD);
    first.wait("TERMINATE");
    second.wait("TERMINATE");
    Settle(600);
    CHECK(first.lines("INITIATE ").size() == 1);
    CHECK(second.lines("INITIATE ").size() == 1);
    CHECK(first.lines("EXECUTE ").size() + second.lines("EXECUTE ").size() == 1);
    CHECK(first.lines("TERMINATE").size() == 1);
    CHECK(second.lines("TERMINATE").size() == 1);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: after the server has gone, F4 reports no connection instead of posting nowhere") {
    Scratch s;
    gui::App app;
    app.setText("(princ)");
    {
        StandIn server("AUTOCAD.DDE", s.dir + "acad.log");
        REQUIRE(server.started());
        app.command(CMD_LSP_ACADLOAD);  // its answers are not pumped before it ends
    }
    gui::ExpectMessage("Warnung", "Keine Verbindung zu AutoCad möglich !", MB_ICONERROR);
    app.command(CMD_LSP_ACADLOAD);
    Settle();
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: a server that answers each terminate twice is not answered back: no message storm") {
    Scratch s;
    StandIn server("AUTOCAD.DDE", s.dir + "acad.log", "twice");
    REQUIRE(server.started());
    gui::App app;
    app.setText("(princ)");
    SendMessageA(app.main(), WM_COMMAND, CMD_LSP_ACADLOAD, 0);
    CHECK(CountTerminates(app.main(), 1000) == 2);
    CHECK(server.lines("TERMINATE").size() == 1);
    SendMessageA(app.main(), WM_COMMAND, CMD_LSP_ACADLOAD, 0);
    CHECK(CountTerminates(app.main(), 600) == 2);
    CHECK(server.lines("EXECUTE ").size() == 2);
    CHECK(server.lines("TERMINATE").size() == 2);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: every conversation ends with one terminate, also with a server window still waiting for it") {
    Scratch s;
    StandIn server("AUTOCAD.DDE", s.dir + "acad.log", "silent");  // never answers a terminate
    REQUIRE(server.started());
    {
        gui::App app;
        app.setText("(princ)");
        app.command(CMD_LSP_ACADLOAD);
        Settle();
        // The same window answers again while our first terminate waits for
        // its answer: the new conversation needs a terminate of its own.
        app.command(CMD_LSP_ACADLOAD);
        Settle();
        CHECK(server.lines("INITIATE ").size() == 2);
        CHECK(server.lines("EXECUTE ").size() == 2);
        CHECK(server.lines("TERMINATE").size() == 2);
        CHECK_DIALOGS_ANSWERED();
    }
    Sleep(300);  // leaving posts nothing more: both conversations had theirs
    CHECK(server.lines("TERMINATE").size() == 2);
}

TEST_CASE("DDE: an acknowledgement after the conversation ended is no initiate answer and its atoms are left alone") {
    Scratch s;
    StandIn server("AUTOCAD.R15.DDE", s.dir + "acad.log", "lateack");
    REQUIRE(server.started());
    gui::App app;
    app.setText("(princ)");
    app.command(CMD_LSP_ACADLOAD);
    server.wait("STRAY");
    CHECK(server.lines("STRAY ") == std::vector<std::string>{"kept"});
    // The next F4 searches anew and opens a conversation of its own.
    app.command(CMD_LSP_ACADLOAD);
    Settle(600);
    CHECK(server.lines("INITIATE ").size() == 8);
    CHECK(server.lines("EXECUTE ").size() == 2);
    CHECK(server.lines("TERMINATE").size() == 2);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: a conversation open when the main window goes is ended with its terminate") {
    Scratch s;
    StandIn server("AUTOCAD.DDE", s.dir + "acad.log", "close");  // closes the editor as it answers
    REQUIRE(server.started());
    gui::App app;
    app.setText("(princ)");
    app.command(CMD_LSP_ACADLOAD);
    CHECK_FALSE(app.alive());
    server.wait("TERMINATE");
    Settle();
    CHECK(server.lines("INITIATE ").size() == 1);
    CHECK(server.lines("EXECUTE ").empty());
    CHECK(server.lines("TERMINATE").size() == 1);
    CHECK(app.close());  // takes the quit message
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DDE: a window busy for seconds costs F4 one short wait, and its late answer is ended") {
    Scratch s;
    StandIn busy("AUTOCAD.DDE", s.dir + "busy.log", "busy=4000");
    StandIn server("AUTOCAD.R19.DDE", s.dir + "acad.log");
    REQUIRE(busy.started());
    REQUIRE(server.started());
    gui::App app;
    app.setText("(princ)");
    const DWORD start = GetTickCount();
    SendMessageA(app.main(), WM_COMMAND, CMD_LSP_ACADLOAD, 0);
    const DWORD took = GetTickCount() - start;
    MESSAGE("F4 beside a window busy for 4 s: " << took << " ms");
    CHECK(took < 3000);
    server.wait("TERMINATE");
    CHECK(server.lines("EXECUTE ").size() == 1);
    // Awake again, the busy server answers the initiate it was given: that
    // conversation is ended at once, without an execute.
    busy.wait("TERMINATE");
    Settle();
    CHECK(busy.lines("EXECUTE ").empty());
    CHECK(busy.lines("TERMINATE").size() == 1);
    CHECK_DIALOGS_ANSWERED();
}
