// Find and replace through the real common dialogs: typing into their fields
// and clicking their buttons, with every report answered and checked.
#include <functional>
#include <string>

#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

// Controls of the common Find and Replace dialogs.
constexpr int kFindField = 0x480;
constexpr int kReplaceField = 0x481;
constexpr int kWholeWord = 0x410;
constexpr int kMatchCase = 0x411;
constexpr int kReplaceButton = 0x400;
constexpr int kReplaceAllButton = 0x401;
constexpr int kHelpButton = 0x40E;

const char kHelp[] = "Ersetzungskürzel :\n\n^a\tZeilenumbruch\n^t\tTabulator\n";

HWND g_dialog;

bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 300 && !done(); ++i) {
        gui::Pump();
        Sleep(10);
    }
    return done();
}

// Opens Find (30), F3 (31) or Replace (32) and waits for the dialog.
HWND Open(gui::App& app, unsigned id, const char* caption) {
    g_dialog = nullptr;
    gui::ExpectDialog(caption, [](HWND d) { g_dialog = d; });
    app.command(id);
    REQUIRE(PumpUntil([] { return g_dialog != nullptr; }));
    return g_dialog;
}

void Click(HWND dialog, int id) {
    gui::Press(dialog, id);
    gui::Pump();
}

void Check(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_CHECKED, 0); }

std::string NotFound(const std::string& needle) { return "\"" + needle + "\" kann nicht gefunden werden"; }

// The not-found report, owned by `owner`.
void ExpectNotFound(const std::string& needle, HWND owner) {
    gui::ExpectDialog("Tessel", [needle, owner](HWND box) {
        CHECK(gui::ItemText(box, 0xFFFF) == NotFound(needle));
        CHECK(GetWindow(box, GW_OWNER) == owner);
        gui::Press(box, IDOK);
    });
}

bool Greyed(gui::App& app, unsigned id) {
    HMENU popup = GetSubMenu(GetMenu(app.main()), 3);
    SendMessageA(app.main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 3);
    return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

}  // namespace

