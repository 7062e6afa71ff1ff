// The program starter for oversized files, files dropped on the main window,
// the Sysedit menu and the INI combobox, through the real window.
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/shell_win.h"
#include "app/mainwindow_win.h"
#include "document/drop_win.h"
#include "document/document_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

using gui::Arg;
using gui::Prompt;
using gui::Scratch;
using gui::Upper;


// record_args.exe from beside the test program, copied into a directory
// whose name holds a blank.
struct Recorder {
    std::string dir;
    std::string program;
    std::string log;
    explicit Recorder(const Scratch& s) {
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        std::string source = module;
        source = source.substr(0, source.find_last_of('\\') + 1) + "record_args.exe";
        dir = s.dir + "Prog Dir\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        program = dir + "record_args.exe";
        CopyFileA(source.c_str(), program.c_str(), FALSE);
        log = dir + "record_args.log";
    }
    // The log once it holds `lines` lines, or what it holds after a few seconds.
    std::string wait(std::size_t lines) const {
        std::string content;
        for (int i = 0; i < 200; ++i) {
            content = gui::ReadFile(log);
            if (static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) >= lines) break;
            Sleep(50);
        }
        return content;
    }
};

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Takes the WM_QUIT that a main window closed by the starter leaves behind.
void DrainQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) break;
}

// A real drop handle with ANSI names, as the shell hands it over.
void Drop(HWND main, const std::vector<std::string>& names) {
    std::size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) bytes += name.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* at = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    GlobalUnlock(block);
    SendMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    gui::Pump();
}

std::string Lines(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    return text;
}

std::string WindowsDir() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

}  // namespace

