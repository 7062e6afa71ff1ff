// Documents through the real commands and dialogs: loading with its limit,
// the caption, the change prompt, saving byte for byte and safely, merging,
// NUL bytes, bad files, the recent-files list, long paths and the small
// dialog utilities.
#include <cstring>
#include <string>
#include <vector>

#include "textops/lineops_win.h"
#include "app/mainwindow_win.h"
#include "document/document_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "core/centring.h"
#include "core/dialogutil_win.h"
#include "ui/helplines.h"
#include "ui/quickhelp_win.h"

namespace {

using gui::Arg;
using gui::Prompt;
using gui::Scratch;
using gui::SetClipboard;
using gui::Upper;

std::string MenuText(HWND main, unsigned id) {
    char buf[128] = {};
    if (!GetMenuStringA(GetMenu(main), id, buf, sizeof buf, MF_BYCOMMAND)) return "<none>";
    return buf;
}

bool HasMenuItem(HWND main, unsigned id) {
    return GetMenuState(GetMenu(main), id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// Printable and high bytes in lines of 98 characters and CR LF.
std::string TextOf(std::size_t length) {
    std::string text;
    for (std::size_t line = 0; text.size() < length; ++line) {
        for (int j = 0; j < 98 && text.size() < length; ++j)
            text += static_cast<char>(0x20 + (line * 7 + j) % 224);
        if (text.size() < length) text += '\r';
        if (text.size() < length) text += '\n';
    }
    return text;
}

std::vector<std::string> Slots() {
    return {tessel::recent::SlotPath(0), tessel::recent::SlotPath(1), tessel::recent::SlotPath(2),
            tessel::recent::SlotPath(3)};
}

}  // namespace

TEST_CASE("loading: 32499 bytes load, 32500 open the starter and keep the text untitled; short titles in upper case") {
    Scratch s;
    const std::string small = s.file("klein.txt", std::string(32497, 'k') + "\r\n");
    const std::string big = s.file("gross.txt", std::string(32500, 'g'));
    const std::string readme = s.file("readme.txt", "Lies mich\r\n");
    const std::string longName = s.file("Langer Name.txt", "lang");
    gui::App app;

    app.command(CMD_OPENPATH, Arg(small));
    CHECK(app.text().size() == 32499);
    CHECK(app.caption() == "Tessel :  KLEIN.TXT");
    CHECK_FALSE(tessel::document::Modified());

    gui::ExpectDialog("Programmstarter", [](HWND d) { gui::Press(d, IDCANCEL); });
    app.command(CMD_OPENPATH, Arg(big));
    CHECK(app.text().size() == 32499);
    CHECK(app.caption() == "Tessel :  NAMENLOS");
    CHECK(std::string(tessel::document::Path()).empty());
    CHECK_FALSE(tessel::document::Modified());

    app.command(CMD_OPENPATH, Arg(readme));
    CHECK(app.caption() == "Tessel :  README.TXT");
    CHECK(app.text() == "Lies mich\r\n");
    app.command(CMD_OPENPATH, Arg(longName));
    CHECK(app.caption() == "Tessel :  Langer Name.txt");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the change prompt: Cancel keeps, No discards, Yes saves; Yes on an untitled text asks for a name") {
    Scratch s;
    const std::string a = s.file("a.txt", "alt");
    gui::App app;
    app.command(CMD_OPENPATH, Arg(a));
    app.type("neu ");
    REQUIRE(tessel::document::Modified());

    gui::ExpectMessage("Tessel", Prompt("A.TXT"), MB_ICONWARNING, IDCANCEL);
    app.command(CMD_NEW);
    CHECK(app.text() == "neu alt");
    CHECK(app.caption() == "Tessel :  A.TXT");
    CHECK(tessel::document::Modified());

    gui::ExpectMessage("Tessel", Prompt("A.TXT"), MB_ICONWARNING, IDYES);
    app.command(CMD_NEW);
    CHECK(gui::ReadFile(a) == "neu alt");
    CHECK(app.text().empty());
    CHECK(app.caption() == "Tessel :  NAMENLOS");
    CHECK_FALSE(tessel::document::Modified());

    // Yes on an untitled text opens Save As; cancelling it cancels New.
    app.type("namenlos");
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDYES);
    gui::ExpectDialog("Save As", [](HWND d) { gui::Press(d, IDCANCEL); });
    app.command(CMD_NEW);
    CHECK(app.text() == "namenlos");
    CHECK(tessel::document::Modified());

    // ... and it keeps the window open on exit.
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDYES);
    gui::ExpectDialog("Save As", [](HWND d) { gui::Press(d, IDCANCEL); });
    CHECK_FALSE(app.close());

