// The main window, the command spine and the settings file, through the real
// window and its commands.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/colours_win.h"
#include "core/shell_win.h"
#include "ui/statusbar_win.h"
#include "textops/lineops_win.h"
#include "app/mainwindow_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "ui/font_win.h"

namespace {

using gui::SetClipboard;
std::string Hex08(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(c));
    return buf;
}

std::string MenuText(HWND main, unsigned id) {
    char buf[128] = {};
    GetMenuStringA(GetMenu(main), id, buf, sizeof buf, MF_BYCOMMAND);
    return buf;
}

UINT MenuState(HMENU menu, unsigned id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

void InitPopup(HWND main, int position) {
    HMENU popup = GetSubMenu(GetMenu(main), position);
    SendMessageA(main, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
}

}  // namespace

TEST_CASE("a first start without settings file writes the four sections at exit, in order") {
    {
        gui::App app;
        REQUIRE(app.alive());
        CHECK(app.caption() == "Tessel :  NAMENLOS");
        CHECK(tessel::colours::Background() == GetSysColor(COLOR_WINDOW));
        CHECK(tessel::colours::Text() == GetSysColor(COLOR_WINDOWTEXT));
        CHECK(std::string(tessel::font::Record().lfFaceName) == "Fixedsys");
        CHECK(tessel::font::Record().lfHeight == -17);
        CHECK(SendMessageA(app.edit(), EM_GETLIMITTEXT, 0, 0) == 30000);
        CHECK(GetDlgCtrlID(app.edit()) == 1);
        CHECK(GetDlgCtrlID(tessel::shell::IniCombo()) == 2);
        CHECK(app.close());
    }
    const std::string expected =
        "[LOGFONT]\r\nLGF01=-17\r\nLGF02=0\r\nLGF03=0\r\nLGF04=0\r\nLGF05=400\r\nLGF06=0\r\nLGF07=0\r\n"
        "LGF08=0\r\nLGF09=0\r\nLGF10=1\r\nLGF11=2\r\nLGF12=1\r\nLGF13=49\r\nLGF14=Fixedsys\r\n"
        "[EDITCOLORS]\r\nBCOL=" + Hex08(GetSysColor(COLOR_WINDOW)) + "\r\nFCOL=" +
        Hex08(GetSysColor(COLOR_WINDOWTEXT)) + "\r\n"
        "[WINPOSITION]\r\nTOPMOST=1\r\n"
        "[INITFILES]\r\nFILE0=\r\nFILE1=\r\nFILE2=\r\nFILE3=\r\n";
    std::string ini = gui::ReadFile(gui::IniPath());
    // The platform may put blank lines between sections; compare without them.
    std::string compact = ini;
    for (size_t at; (at = compact.find("\r\n\r\n")) != std::string::npos;) compact.erase(at, 2);
    CHECK(compact == expected);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("colours are read from the settings file and written back unchanged") {
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("EDITCOLORS", "BCOL", "0x00FF8040");
    gui::SetIniValue("EDITCOLORS", "FCOL", "00123456");
    {
        gui::App app("", true);
        CHECK(tessel::colours::Background() == 0x00FF8040);
        CHECK(tessel::colours::Text() == 0x00123456);
        // The edit control paints with the brush of the background colour.
        HDC dc = GetDC(app.edit());
        LRESULT brush = SendMessageA(app.main(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(app.edit()));
        LOGBRUSH lb{};
        GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
        CHECK(lb.lbColor == 0x00FF8040);
        CHECK(GetTextColor(dc) == 0x00123456);
        ReleaseDC(app.edit(), dc);
        CHECK(app.close());
    }
    CHECK(gui::IniValue("EDITCOLORS", "BCOL") == "0x00FF8040");
    CHECK(gui::IniValue("EDITCOLORS", "FCOL") == "0x00123456");

    SUBCASE("garbage and equal colours fall back to the system colours") {
        for (const char* bad : {"00 FF", "zz", ""}) {
            gui::RemoveFile(gui::IniPath());
            gui::SetIniValue("EDITCOLORS", "BCOL", bad);
            gui::SetIniValue("EDITCOLORS", "FCOL", "0");
            gui::App app("", true);
            CAPTURE(bad);
            CHECK(tessel::colours::Background() == GetSysColor(COLOR_WINDOW));
            CHECK(tessel::colours::Text() == GetSysColor(COLOR_WINDOWTEXT));
        }
    }
    SUBCASE("a 40-character colour text is read from its first 12 characters") {
        gui::RemoveFile(gui::IniPath());
        gui::SetIniValue("EDITCOLORS", "BCOL", "0x1234567890123456789012345678901234567890");
        gui::App app("", true);
        CHECK(tessel::colours::Background() == 0x34567890);  // "0x1234567890", kept to 32 bits
        CHECK(tessel::colours::Text() == 0);
    }
    SUBCASE("standard colours restore the system colours") {
        gui::App app("", true);
        app.command(CMD_STDCOLORS);
        CHECK(tessel::colours::Background() == GetSysColor(COLOR_WINDOW));
        CHECK(tessel::colours::Text() == GetSysColor(COLOR_WINDOWTEXT));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("TOPMOST -1 starts on top with the system-menu item checked; toggling off writes 1") {
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("WINPOSITION", "TOPMOST", "-1");
    {
        gui::App app("", true);
        CHECK(tessel::mainwindow::TopmostState() == -1);
        CHECK((GetWindowLongA(app.main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        HMENU sys = GetSystemMenu(app.main(), FALSE);
        CHECK((MenuState(sys, SYSCMD_TOPMOST) & MF_CHECKED) != 0);
        char text[64] = {};
        GetMenuStringA(sys, SYSCMD_TOPMOST, text, sizeof text, MF_BYCOMMAND);
        CHECK(std::string(text) == "Immer im Vordergrund");

        SendMessageA(app.main(), WM_SYSCOMMAND, SYSCMD_TOPMOST, 0);
        CHECK(tessel::mainwindow::TopmostState() == 1);
        CHECK((MenuState(sys, SYSCMD_TOPMOST) & MF_CHECKED) == 0);
        CHECK((GetWindowLongA(app.main(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
        CHECK(app.close());
    }
    CHECK(gui::IniValue("WINPOSITION", "TOPMOST") == "1");

    SUBCASE("any other value leaves the normal order") {
        gui::SetIniValue("WINPOSITION", "TOPMOST", "7");
        gui::App app("", true);
        CHECK(tessel::mainwindow::TopmostState() == 1);
        CHECK((GetWindowLongA(app.main(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
        SendMessageA(app.main(), WM_SYSCOMMAND, SYSCMD_TOPMOST, 0);
        CHECK(tessel::mainwindow::TopmostState() == -1);
        CHECK(app.close());
        CHECK(gui::IniValue("WINPOSITION", "TOPMOST") == "-1");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("window size: save, load and reset") {
    gui::App app;
    MoveWindow(app.main(), 40, 30, 500, 400, TRUE);
    app.command(CMD_SIZESAVE);
    CHECK(gui::IniValue("WINDOWSIZE", "XPOS") == "0x0028");
    CHECK(gui::IniValue("WINDOWSIZE", "YPOS") == "0x001E");
    CHECK(gui::IniValue("WINDOWSIZE", "WIDTH") == "0x01F4");
    CHECK(gui::IniValue("WINDOWSIZE", "HEIGHT") == "0x0190");

    MoveWindow(app.main(), 100, 120, 600, 450, TRUE);
    app.command(CMD_SIZELOAD);
    RECT r;
    GetWindowRect(app.main(), &r);
    CHECK(r.left == 40);
    CHECK(r.top == 30);
    CHECK(r.right - r.left == 500);
    CHECK(r.bottom - r.top == 400);

    app.command(CMD_SIZERESET);
    for (const char* key : {"XPOS", "YPOS", "WIDTH", "HEIGHT"}) CHECK(gui::IniValue("WINDOWSIZE", key) == "0x80000000");
    app.command(CMD_SIZELOAD);
    GetWindowRect(app.main(), &r);
    CHECK(r.left == 40);  // left where it was

    SUBCASE("a negative position is written with eight digits") {
        MoveWindow(app.main(), -8, 10, 500, 400, TRUE);
        app.command(CMD_SIZESAVE);
        CHECK(gui::IniValue("WINDOWSIZE", "XPOS") == "0xFFFFFFF8");
    }
    SUBCASE("a position far off every screen is brought back") {
        gui::SetIniValue("WINDOWSIZE", "XPOS", "0x7FFF0000");
        gui::SetIniValue("WINDOWSIZE", "YPOS", "-900000");
        gui::SetIniValue("WINDOWSIZE", "WIDTH", "garbage");
        app.command(CMD_SIZELOAD);
        GetWindowRect(app.main(), &r);
        CHECK(r.left < GetSystemMetrics(SM_CXVIRTUALSCREEN));
        CHECK(r.top >= GetSystemMetrics(SM_YVIRTUALSCREEN));
        CHECK(r.right > r.left);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the layout puts the edit control under the toolbar strip and the combobox beside it") {
    gui::App app;
    MoveWindow(app.main(), 0, 0, 800, 600, TRUE);
    RECT client;
    GetClientRect(app.main(), &client);
    RECT e;
    GetWindowRect(app.edit(), &e);
    MapWindowPoints(nullptr, app.main(), reinterpret_cast<POINT*>(&e), 2);
    CHECK(e.left == 0);
    CHECK(e.top == 39);
    CHECK(e.right - e.left == client.right);
    CHECK(e.bottom - e.top == client.bottom - 64);
    RECT c;
    GetWindowRect(tessel::shell::IniCombo(), &c);
    MapWindowPoints(nullptr, app.main(), reinterpret_cast<POINT*>(&c), 2);
    CHECK(c.left == 312);
    CHECK(c.top == 8);
    CHECK(c.right - c.left == std::min<int>(300, client.right - 318));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("command line: a missing file is reported and leaves an untitled document") {
    gui::ExpectMessage("Warnung", "Befehlszeilenargument ungültig", MB_ICONERROR);
    gui::App app("Z:\\no\\such\\file.txt");
    CHECK(app.caption() == "Tessel :  NAMENLOS");
    CHECK(app.text().empty());
    CHECK_DIALOGS_ANSWERED();

    SUBCASE("a line longer than any path is refused the same way") {
        gui::ExpectMessage("Warnung", "Befehlszeilenargument ungültig", MB_ICONERROR);
        gui::App longer(std::string(3000, 'x'));
        CHECK(longer.caption() == "Tessel :  NAMENLOS");
        CHECK_DIALOGS_ANSWERED();
    }
}

TEST_CASE("status line: empty document and the caret at the end of a second line") {
    gui::App app;
    app.command(CMD_STATUS);
    CHECK(std::string(tessel::statusbar::Text()) == "Zeile : 1 - Spalte : 1               0 Byte");
    app.setText("abcde\r\nxyz");
    app.select(10, 10);
    app.command(CMD_STATUS);
    CHECK(std::string(tessel::statusbar::Text()) == "Zeile : 2 - Spalte : 4               10 Byte");
    // Keys in the edit control refresh it before the control moves the caret.
    app.select(0, 0);
    SendMessageA(app.edit(), WM_KEYDOWN, VK_SHIFT, 0);
    CHECK(std::string(tessel::statusbar::Text()) == "Zeile : 1 - Spalte : 1               10 Byte");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("edit commands: undo, cut, copy, paste, clear, select all, date and time") {
    gui::App app;
    app.setText("Hallo Welt");
    app.command(CMD_SELECTALL);
    CHECK(app.selection() == std::make_pair(0, 10));
    app.select(0, 5);
    app.command(CMD_CUT);
    CHECK(app.text() == " Welt");
    app.select(5, 5);
    app.command(CMD_PASTE);
    CHECK(app.text() == " WeltHallo");
    app.select(0, 1);
    app.command(CMD_CLEAR);
    CHECK(app.text() == "WeltHallo");
    app.command(CMD_UNDO);
    CHECK(app.text() == " WeltHallo");
    app.select(1, 5);
    app.command(CMD_COPY);
    app.select(0, 0);
    app.command(CMD_PASTE);
    CHECK(app.text() == "Welt WeltHallo");

    SUBCASE("F5 inserts hh:mm:ss  dd-mm-yyyy at the caret, through the accelerator table") {
        app.setText("");
        MSG msg{app.edit(), WM_KEYDOWN, VK_F5, 0, 0, {}};
        tessel::mainwindow::ProcessMessage(msg);
        gui::Pump();
        std::string t = app.text();
        REQUIRE(t.size() == 20);
        int h, mi, s, d, mo, y;
        CHECK(std::sscanf(t.c_str(), "%2d:%2d:%2d  %2d-%2d-%4d", &h, &mi, &s, &d, &mo, &y) == 6);
        CHECK(t[2] == ':');
        CHECK(t[5] == ':');
        CHECK(t.substr(8, 2) == "  ");
        CHECK(t[12] == '-');
        CHECK(t[15] == '-');
        SYSTEMTIME now;
        GetLocalTime(&now);
        CHECK(y == now.wYear);
        CHECK(tessel::document::Modified());
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("menu greying: empty selection, clipboard, and the check of the drop mode") {
    gui::App app;
    app.setText("abc");
    app.select(1, 1);
    SetClipboard(nullptr);
    InitPopup(app.main(), 1);
    HMENU edit = GetSubMenu(GetMenu(app.main()), 1);
    CHECK((MenuState(edit, CMD_CUT) & MF_GRAYED) != 0);
    CHECK((MenuState(edit, CMD_COPY) & MF_GRAYED) != 0);
    CHECK((MenuState(edit, CMD_CLEAR) & MF_GRAYED) != 0);
    CHECK((MenuState(edit, CMD_PASTE) & MF_GRAYED) != 0);
    CHECK((MenuState(edit, CMD_UNDO) & MF_GRAYED) != 0);

    SetClipboard("x");
    app.select(0, 2);
    InitPopup(app.main(), 1);
    CHECK((MenuState(edit, CMD_CUT) & MF_GRAYED) == 0);
    CHECK((MenuState(edit, CMD_COPY) & MF_GRAYED) == 0);
    CHECK((MenuState(edit, CMD_CLEAR) & MF_GRAYED) == 0);
    CHECK((MenuState(edit, CMD_PASTE) & MF_GRAYED) == 0);

    InitPopup(app.main(), 4);
    HMENU format = GetSubMenu(GetMenu(app.main()), 4);
    CHECK((MenuState(format, CMD_DROPAPPEND) & MF_CHECKED) != 0);
    CHECK((MenuState(format, CMD_DROPOPEN) & MF_CHECKED) == 0);
    InitPopup(app.main(), 3);
    HMENU change = GetSubMenu(GetMenu(app.main()), 3);
    CHECK((MenuState(change, CMD_FIND) & MF_GRAYED) == 0);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("menu texts arrive in code page 1252") {
    gui::App app;
    CHECK(MenuText(app.main(), CMD_OPEN) == "\xD6&ffnen...\tStrg+O");
    CHECK(MenuText(app.main(), CMD_MERGE) == "&Zusammenf\xFChren\tF9");
    CHECK(MenuText(app.main(), CMD_CASE) == "&Gro\xDF-/Kleinschreibung...");
    CHECK(MenuText(app.main(), CMD_EXIT) == "&Beenden\tAlt+F4, F10");
    char popup[32] = {};
    GetMenuStringA(GetMenu(app.main()), 3, popup, sizeof popup, MF_BYPOSITION);
    CHECK(std::string(popup) == "&\xC4ndern");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the edit control's full message sets the capacity flag") {
    gui::App app;
    gui::ExpectMessage("Tessel", "Kapazitätsgrenzen erreicht.", MB_ICONERROR);
    app.type(std::string(30001, 'a'));
    CHECK(tessel::lineops::CapacityReached());
    CHECK(app.text().size() == 30000);
    tessel::lineops::ClearCapacity();
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("exit asks about changes; Cancel keeps the window, No closes it") {
    gui::App app;
    app.type("neu");
    gui::ExpectMessage("Tessel", "NAMENLOS \nwurde geändert.\n\nMöchten Sie die Änderungen speichern ?",
                       MB_ICONWARNING, IDCANCEL);
    app.command(CMD_EXIT);
    CHECK(app.alive());
    gui::ExpectMessage("Tessel", "NAMENLOS \nwurde geändert.\n\nMöchten Sie die Änderungen speichern ?",
                       MB_ICONWARNING, IDNO);
    app.command(CMD_EXIT);
    CHECK_FALSE(app.alive());
    CHECK_DIALOGS_ANSWERED();

    SUBCASE("an empty modified document closes without a prompt") {
        gui::App other;
        other.type("x");
        other.setText("");
        tessel::document::SetModified(true);
        CHECK(other.close());
        CHECK_DIALOGS_ANSWERED();
    }
}

TEST_CASE("the font keys are cut to 16 bits, to the low byte and to 31 characters") {
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("LOGFONT", "LGF01", "70000");
    gui::SetIniValue("LOGFONT", "LGF06", "257");
    gui::SetIniValue("LOGFONT", "LGF05", "garbage");
    gui::SetIniValue("LOGFONT", "LGF14", "Courier New Courier New Courier New Cour");
    {
        gui::App app("", true);
        const LOGFONTA& f = tessel::font::Record();
        CHECK(f.lfHeight == 4464);
        CHECK(f.lfItalic == 1);
        CHECK(f.lfWeight == 0);
        CHECK(std::string(f.lfFaceName) == std::string("Courier New Courier New Courier New Cour").substr(0, 31));
        CHECK(app.close());
    }
    CHECK(gui::IniValue("LOGFONT", "LGF01") == "4464");
    CHECK(gui::IniValue("LOGFONT", "LGF06") == "1");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("command line: a path with a blank opens with or without double quotes") {
    const std::string dir = gui::TempDir();
    const std::string path = dir + "my file.txt";
    gui::WriteFile(path, "Inhalt\r\n");
    for (const std::string& line : {"\"" + path + "\"", path}) {
        CAPTURE(line);
        gui::App app(line);
        CHECK(app.text() == "Inhalt\r\n");
        CHECK(app.caption() == "Tessel :  MY FILE.TXT");
        CHECK_FALSE(tessel::document::Modified());
    }
    gui::RemoveFile(path);
    RemoveDirectoryA(dir.c_str());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the program carries its icon, menu, accelerators and a three-part file version") {
    gui::App app;
    CHECK(LoadIconA(GetModuleHandleA(nullptr), "Tessel32") != nullptr);
    CHECK(GetClassLongPtrA(app.main(), GCLP_HICON) != 0);
    // The accelerators' every entry: test_session.cpp.
    CHECK(GetMenuItemCount(GetMenu(app.main())) == 8);

    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(module, &handle);
    REQUIRE(size > 0);
    std::string data(size, '\0');
    REQUIRE(GetFileVersionInfoA(module, 0, size, data.data()));
    char* value = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueA(data.data(), "\\StringFileInfo\\0C0704B0\\FileVersion",
                           reinterpret_cast<void**>(&value), &length));
    int a = -1, b = -1, c = -1;
    char rest = 0;
    CHECK(std::sscanf(value, "%d.%d.%d%c", &a, &b, &c, &rest) == 3);
    CHECK(a >= 0);
    CHECK_DIALOGS_ANSWERED();
}

namespace {

// Another process posts or sends WM_COMMAND `id` with `arg` to the main
// window (tests/support/post_command.cpp); the test's messages are pumped
// until it has ended, and once more for a posted message. Its exit status.
DWORD FromOtherProcess(HWND main, unsigned id, LPARAM arg, bool send) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string exe = module;
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "post_command.exe";
    char cmd[512];
    std::snprintf(cmd, sizeof cmd, "\"%s\" %u 0x%llx %s 0x%llx", exe.c_str(), id,
                  static_cast<unsigned long long>(arg), send ? "send" : "post",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(main)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 99;
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) gui::Pump();
    DWORD status = 98;
    GetExitCodeProcess(pi.hProcess, &status);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    gui::Pump();
    return status;
}

}  // namespace

TEST_CASE("commands 9, 17, 48 and 40013 from another program: a number in lParam is no path of ours") {
    gui::Scratch s;
    const std::string doc = s.file("doc.lsp", "(defun c:eins ())\r\n(defun c:zwei ())");
    // Addresses that hold a path and a function name in this very process:
    // taken as pointers they would open, merge or jump.
    const std::string other = s.file("fremd.txt", "FREMD");
    const std::string blocks = s.file("fremd.atx", std::string("\x1D\x00", 2) + "fremd" + std::string(19, '\0') +
                                                       "fremd");
    const std::string entry = "c:zwei";
    const std::string ini = gui::IniPath();
    gui::RemoveFile(ini.substr(0, ini.size() - 3) + "ATX");
    gui::App app;
    app.command(CMD_OPENPATH, gui::Arg(doc));
    app.select(2, 2);
    const std::string text = app.text(), caption = app.caption();
    for (const bool send : {false, true}) {
        for (const LPARAM arg : {gui::Arg(other), gui::Arg(blocks), reinterpret_cast<LPARAM>(entry.c_str()),
                                 static_cast<LPARAM>(1)}) {
            CAPTURE(send);
            CAPTURE(arg);
            for (const unsigned id : {CMD_OPENPATH, CMD_MERGEPATH, CMD_FINDDEFUN}) {
                CAPTURE(id);
                CHECK(FromOtherProcess(app.main(), id, arg, send) == 0);
                REQUIRE(app.alive());
                CHECK(app.text() == text);
                CHECK(app.caption() == caption);
                CHECK(app.selection() == std::make_pair(2, 2));
                CHECK_FALSE(tessel::document::Modified());
            }
            // Text blocks open as from the menu, on the file beside the
            // program, which does not exist here.
            gui::ExpectDialog("Textbaustein", [](HWND d) {
                CHECK(SendDlgItemMessageA(d, IDC_TB_NAME, CB_GETCOUNT, 0, 0) == 0);
                gui::Press(d, IDCANCEL);
            });
            CHECK(FromOtherProcess(app.main(), CMD_TEXTBLOCKS, arg, send) == 0);
            REQUIRE(app.alive());
            CHECK(gui::ReadFile(blocks).size() == 31);
        }
    }
    // The program's own commands still take their strings.
    app.command(CMD_FINDDEFUN, reinterpret_cast<LPARAM>(entry.c_str()));
    const int at = static_cast<int>(text.find("defun c:zwei"));
    CHECK(app.selection() == std::make_pair(at, at + 12));
    CHECK_DIALOGS_ANSWERED();
}
