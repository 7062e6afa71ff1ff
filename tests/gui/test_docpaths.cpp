// The document's path is kept absolute and normalised, so it names the same
// file whatever the current directory becomes; recent-files items show file
// titles of any length.
#include <string>

#include "document/document_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

std::string CurrentDirectory() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
}

struct KeepCurrentDirectory {
    std::string dir = CurrentDirectory();
    ~KeepCurrentDirectory() { SetCurrentDirectoryA(dir.c_str()); }
};

}  // namespace

TEST_CASE("a relative path is made absolute: Save writes the user's file after the directory changed") {
    gui::Scratch s;
    gui::Scratch elsewhere;
    KeepCurrentDirectory keep;  // restored before the directories are removed
    const std::string file = s.file("rel.txt", "alt");
    REQUIRE(SetCurrentDirectoryA(s.dir.c_str()));

    SUBCASE("from the command line") {
        gui::App app("rel.txt");
        CHECK(std::string(tessel::document::Path()) == gui::Upper(file));
        SetCurrentDirectoryA(elsewhere.dir.c_str());  // as an Open dialog may do
        app.type("neu ");
        CHECK(app.command(CMD_SAVE) == 1);
        CHECK(gui::ReadFile(file) == "neu alt");
        CHECK(GetFileAttributesA((elsewhere.dir + "rel.txt").c_str()) == INVALID_FILE_ATTRIBUTES);
        CHECK(tessel::recent::SlotPath(0) == gui::Upper(file));
    }
    SUBCASE("through command 9, with dot parts") {
        gui::App app;
        CreateDirectoryA((s.dir + "sub").c_str(), nullptr);
        app.command(CMD_OPENPATH, gui::Arg(".\\sub\\..\\rel.txt"));
        CHECK(app.text() == "alt");
        CHECK(std::string(tessel::document::Path()) == gui::Upper(file));
        SetCurrentDirectoryA(elsewhere.dir.c_str());
        app.type("x");
        CHECK(app.command(CMD_SAVE) == 1);
        CHECK(gui::ReadFile(file) == "xalt");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("dot parts of an absolute path are resolved before the long names are looked up") {
    gui::Scratch s;
    const std::string file = s.file("f.txt", "richtig");
    CreateDirectoryA((s.dir + "sub").c_str(), nullptr);
    gui::WriteFile(s.dir + "sub\\f.txt", "falsch");
    gui::App app;
    app.command(CMD_OPENPATH, gui::Arg(s.dir + "sub\\..\\f.txt"));
    CHECK(app.text() == "richtig");
    CHECK(std::string(tessel::document::Path()) == gui::Upper(file));
    CHECK(app.caption() == "Tessel :  F.TXT");
    app.command(CMD_OPENPATH, gui::Arg(s.dir + ".\\sub\\.\\f.txt"));
    CHECK(app.text() == "falsch");
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a recent-files item shows the file title, also one of 64 characters or more") {
    gui::Scratch s;
    const std::string title = std::string(70, 'L') + ".txt";
    const std::string file = s.file(title, "lang");
    gui::App app;
    app.command(CMD_OPENPATH, gui::Arg(file));
    char item[256] = {};
    GetMenuStringA(GetMenu(app.main()), CMD_RECENT0, item, sizeof item, MF_BYCOMMAND);
    CHECK(std::string(item) == title.substr(0, 63));   // the title, at most 63 characters of it
    CHECK(std::string(item).find('\\') == std::string::npos);
    CHECK_DIALOGS_ANSWERED();
}
