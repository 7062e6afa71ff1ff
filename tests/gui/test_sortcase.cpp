// Sorting and case conversion through their real dialogs: the choices at
// opening, each choice's result, the selection afterwards, the 4096-line
// limit and its message, and one undo step.
#include <string>

#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

bool Checked(HWND d, int id) { return SendDlgItemMessageA(d, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Choose(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }

// DLGSORTMYTEXT: checks the defaults, clicks the choices, then OK.
void ExpectSort(bool numeric, bool descending) {
    gui::ExpectDialog("Text Sortieren", [=](HWND d) {
        CHECK(Checked(d, 104));
        CHECK(Checked(d, 107));
        CHECK_FALSE(Checked(d, 105));
        CHECK_FALSE(Checked(d, 106));
        if (numeric) Choose(d, 105);
        if (descending) Choose(d, 106);
        gui::Press(d, IDOK);
    });
}

// GROSSKLEIN: 101 checked at opening; chooses `id` (0: none), then OK.
void ExpectCase(int id) {
    gui::ExpectDialog("Groß-/Kleinschreibung", [=](HWND d) {
        CHECK(Checked(d, 101));
        for (int other : {102, 103, 104, 105, 107}) CHECK_FALSE(Checked(d, other));
        if (id) Choose(d, id);
        gui::Press(d, IDOK);
    });
}

std::string Numbered(unsigned count) {
    std::string text;
    for (unsigned i = count; i > 0; --i) text += std::to_string(i) + "\r\n";
    return text;
}

}  // namespace

TEST_CASE("sorting the selected lines with each choice, with and without a trailing break") {
    gui::App app;
    SUBCASE("whole lines ending at the next line's start: sorted, each with its break, caret behind") {
        app.setText("b\r\nc\r\na\r\nrest");
        app.select(0, 9);
        ExpectSort(false, false);
        app.command(CMD_SORT);
        CHECK(app.text() == "a\r\nb\r\nc\r\nrest");
        CHECK(app.selection() == std::make_pair(9, 9));
        CHECK(tessel::document::Modified());
        app.command(CMD_UNDO);
        CHECK(app.text() == "b\r\nc\r\na\r\nrest");
    }
    SUBCASE("ending at the end of the last line: no break after the block") {
        app.setText("b\r\nc\r\na\r\nrest");
        app.select(0, 7);
        ExpectSort(false, true);
        app.command(CMD_SORT);
        CHECK(app.text() == "c\r\nb\r\na\r\nrest");
        CHECK(app.selection() == std::make_pair(7, 7));
    }
    SUBCASE("numeric, and an empty line vanishes") {
        app.setText("10\r\n\r\n9\r\n100\r\nx");
        app.select(0, 16);
        ExpectSort(true, false);
        app.command(CMD_SORT);
        CHECK(app.text() == "x\r\n9\r\n10\r\n100");
    }
    SUBCASE("a range of only empty lines: the lines are removed, one undo brings them back") {
        app.setText("\r\n\r\n\r\nx");
        app.select(0, 6);
        ExpectSort(false, false);
        app.command(CMD_SORT);
        CHECK(app.text() == "x");
        app.command(CMD_UNDO);
        CHECK(app.text() == "\r\n\r\n\r\nx");
    }
    SUBCASE("numeric descending") {
        app.setText("-3\r\n1.5e1\r\n2");
        app.select(0, 12);
        ExpectSort(true, true);
        app.command(CMD_SORT);
        CHECK(app.text() == "1.5e1\r\n2\r\n-3");
    }
    SUBCASE("a selection inside the lines sorts the whole lines") {
        app.setText("zz\r\nyy\r\nxx");
        app.select(1, 9);
        ExpectSort(false, false);
        app.command(CMD_SORT);
        CHECK(app.text() == "xx\r\nyy\r\nzz");
    }
    SUBCASE("cancel and closing change nothing; one line changes nothing") {
        app.setText("b\r\na");
        app.select(0, 4);
        gui::ExpectDialog("Text Sortieren", [](HWND d) { gui::Press(d, IDCANCEL); });
        app.command(CMD_SORT);
        gui::ExpectDialog("Text Sortieren", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
        app.command(CMD_SORT);
        app.select(0, 1);
        ExpectSort(false, false);
        app.command(CMD_SORT);
        CHECK(app.text() == "b\r\na");
        CHECK_FALSE(tessel::document::Modified());
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("4096 lines are sorted, 4097 refused with the message") {
    gui::App app;
    const std::string lines = Numbered(4096);
    app.setText(lines + "tail");
    app.select(0, static_cast<int>(lines.size()));
    ExpectSort(true, false);
    app.command(CMD_SORT);
    CHECK(app.text().substr(0, 9) == "1\r\n2\r\n3\r\n");
    CHECK(app.text().substr(app.text().size() - 10) == "4096\r\ntail");

    app.select(0, static_cast<int>(app.text().size()));
    ExpectSort(false, false);
    gui::ExpectMessage("Tessel", "Kann nicht mehr als 4096 Zeilen sortieren !", MB_ICONERROR);
    const std::string before = app.text();
    app.command(CMD_SORT);
    CHECK(app.text() == before);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("case conversion: OK at once gives sentence starts; each choice; caret behind") {
    gui::App app;
    struct Case {
        int id;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {0, "hallo welt. das ist gut! ja", "Hallo welt. Das ist gut! Ja"},
        {102, "\xC4PFEL Und", "\xE4pfel und"},
        {103, "stra\xDF" "e", "STRA\xDF" "E"},
        {104, "hans-peter o'neil", "Hans-peter O'neil"},
        {107, "hans-peter o'neil", "Hans-Peter O'neil"},
        {105, "\xC4pfel und Birnen", "\xE4PFEL UND bIRNEN"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.id);
        app.setText(std::string("<") + c.before + ">");
        const int end = static_cast<int>(std::string(c.before).size()) + 1;
        app.select(1, end);
        ExpectCase(c.id);
        app.command(CMD_CASE);
        CHECK(app.text() == std::string("<") + c.after + ">");
        CHECK(app.selection() == std::make_pair(end, end));
        app.command(CMD_UNDO);
        CHECK(app.text() == std::string("<") + c.before + ">");
    }
    SUBCASE("no selection: no dialog, no change; cancel changes nothing") {
        app.setText("abc");
        app.select(1, 1);
        app.command(CMD_CASE);
        app.select(0, 3);
        gui::ExpectDialog("Groß-/Kleinschreibung", [](HWND d) { gui::Press(d, IDCANCEL); });
        app.command(CMD_CASE);
        CHECK(app.text() == "abc");
        CHECK(app.selection() == std::make_pair(0, 3));
    }
    CHECK_DIALOGS_ANSWERED();
}