TEST_CASE("Find Next selects each hit, reports the end and F3 goes on from the top") {
    gui::App app;
    app.setText("ab x ab\r\nAB");
    app.select(0, 0);
    HWND find = Open(app, CMD_FIND, "Find");
    CHECK(gui::ItemText(find, kFindField) == "");
    CHECK_FALSE(IsWindowVisible(GetDlgItem(find, 0x420)));  // no direction choice
    gui::SetItemText(find, kFindField, "ab");
    Click(find, IDOK);
    CHECK(app.selection() == std::make_pair(0, 2));
    Click(find, IDOK);
    CHECK(app.selection() == std::make_pair(5, 7));
    // Without match case "AB" is the next hit; with it, there is none.
    Check(find, kMatchCase);
    ExpectNotFound("ab", find);
    Click(find, IDOK);
    CHECK(app.selection() == std::make_pair(0, 0));
    CHECK_DIALOGS_ANSWERED();

    SUBCASE("F3 searches again from the caret at the top, with the dialog's options") {
        Click(find, IDCANCEL);
        app.command(CMD_FINDNEXT);
        CHECK(app.selection() == std::make_pair(0, 2));
        app.select(6, 6);
        ExpectNotFound("ab", app.main());  // match case stays on: "AB" is no hit
        app.command(CMD_FINDNEXT);
        CHECK(app.selection() == std::make_pair(0, 0));
    }
    SUBCASE("the escape help on the Help button") {
        gui::ExpectMessage("Hilfe zu Suchen/Ersetzen", kHelp, MB_ICONINFORMATION);
        Click(find, kHelpButton);
        Click(find, IDCANCEL);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("whole word, escapes and an empty F3") {
    gui::App app;
    SUBCASE("F3 with an empty find text opens the Find dialog") {
        app.setText("abc");
        // Opening a dialog empties the find text; closing it leaves it empty.
        Click(Open(app, CMD_FIND, "Find"), IDCANCEL);
        HWND find = Open(app, CMD_FINDNEXT, "Find");
        CHECK(gui::ItemText(find, kFindField) == "");
        Click(find, IDCANCEL);
    }
    SUBCASE("whole word skips scats and the one between umlauts, takes cats") {
        app.setText("scats \xC4" "cat\xFC cats");
        app.select(0, 0);
        HWND find = Open(app, CMD_FIND, "Find");
        gui::SetItemText(find, kFindField, "cat");
        Check(find, kWholeWord);
        Click(find, IDOK);
        CHECK(app.selection() == std::make_pair(12, 15));
        Click(find, IDCANCEL);
    }
    SUBCASE("^a finds the line break, and F3 searches the converted text") {
        app.setText("a\r\nb\r\nc");
        app.select(0, 0);
        HWND find = Open(app, CMD_FIND, "Find");
        gui::SetItemText(find, kFindField, "^a");
        Click(find, IDOK);
        CHECK(app.selection() == std::make_pair(1, 3));
        Click(find, IDCANCEL);
        app.command(CMD_FINDNEXT);
        CHECK(app.selection() == std::make_pair(4, 6));
        ExpectNotFound("\r\n", app.main());
        app.command(CMD_FINDNEXT);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the menu greys Suchen, Weitersuchen and Ersetzen while a dialog is open, and only then") {
    gui::App app;
    CHECK_FALSE(Greyed(app, CMD_FIND));
    HWND find = Open(app, CMD_FIND, "Find");
    CHECK(Greyed(app, CMD_FIND));
    CHECK(Greyed(app, CMD_FINDNEXT));
    CHECK(Greyed(app, CMD_REPLACE));
    // A second Find while one is open opens no second dialog.
    app.command(CMD_REPLACE);
    Click(find, IDCANCEL);
    CHECK_FALSE(Greyed(app, CMD_FIND));
    CHECK_FALSE(Greyed(app, CMD_FINDNEXT));
    CHECK_FALSE(Greyed(app, CMD_REPLACE));
    HWND replace = Open(app, CMD_REPLACE, "Replace");
    CHECK(Greyed(app, CMD_REPLACE));
    CHECK(gui::ItemText(replace, kFindField) == "");
    CHECK(gui::ItemText(replace, kReplaceField) == "");
    Click(replace, IDCANCEL);
    CHECK_FALSE(Greyed(app, CMD_REPLACE));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("Replace replaces only the previous hit") {
    gui::App app;
    app.setText("abxyzab");
    app.select(0, 0);
    HWND replace = Open(app, CMD_REPLACE, "Replace");
    gui::SetItemText(replace, kFindField, "ab");
    gui::SetItemText(replace, kReplaceField, "cd");
    Click(replace, IDOK);
    Click(replace, IDOK);
    CHECK(app.selection() == std::make_pair(5, 7));
    ExpectNotFound("ab", replace);
    Click(replace, IDOK);  // reported: the caret is at the top, the position stays
    CHECK(app.selection() == std::make_pair(0, 0));
    SUBCASE("after the report Replace inserts nothing and only selects the first hit") {
        Click(replace, kReplaceButton);
        CHECK(app.text() == "abxyzab");
        CHECK(app.selection() == std::make_pair(0, 2));
        // Now the selection is the hit: replaced, and the next one selected.
        Click(replace, kReplaceButton);
        CHECK(app.text() == "cdxyzab");
        CHECK(app.selection() == std::make_pair(5, 7));
        CHECK(tessel::document::Modified());
    }
    SUBCASE("a selection the user made elsewhere is not replaced; the search restarts at its start") {
        app.select(1, 3);
        Click(replace, kReplaceButton);
        CHECK(app.text() == "abxyzab");
        CHECK(app.selection() == std::make_pair(5, 7));
    }
    Click(replace, IDCANCEL);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("Replace All from the middle, after a report, with escapes, undone in one step") {
    gui::App app;
    app.setText("ab\r\nab\r\nab");
    SUBCASE("from a hit in the middle: only that hit and the ones behind it") {
        app.select(3, 3);
        HWND replace = Open(app, CMD_REPLACE, "Replace");
        gui::SetItemText(replace, kFindField, "ab");
        gui::SetItemText(replace, kReplaceField, "X");
        Click(replace, IDOK);
        CHECK(app.selection() == std::make_pair(4, 6));
        Click(replace, kReplaceAllButton);
        CHECK(app.text() == "ab\r\nX\r\nX");
        CHECK(app.selection() == std::make_pair(8, 8));
        app.command(CMD_UNDO);
        CHECK(app.text() == "ab\r\nab\r\nab");
        Click(replace, IDCANCEL);
    }
    SUBCASE("after Find Next reported the end: every hit from the top, no second report") {
        app.select(0, 0);
        HWND replace = Open(app, CMD_REPLACE, "Replace");
        gui::SetItemText(replace, kFindField, "ab");
        gui::SetItemText(replace, kReplaceField, "X");
        for (int i = 0; i < 3; ++i) Click(replace, IDOK);
        ExpectNotFound("ab", replace);
        Click(replace, IDOK);
        Click(replace, kReplaceAllButton);
        CHECK(app.text() == "X\r\nX\r\nX");
        CHECK(app.selection() == std::make_pair(7, 7));
        Click(replace, IDCANCEL);
    }
    SUBCASE("behind the last hit: the report, then every hit from the top") {
        app.select(10, 10);
        HWND replace = Open(app, CMD_REPLACE, "Replace");
        gui::SetItemText(replace, kFindField, "^a");
        gui::SetItemText(replace, kReplaceField, "^t");
        ExpectNotFound("\r\n", replace);
        Click(replace, kReplaceAllButton);
        CHECK(app.text() == "ab\tab\tab");
        Click(replace, IDCANCEL);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("Replace All near the limit stops at the first replacement that does not fit, with one message") {
    gui::App app;
    std::string text(29990, 'y');
    for (int i = 0; i < 10; ++i) text[static_cast<std::size_t>(i) * 100] = 'a';
    app.setText(text);
    app.select(0, 0);
    HWND replace = Open(app, CMD_REPLACE, "Replace");
    gui::SetItemText(replace, kFindField, "a");
    gui::SetItemText(replace, kReplaceField, "aaaa");
    gui::ExpectMessage("Tessel", "Kapazitätsgrenzen erreicht.", MB_ICONERROR);
    Click(replace, IDOK);
    Click(replace, kReplaceAllButton);
    // Three characters more per hit: 3 hits fit into 30000, the fourth does not.
    CHECK(app.text().size() == 29999);
    CHECK(app.text().substr(0, 4) == "aaaa");
    CHECK(app.selection() == std::make_pair(309, 310));
    Click(replace, IDCANCEL);
    CHECK_DIALOGS_ANSWERED();
}