TEST_CASE("program starter: captions from the bindings, Shift+click binds a program, the command line is quoted") {
    Scratch s;
    Recorder rec(s);
    const std::string big = s.file("big file.txt", std::string(40000, 'b'));
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("PRGSTART", "EXE400", Upper(rec.program).c_str());
    gui::App app("", true);
    app.setText("vorher");

    HWND starter = nullptr;
    gui::ExpectDialog("Programmstarter", [&](HWND d) {
        starter = d;
        CHECK(gui::ItemText(d, IDC_STARTER_NOTE) == "Die ausgewählte Datei ist für den Tessel zu groß !");
        CHECK(gui::ItemText(d, IDC_STARTER_CLOSE) == "Tessel nach Programmstart schließen");
        CHECK(gui::ItemText(d, IDC_STARTER_FIRST) == "RECORD_ARGS.EXE");
        for (int id = 401; id <= 405; ++id) CHECK(gui::ItemText(d, id).empty());
        CHECK(IsDlgButtonChecked(d, IDC_STARTER_CLOSE) == BST_CHECKED);
        SetShift(true);
        gui::Press(d, IDC_STARTER_FIRST + 3);          // Shift+click: choose a program
    });
    gui::ExpectDialog("Programmdatei wählen", [&](HWND d) {
        SetShift(false);
        gui::ChooseFile(d, rec.program);
        gui::Press(starter, 102);   // Hilfe, once the choice is made
    });
    gui::ExpectDialog("Meldung", [&](HWND box) {
        CHECK(gui::ItemText(box, 0xFFFF) ==
              "Zum Belegen der Schaltflächen mit Alternativprogrammen, muß nur beim Klicken die "
              "Umschalttaste gehalten werden.\n\nMan kann dann eine andere Programmdatei aud dem "
              "Dateidialog wählen !");
        // The choice is stored and shown while the starter stays open.
        CHECK(gui::ItemText(starter, 403) == "RECORD_ARGS.EXE");
        CHECK(gui::IniValue("PRGSTART", "EXE403") == Upper(rec.program));
        gui::Press(box, IDOK);
        SetShift(false);
        CHECK(GetKeyState(VK_SHIFT) >= 0);
        gui::Press(starter, 404);    // unbound: nothing happens
        gui::Press(starter, 257);    // keep Tessel open
        gui::Press(starter, 403);
    });
    app.command(CMD_OPENPATH, Arg(big));
    if (!app.alive()) DrainQuit();
    REQUIRE(app.alive());
    CHECK(app.text() == "vorher");
    CHECK(app.caption() == "Tessel :  NAMENLOS");
    CHECK_FALSE(tessel::document::Modified());
    const std::string expected = "\"" + Upper(rec.program) + "\" \"" + big + "\"\r\n";
    CHECK(rec.wait(1) == expected);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("program starter: closing after the start, Cancel, unbound buttons and Enter") {
    Scratch s;
    Recorder rec(s);
    const std::string big = s.file("gross.txt", std::string(32500, 'g'));
    const std::string prev = s.file("prev.txt", "alt");
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("PRGSTART", "EXE400", Upper(rec.program).c_str());
    const std::string line = "\"" + Upper(rec.program) + "\" " + big + "\r\n";
    {
        gui::App app("", true);
        // Cancel, and an unbound button confirmed with Enter, start nothing.
        gui::ExpectDialog("Programmstarter", [](HWND d) { gui::Press(d, IDCANCEL); });
        app.command(CMD_OPENPATH, Arg(big));
        gui::ExpectDialog("Programmstarter", [](HWND d) {
            gui::Press(d, IDC_STARTER_FIRST + 1);
            gui::Press(d, IDOK);
        });
        app.command(CMD_OPENPATH, Arg(big));
        CHECK(app.alive());

        // A bound button with the box checked closes an unmodified Tessel.
        gui::ExpectDialog("Programmstarter", [](HWND d) { gui::Press(d, IDC_STARTER_FIRST); });
        app.command(CMD_OPENPATH, Arg(big));
        CHECK_FALSE(app.alive());
        DrainQuit();
        CHECK(rec.wait(1) == line);
    }
    {
        // Enter reuses the button chosen in an earlier opening.
        gui::App app("", true);
        gui::ExpectDialog("Programmstarter", [](HWND d) {
            gui::Press(d, IDC_STARTER_CLOSE);
            gui::Press(d, IDOK);
        });
        app.command(CMD_OPENPATH, Arg(big));
        CHECK(app.alive());
        CHECK(rec.wait(2) == line + line);
    }
    {
        // The closing asks about the previous text under its own name; Yes
        // saves it where it came from, never over the oversized file.
        gui::App app("", true);
        app.command(CMD_OPENPATH, Arg(prev));
        app.type("neu ");
        gui::ExpectMessage("Tessel", Prompt("PREV.TXT"), MB_ICONWARNING, IDNO);
        gui::ExpectDialog("Programmstarter", [](HWND d) { gui::Press(d, IDC_STARTER_FIRST); });
        gui::ExpectMessage("Tessel", Prompt("PREV.TXT"), MB_ICONWARNING, IDCANCEL);
        app.command(CMD_OPENPATH, Arg(big));
        CHECK(app.alive());   // Cancel keeps the window, the program starts all the same
        CHECK(rec.wait(3) == line + line + line);
        CHECK(app.caption() == "Tessel :  NAMENLOS");
        CHECK(app.text() == "neu alt");

        app.command(CMD_OPENPATH, Arg(prev));
        app.type("neu ");
        gui::ExpectMessage("Tessel", Prompt("PREV.TXT"), MB_ICONWARNING, IDNO);
        gui::ExpectDialog("Programmstarter", [](HWND d) { gui::Press(d, IDC_STARTER_FIRST); });
        gui::ExpectMessage("Tessel", Prompt("PREV.TXT"), MB_ICONWARNING, IDYES);
        app.command(CMD_OPENPATH, Arg(big));
        CHECK_FALSE(app.alive());
        DrainQuit();
        CHECK(gui::ReadFile(prev) == "neu alt");
        CHECK(gui::ReadFile(big) == std::string(32500, 'g'));
        CHECK(rec.wait(4).size() == 4 * line.size());
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("drop modes: names at the caret, names as new text, open the first, merge the first") {
    Scratch s;
    const std::string a = s.file("a.txt", "AAA");
    const std::string b = s.file("b.txt", "BBB");
    const std::string c = s.file("c.txt", "CCC");
    const std::vector<std::string> names = {a, b, c};
    gui::App app;
    CHECK(tessel::drop::DropMode() == 2);
    app.setText("[]");
    app.select(1, 1);
    Drop(app.main(), names);
    CHECK(app.text() == "[" + Lines(names) + "]");
    CHECK(tessel::document::Modified());

    // Names as new text asks first; Cancel leaves everything as it was.
    app.command(CMD_DROPTEXT);
    CHECK(tessel::drop::DropMode() == 1);
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDCANCEL);
    Drop(app.main(), names);
    CHECK(app.text() == "[" + Lines(names) + "]");
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDNO);
    Drop(app.main(), names);
    CHECK(app.text() == Lines(names));
    CHECK(app.caption() == "Tessel :  NAMENLOS");
    CHECK(tessel::document::Modified());

    app.command(CMD_DROPOPEN);
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDNO);
    Drop(app.main(), names);
    CHECK(app.text() == "AAA");
    CHECK(app.caption() == "Tessel :  A.TXT");
    CHECK(tessel::recent::SlotPath(0) == Upper(a));

    app.command(CMD_DROPMERGE);
    app.select(3, 3);
    Drop(app.main(), {c, b});
    CHECK(app.text() == "AAACCC");
    CHECK(app.caption() == "Tessel :  A.TXT");

    // The menu shows the mode.
    HMENU format = GetSubMenu(GetMenu(app.main()), 4);
    SendMessageA(app.main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(format), 4);
    CHECK((GetMenuState(format, CMD_DROPMERGE, MF_BYCOMMAND) & MF_CHECKED) != 0);
    CHECK((GetMenuState(format, CMD_DROPAPPEND, MF_BYCOMMAND) & MF_CHECKED) == 0);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("drop limits: the 24500-character cut and its index, 2049 files, a directory") {
    Scratch s;
    gui::App app;
    std::vector<std::string> names;
    for (int i = 0; i < 130; ++i) {
        std::string name = "C:\\" + std::string(192, 'n') + std::to_string(1000 + i) + ".txt";
        REQUIRE(name.size() == 203);   // 205 characters a line with CR LF
        names.push_back(name);
    }
    // 119 lines make 24395 characters, the 120th crosses 24500: index 119.
    gui::ExpectMessage("Warnung",
                       "Die maximale Anzahl Dateien bzw. Größe der Textdatei wurde überschritten - Die Bearbeitung "
                       "wird nach Datei Nummer 119 abgebrochen !",
                       MB_ICONERROR);
    Drop(app.main(), names);
    CHECK(app.text() == Lines(std::vector<std::string>(names.begin(), names.begin() + 120)));

    // Short names, so that 2048 of them stay below the character limit.
    std::vector<std::string> many;
    for (int i = 0; i < 2049; ++i) many.push_back("C:\\" + std::to_string(1000 + i) + ".t");
    app.setText("bleibt");
    Drop(app.main(), many);   // more than 2048: nothing, and no message
    CHECK(app.text() == "bleibt");
    many.pop_back();
    app.setText("");
    Drop(app.main(), many);   // 2048 are taken
    CHECK(app.text() == Lines(many));
    app.command(CMD_DROPTEXT);
    app.setText("weg");
    tessel::document::SetModified(false);
    Drop(app.main(), std::vector<std::string>(2049, "C:\\x.txt"));
    CHECK(app.text().empty());   // emptied first, as the mode says

    // A directory dropped instead of a file.
    std::string dir = s.dir;
    dir.pop_back();
    app.setText("bleibt");
    app.command(CMD_DROPOPEN);
    gui::ExpectMessage("Tessel", "Die gewählte Datei " + dir.substr(dir.find_last_of('\\') + 1) + " existiert nicht !",
                       MB_ICONWARNING);
    Drop(app.main(), {dir});
    CHECK(app.text() == "bleibt");
    app.command(CMD_DROPMERGE);
    gui::ExpectMessage("Tessel", "Dateien können nicht zusammengeführt werden !", MB_ICONWARNING);
    Drop(app.main(), {dir});
    CHECK(app.text() == "bleibt");
    app.command(CMD_DROPAPPEND);
    app.select(0, 0);
    Drop(app.main(), {dir});
    CHECK(app.text() == dir + "\r\nbleibt");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("Sysedit opens the system files from their fixed places and keeps them out of the recent list") {
    const std::string autoexec = "C:\\AUTOEXEC.BAT";
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string oeminfo = std::string(system) + "\\OEMINFO.INI";
    REQUIRE(GetFileAttributesA(autoexec.c_str()) == INVALID_FILE_ATTRIBUTES);
    REQUIRE(GetFileAttributesA(oeminfo.c_str()) == INVALID_FILE_ATTRIBUTES);
    gui::WriteFile(autoexec, "@ECHO OFF\r\n");
    gui::WriteFile(oeminfo, "[General]\r\n");
    {
        gui::App app;
        app.command(70);
        CHECK(app.text() == "@ECHO OFF\r\n");
        CHECK(app.caption() == "Tessel :  AUTOEXEC.BAT");
        CHECK(tessel::document::IsSystemFile());
        app.type("REM ");
        CHECK(app.command(CMD_SAVE) == 1);
        CHECK(gui::ReadFile(autoexec) == "REM @ECHO OFF\r\n");
        CHECK(tessel::recent::SlotPath(0) == std::string());

        app.command(81);
        CHECK(app.text() == "[General]\r\n");
        CHECK(app.caption() == "Tessel :  OEMINFO.INI");

        app.command(72);
        CHECK(app.caption() == "Tessel :  WIN.INI");

        app.setText("bleibt");
        gui::ExpectMessage("Warnung", "Die Datei 'CONFIG.SYS' existiert nicht !", MB_ICONERROR);
        app.command(71);
        gui::ExpectMessage("Warnung", "Die Datei 'WININIT.BAK' existiert nicht !", MB_ICONERROR);
        app.command(86);
        CHECK(app.text() == "bleibt");
        CHECK(tessel::recent::SlotPath(0) == std::string());
    }
    gui::RemoveFile(autoexec);
    gui::RemoveFile(oeminfo);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the INI combobox lists the INI files of the Windows directory and opens one with an upper-case caption") {
    const std::string windows = WindowsDir();
    std::vector<std::string> expected;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((windows + "\\*.ini").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) expected.push_back(Upper(found.cFileName));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    REQUIRE_FALSE(expected.empty());
    std::sort(expected.begin(), expected.end());

    gui::App app;
    HWND combo = tessel::shell::IniCombo();
    std::vector<std::string> listed;
    for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
        char item[MAX_PATH] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        listed.push_back(Upper(item));
    }
    std::sort(listed.begin(), listed.end());
    CHECK(listed == expected);

    // Created after start-up: not listed.
    const std::string later = windows + "\\tesselneu.ini";
    gui::WriteFile(later, "[x]\r\n");
    CHECK(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>("tesselneu.ini")) == CB_ERR);
    gui::RemoveFile(later);

    const LRESULT index =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("win.ini"));
    REQUIRE(index != CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(app.main(), WM_COMMAND, MAKEWPARAM(IDC_INICOMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    gui::Pump();
    CHECK(app.caption() == "Tessel :  WIN.INI");
    CHECK(app.text() == gui::ReadFile(windows + "\\win.ini"));
    CHECK(tessel::document::IsSystemFile());
    CHECK(SendMessageA(combo, CB_GETCURSEL, 0, 0) == CB_ERR);
    CHECK(GetFocus() == app.edit());
    CHECK(tessel::recent::SlotPath(0) == std::string());
    CHECK_DIALOGS_ANSWERED();
}