    // No, then a cancelled Open dialog: the text stays and counts as unmodified.
    gui::ExpectMessage("Tessel", Prompt("NAMENLOS"), MB_ICONWARNING, IDNO);
    gui::ExpectDialog("Open", [](HWND d) { gui::Press(d, IDCANCEL); });
    app.command(CMD_OPEN);
    CHECK(app.text() == "namenlos");
    CHECK_FALSE(tessel::document::Modified());

    // A save that fails answers the prompt with Cancel as well.
    app.command(CMD_OPENPATH, Arg(a));
    app.type("x");
    HANDLE lock = CreateFileA(a.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    gui::ExpectMessage("Tessel", Prompt("A.TXT"), MB_ICONWARNING, IDYES);
    gui::ExpectMessage("Tessel", "Fehler beim Schreiben von A.TXT!", MB_ICONWARNING);
    app.command(CMD_NEW);
    CloseHandle(lock);
    CHECK(app.text() == "xneu alt");
    CHECK(gui::ReadFile(a) == "neu alt");
    CHECK(tessel::document::Modified());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the Open and Save As dialogs: a 30000-character text is saved byte for byte under the typed name") {
    Scratch s;
    const std::string readme = s.file("readme.txt", "Inhalt\r\n");
    gui::App app;

    gui::ExpectDialog("Open", [&](HWND d) { gui::ChooseFile(d, readme); });
    app.command(CMD_OPEN);
    CHECK(app.text() == "Inhalt\r\n");
    CHECK(app.caption() == "Tessel :  README.TXT");
    CHECK(gui::IniValue("PATHS", "Open") == Upper(s.dir));   // from the path as the recent list upper-cased it
    CHECK(tessel::recent::SlotPath(0) == Upper(readme));

    const std::string text = TextOf(30000);
    app.setText("");
    app.type(text);
    REQUIRE(app.text() == text);
    const std::string target = s.dir + "Ausgabe.txt";
    gui::ExpectDialog("Save As", [&](HWND d) { gui::ChooseFile(d, target); });
    CHECK(app.command(CMD_SAVEAS) == 1);
    const std::string saved = gui::ReadFile(target);
    CHECK(saved.size() == 30000);
    CHECK(saved == text);
    CHECK(app.caption() == "Tessel :  Ausgabe.txt");   // the name as typed, not upper-cased
    CHECK(gui::IniValue("PATHS", "Save") == s.dir);
    CHECK(std::string(tessel::document::Path()) == Upper(target));
    CHECK_FALSE(tessel::document::Modified());

    // Save writes in place, without a dialog, and reports it.
    app.select(0, 1);
    app.type("*");
    CHECK(app.command(CMD_SAVE) == 1);
    CHECK(gui::ReadFile(target) == "*" + text.substr(1));

    SUBCASE("a new name typed into the Open dialog is offered for creation, then reported missing") {
        gui::ExpectDialog("Open", [&](HWND d) { gui::ChooseFile(d, s.dir + "neu.txt"); });
        gui::ExpectMessage("Error", "File does not exist.\nDo you want to create file?", 0, IDYES);
        gui::ExpectMessage("Tessel", "Die gewählte Datei NEU.TXT existiert nicht !", MB_ICONWARNING);
        app.command(CMD_OPEN);
        CHECK(app.caption() == "Tessel :  NAMENLOS");
        CHECK(app.text().substr(0, 1) == "*");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("read-only files: Yes overwrites and keeps the attribute, No writes nothing and says nothing") {
    Scratch s;
    const std::string path = s.file("schutz.txt", "alt");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    gui::App app;
    app.command(CMD_OPENPATH, Arg(path));
    app.type("neu ");
    const char* question = "Wollen Sie die schreibgeschützte Datei wirklich überschreiben ?";

    gui::ExpectMessage("Datei ist schreibgeschützt", question, MB_ICONQUESTION, IDNO);
    CHECK(app.command(CMD_SAVE) == 0);
    CHECK(gui::ReadFile(path) == "alt");
    CHECK(tessel::document::Modified());

    gui::ExpectMessage("Datei ist schreibgeschützt", question, MB_ICONQUESTION, IDYES);
    CHECK(app.command(CMD_SAVE) == 1);
    CHECK(gui::ReadFile(path) == "neu alt");
    CHECK((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    CHECK_FALSE(tessel::document::Modified());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a write that fails leaves the file on disk as it was and the document modified") {
    Scratch s;
    const std::string original(8000, 'o');
    const std::string path = s.file("sperre.txt", original);
    gui::App app;
    app.command(CMD_OPENPATH, Arg(path));
    app.type("x");

    // Locked by another program.
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(lock != INVALID_HANDLE_VALUE);
    gui::ExpectMessage("Tessel", "Fehler beim Schreiben von SPERRE.TXT!", MB_ICONWARNING);
    CHECK(app.command(CMD_SAVE) == 0);
    CloseHandle(lock);
    CHECK(gui::ReadFile(path) == original);
    CHECK(tessel::document::Modified());

    // A full drive the test may fill.
    const std::string drive = gui::FullDrive();
    if (drive.empty()) {
        MESSAGE("TESSEL_FULL_DRIVE not set: the full-drive case is not run");
    } else {
        const std::string doc = drive + "voll.txt";
        gui::WriteFile(doc, original);
        gui::WriteFile(drive + "filler.bin", std::string(40000, 'f'));
        app.setText("");
        app.command(CMD_OPENPATH, Arg(doc));
        app.setText(std::string(29999, 'n'));
        app.type("n");
        gui::ExpectMessage("Tessel", "Fehler beim Schreiben von VOLL.TXT!", MB_ICONWARNING);
        CHECK(app.command(CMD_SAVE) == 0);
        CHECK(gui::ReadFile(doc) == original);
        CHECK(tessel::document::Modified());
        WIN32_FIND_DATAA found;
        HANDLE left = FindFirstFileA((drive + "TSL*.TMP").c_str(), &found);
        CHECK(left == INVALID_HANDLE_VALUE);   // no temporary file is left behind
        if (left != INVALID_HANDLE_VALUE) FindClose(left);
        gui::RemoveFile(doc);
        gui::RemoveFile(drive + "filler.bin");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("merging inserts the file at the caret and keeps the caption; too big, missing and overflowing merges") {
    Scratch s;
    const std::string doc = s.file("doku.txt", "Anfang|Ende");
    const std::string part = s.file("teil.txt", "MITTE\r\n");
    const std::string big = s.file("gross.txt", std::string(32500, 'g'));
    gui::App app;
    app.command(CMD_OPENPATH, Arg(doc));
    app.select(6, 7);
    app.command(CMD_MERGEPATH, Arg(part));
    CHECK(app.text() == "AnfangMITTE\r\nEnde");
    CHECK(app.caption() == "Tessel :  DOKU.TXT");
    CHECK(std::string(tessel::document::Title()) == "DOKU.TXT");
    CHECK(std::string(tessel::document::Path()) == Upper(doc));
    CHECK(tessel::document::Modified());

    for (const std::string& bad : {big, s.dir + "fehlt.txt", s.dir, s.dir + std::string(300, 'x')}) {
        gui::ExpectMessage("Tessel", "Dateien können nicht zusammengeführt werden !", MB_ICONWARNING);
        app.command(CMD_MERGEPATH, Arg(bad));
    }
    CHECK(app.text() == "AnfangMITTE\r\nEnde");

    app.setText(std::string(29995, 'v'));
    app.select(0, 0);
    gui::ExpectMessage("Tessel", "Kapazitätsgrenzen erreicht.", MB_ICONERROR);
    app.command(CMD_MERGEPATH, Arg(s.file("zehn.txt", "0123456789")));
    CHECK(app.text().size() == 30000);
    tessel::lineops::ClearCapacity();
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a file with NUL bytes loads up to the first one, warns once, and is never overwritten unasked") {
    Scratch s;
    const std::string original("abc\0def", 7);
    const std::string path = s.file("null.bin", original);
    gui::App app;
    gui::ExpectMessage("Tessel",
                       "Die Datei NULL.BIN enthält ein Nullzeichen: der Text endet davor.\n\n"
                       "Beim Speichern wird nach einem Dateinamen gefragt, damit die Datei erhalten bleibt.",
                       MB_ICONWARNING);
    app.command(CMD_OPENPATH, Arg(path));
    CHECK(app.text() == "abc");
    CHECK(app.caption() == "Tessel :  NULL.BIN");
    CHECK_FALSE(tessel::document::Modified());

    app.type("x");
    gui::ExpectDialog("Save As", [](HWND d) { gui::Press(d, IDCANCEL); });
    CHECK(app.command(CMD_SAVE) == 0);
    CHECK(gui::ReadFile(path) == original);

    const std::string copy = s.dir + "kopie.txt";
    gui::ExpectDialog("Save As", [&](HWND d) { gui::ChooseFile(d, copy); });
    CHECK(app.command(CMD_SAVE) == 1);
    CHECK(gui::ReadFile(copy) == "xabc");
    app.type("y");
    CHECK(app.command(CMD_SAVE) == 1);   // the new file is an ordinary one
    CHECK(gui::ReadFile(copy) == "xyabc");
    CHECK(gui::ReadFile(path) == original);

    gui::ExpectMessage("Tessel", "Die Datei null.bin enthält ein Nullzeichen: eingefügt wurde nur der Text davor.",
                       MB_ICONWARNING);
    app.command(CMD_MERGEPATH, Arg(path));
    CHECK(app.text().find("abc") != std::string::npos);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("bad files: missing, locked, a directory and a path of 255+ characters are reported; empty and binary files load") {
    Scratch s;
    gui::App app;
    app.setText("bleibt");
    const std::string locked = s.file("locked.txt", "zu");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string tooLong = s.dir + std::string(280, 'x') + ".txt";
    struct Case {
        std::string path;
        std::string title;
    };
    for (const Case& c : {Case{s.dir + "fehlt.txt", "FEHLT.TXT"}, Case{locked, "LOCKED.TXT"},
                          Case{tooLong, std::string(127, 'x')}}) {
        CAPTURE(c.path);
        gui::ExpectMessage("Tessel", "Die gewählte Datei " + c.title + " existiert nicht !", MB_ICONWARNING);
        app.command(CMD_OPENPATH, Arg(c.path));
        CHECK(app.text() == "bleibt");
        CHECK(app.caption() == "Tessel :  NAMENLOS");
    }
    CloseHandle(lock);
    // A directory cannot be opened as a file either.
    std::string dir = s.dir;
    dir.pop_back();
    gui::ExpectDialog("Tessel", [](HWND d) { gui::Press(d, IDOK); });
    app.command(CMD_OPENPATH, Arg(dir));
    CHECK(app.text() == "bleibt");

    app.command(CMD_OPENPATH, Arg(s.file("leer.txt", "")));
    CHECK(app.text().empty());
    CHECK(app.caption() == "Tessel :  LEER.TXT");

    std::string binary;
    for (int b = 1; b < 256; ++b) binary += static_cast<char>(b);
    binary += "\r\n\n\r";
    const std::string bin = s.file("binaer.dat", binary);
    app.command(CMD_OPENPATH, Arg(bin));
    CHECK(app.text() == binary);
    app.type("!");
    CHECK(app.command(CMD_SAVE) == 1);
    CHECK(gui::ReadFile(bin) == "!" + binary);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("recent files: the sequences A..E, (A,B,C,D)+C and (A,-,B,-)+B through real opens") {
    Scratch s;
    std::vector<std::string> p;
    for (char c = 'a'; c <= 'e'; ++c) p.push_back(Upper(s.file(std::string(1, c) + ".txt", std::string(1, c))));
    const std::string& A = p[0];
    const std::string& B = p[1];
    const std::string& C = p[2];
    const std::string& D = p[3];
    const std::string& E = p[4];
    {
        gui::App app;
        CHECK_FALSE(HasMenuItem(app.main(), CMD_RECENT_SEP));
        CHECK_FALSE(HasMenuItem(app.main(), CMD_RECENT0));
        const std::vector<std::vector<std::string>> expected = {
            {A, "", "", ""}, {B, A, "", ""}, {C, A, B, ""}, {D, A, B, C}, {E, D, A, B}};
        for (std::size_t i = 0; i < p.size(); ++i) {
            app.command(CMD_OPENPATH, Arg(s.dir + std::string(1, static_cast<char>('a' + i)) + ".txt"));
            CHECK(Slots() == expected[i]);
        }
        CHECK(HasMenuItem(app.main(), CMD_RECENT_SEP));
        CHECK(MenuText(app.main(), CMD_RECENT0) == "E.TXT");
        CHECK(MenuText(app.main(), CMD_RECENT0 + 3) == "B.TXT");
        CHECK(std::string(tessel::document::Path()) == E);   // the document path turned upper case too
        CHECK(app.close());
    }
    CHECK(gui::IniValue("INITFILES", "FILE0") == E);
    CHECK(gui::IniValue("INITFILES", "FILE3") == B);

    gui::RemoveFile(gui::IniPath());
    for (int i = 0; i < 4; ++i) gui::SetIniValue("INITFILES", ("FILE" + std::to_string(i)).c_str(), p[i].c_str());
    {
        gui::App app("", true);
        app.command(CMD_OPENPATH, Arg(C));
        CHECK(Slots() == std::vector<std::string>{C, B, A, D});
    }
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("INITFILES", "FILE0", A.c_str());
    gui::SetIniValue("INITFILES", "FILE2", B.c_str());
    {
        gui::App app("", true);
        CHECK(HasMenuItem(app.main(), CMD_RECENT0));
        CHECK_FALSE(HasMenuItem(app.main(), CMD_RECENT0 + 1));
        CHECK(HasMenuItem(app.main(), CMD_RECENT0 + 2));
        app.command(CMD_OPENPATH, Arg(B));
        CHECK(Slots() == std::vector<std::string>{B, A, B, ""});
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("recent files: a deleted file removes just its item; garbage in the settings file is handled calmly") {
    Scratch s;
    const std::string a = Upper(s.file("a.txt", "a"));
    const std::string b = Upper(s.file("b.txt", "b"));
    const std::string c = Upper(s.file("c.txt", "c"));
    gui::RemoveFile(gui::IniPath());
    gui::SetIniValue("INITFILES", "FILE0", a.c_str());
    gui::SetIniValue("INITFILES", "FILE1", b.c_str());
    gui::SetIniValue("INITFILES", "FILE2", c.c_str());
    {
        gui::App app("", true);
        app.setText("unverändert");
        gui::RemoveFile(b);
        gui::ExpectMessage("Warnung", "Datei :\n''" + b + "''\n kann nicht gefunden werden", MB_ICONERROR);
        app.command(CMD_RECENT0 + 1);
        CHECK(HasMenuItem(app.main(), CMD_RECENT0));
        CHECK_FALSE(HasMenuItem(app.main(), CMD_RECENT0 + 1));
        CHECK(MenuText(app.main(), CMD_RECENT0 + 2) == "C.TXT");
        CHECK(app.text() == "unverändert");
        CHECK(app.caption() == "Tessel :  NAMENLOS");

        app.command(CMD_RECENT0 + 2);
        CHECK(app.text() == "c");
        CHECK(app.caption() == "Tessel :  C.TXT");
        CHECK(Slots() == std::vector<std::string>{c, a, c, ""});   // the emptied slot is filled first
    }

    gui::RemoveFile(gui::IniPath());
    const std::string garbage = "\x01\x7F<>|?*:\"\xFF";
    gui::SetIniValue("INITFILES", "FILE0", garbage.c_str());
    gui::SetIniValue("INITFILES", "FILE1", std::string(400, 'x').c_str());
    {
        gui::App app("", true);
        CHECK(tessel::recent::SlotPath(0) == garbage);
        CHECK(tessel::recent::SlotPath(1) == std::string(254, 'x'));
        CHECK(HasMenuItem(app.main(), CMD_RECENT0));
        gui::ExpectMessage("Warnung", "Datei :\n''" + garbage + "''\n kann nicht gefunden werden",
                           MB_ICONERROR);
        app.command(CMD_RECENT0);
        gui::ExpectMessage("Warnung", "Datei :\n''" + std::string(254, 'x') + "''\n kann nicht gefunden werden",
                           MB_ICONERROR);
        app.command(CMD_RECENT0 + 1);
        CHECK_FALSE(HasMenuItem(app.main(), CMD_RECENT_SEP));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("opening a short 8.3 path shows and remembers the long names the file system stores") {
    Scratch s;
    const std::string longDir = s.dir + "Langes Verzeichnis";
    CreateDirectoryA(longDir.c_str(), nullptr);
    const std::string file = longDir + "\\Lange Datei Name.txt";
    gui::WriteFile(file, "kurz");
    char shortPath[MAX_PATH] = {};
    REQUIRE(GetShortPathNameA(file.c_str(), shortPath, MAX_PATH) > 0);
    REQUIRE(std::string(shortPath) != file);
    CAPTURE(shortPath);

    gui::App app;
    app.command(CMD_OPENPATH, reinterpret_cast<LPARAM>(shortPath));
    CHECK(app.text() == "kurz");
    CHECK(app.caption() == "Tessel :  Lange Datei Name.txt");
    CHECK(tessel::recent::SlotPath(0) == Upper(file));

    // A path with a missing part is taken as given and reported.
    const std::string missing = longDir + "\\fehlt\\x.txt";
    gui::ExpectMessage("Tessel", "Die gewählte Datei X.TXT existiert nicht !", MB_ICONWARNING);
    app.command(CMD_OPENPATH, Arg(missing));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("quick help lists every help-text line, centred; an empty clipboard transfer does nothing") {
    gui::App app;
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, "HELPTEXT", "TEXT");
    REQUIRE(found);
    const char* data = static_cast<const char*>(LockResource(LoadResource(self, found)));
    const std::vector<std::string> lines =
        tessel::helplines::splitHelpLines(std::string_view(data, SizeofResource(self, found)));
    REQUIRE(lines.size() > 100);
    CHECK(lines.back() == "<--EOF-->");

    gui::ExpectDialog("Kurze Anleitung", [&](HWND d) {
        HWND list = GetDlgItem(d, IDC_HELP_LIST);
        REQUIRE(static_cast<std::size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0)) == lines.size());
        std::size_t same = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            char item[256] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            same += lines[i] == item;
        }
        CHECK(same == lines.size());
        CHECK(gui::ItemText(d, IDOK) == "&Schließen");
        RECT r;
        GetWindowRect(d, &r);
        const tessel::centring::Position p = tessel::centring::centredPosition(
            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), r.right - r.left, r.bottom - r.top);
        CHECK(r.left == p.x);
        CHECK(r.top == p.y);
        gui::Press(d, IDOK);
    });
    app.command(CMD_HELP);

    // A text resource that does not exist ends the dialog at once with 0,
    // and the command reports it.
    CHECK(tessel::quickhelp::ShowQuickHelp(app.main(), "KEINHILFE", "x") == 0);

    SetClipboard("bleibt");
    CHECK(tessel::dialogutil::TransferToClipboard(app.main(), "", 0, 10) == 0);
    CHECK(tessel::dialogutil::TransferToClipboard(app.main(), "abc", 0, 10) == 0);
    CHECK(gui::ClipboardText() == "bleibt");
    CHECK(tessel::dialogutil::TransferToClipboard(app.main(), "abcdef", 3, 10) == 1);
    CHECK(gui::ClipboardText() == "abc");
    CHECK_DIALOGS_ANSWERED();
}
