// Texts at and above the edit control's 30000-character typing limit (files
// up to 32499 bytes load): a line's change is applied whole or not at all,
// undo brings back the whole text, and a stale capacity flag stops nothing.
#include <string>
#include <utility>

#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "textops/lineops_win.h"

namespace {

const char kFull[] = "Kapazitätsgrenzen erreicht.";

// Answers a dialog with one field 105 (FRONTBACKCUT, CUTFROMCHAR), then OK.
std::function<void(HWND)> Field105(const std::string& value) {
    return [value](HWND d) {
        gui::SetItemText(d, 105, value);
        gui::Press(d, IDOK);
    };
}

void Ok(HWND d) { gui::Press(d, IDOK); }

std::string Repeat(const std::string& line, std::size_t atLeast) {
    std::string text;
    while (text.size() < atLeast) text += line;
    return text;
}

}  // namespace

TEST_CASE("GPS on a list loaded above the limit converts it whole, and undo brings back every record") {
    gui::App app;
    const std::string list = Repeat("48.5,16.25,Home\r\n", 31008);
    REQUIRE(list.size() == 31008);
    app.setText(list);
    app.command(CMD_GPS);  // every record gets shorter or stays as long: no message
    const std::string converted = app.text();
    CHECK(converted.substr(0, 28) == "1;48,5;16,25\r\n2;48,5;16,25\r\n");
    CHECK(converted.find("1824;48,5;16,25\r\n") != std::string::npos);
    CHECK(converted.find("Home") == std::string::npos);
    CHECK(converted.size() < 30000);
    app.command(CMD_UNDO);
    CHECK(app.text().size() == list.size());
    CHECK((app.text() == list));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("undo after a removing line or column command restores a text above the limit whole") {
    gui::App app;
    // Each line offers every command something to remove.
    const std::string big = Repeat("REM ab~cdefg  \r\n", 32000);
    REQUIRE(big.size() > 30000);
    struct Case {
        unsigned id;
        const char* caption;  // the dialog to answer, or null
        std::function<void(HWND)> answer;
    };
    const Case cases[] = {
        {CMD_UNCOMMENT, "Zeilen kommentieren", Ok},
        {CMD_CUTFRONT, "Zeilen vorne kürzen", Field105("3")},
        {CMD_CUTBACK, "Zeilen hinten kürzen", Field105("3")},
        {CMD_BLANKSFRONT, nullptr, nullptr},
        {CMD_BLANKSBACK, nullptr, nullptr},
        {CMD_CAPFRONT, "Vorne Spalten kappen", Field105("5")},
        {CMD_CAPBACK, "Hinten Spalten kappen", Field105("5")},
        {CMD_CUTFROMCHAR, "Zeilen abschneiden ab Zeichen", Ok},
        {CMD_LSP_OUTDENT, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.id);
        app.setText(c.id == CMD_BLANKSFRONT ? "  " + big : big);
        const std::string before = app.text();
        app.select(0, static_cast<int>(before.size()));
        if (c.caption) gui::ExpectDialog(c.caption, c.answer);
        app.command(c.id);
        CHECK(app.text().size() < before.size());
        app.command(CMD_UNDO);
        CHECK(app.text().size() == before.size());
        CHECK((app.text() == before));
    }
    // Undo typed into the edit control takes the same way.
    app.setText(big);
    app.select(0, static_cast<int>(big.size()));
    app.command(CMD_LSP_OUTDENT);
    SendMessageA(app.edit(), EM_UNDO, 0, 0);
    CHECK((app.text() == big));
    CHECK(SendMessageA(app.edit(), EM_GETLIMITTEXT, 0, 0) == 30000);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the line that would pass the limit stays whole: counters, prefixes and records are never cut") {
    gui::App app;
    struct Case {
        unsigned id;
        const char* caption;
        std::function<void(HWND)> answer;
        std::size_t size;       // of the text, before
        std::string firstLine;  // what the first line becomes
    };
    auto counter = [](HWND d) {
        gui::SetItemText(d, 107, "");
        gui::SetItemText(d, 105, "12345");
        gui::SetItemText(d, 106, "");
        gui::Press(d, IDOK);
    };
    // Each line gains 5 ("12345"), 4 ("REM ") or 2 characters: the first
    // fits, the second would pass 30000.
    const Case cases[] = {
        {CMD_COUNTFRONT, "Zeilenoperation - Zähler", counter, 29992, "12345x"},
        {CMD_COMMENT, "Zeilen kommentieren", Ok, 29993, "REM x"},
        {CMD_LSP_INDENT, nullptr, nullptr, 29997, "  x"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.id);
        const std::string filler(c.size - 9, 'f');
        const std::string text = "x\r\ny\r\nz\r\n" + filler;
        app.setText(text);
        app.select(0, 7);
        if (c.caption) gui::ExpectDialog(c.caption, c.answer);
        gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
        app.command(c.id);
        CHECK((app.text() == c.firstLine + "\r\ny\r\nz\r\n" + filler));
        const int stop = static_cast<int>(c.firstLine.size()) + 2;
        CHECK(app.selection() == std::make_pair(stop, stop));   // where the run stopped
        CHECK(!tessel::lineops::CapacityReached());
        app.command(CMD_UNDO);
        CHECK((app.text() == text));
    }

    // GPS: the record that would pass the limit keeps its text, "5.5,6.5" and
    // not "3;5,5;6,".
    const std::string records = "5.5,6.5\r\n5.5,6.5\r\n5.5,6.5\r\n";
    const std::string text = records + std::string(29996 - records.size(), 'f');
    app.setText(text);
    gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
    app.command(CMD_GPS);
    CHECK((app.text() == "1;5,5;6,5\r\n2;5,5;6,5\r\n5.5,6.5\r\n" + text.substr(records.size())));
    app.command(CMD_UNDO);
    CHECK((app.text() == text));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a capacity flag left by a merge that overflowed does not stop the next line command") {
    gui::Scratch s;
    gui::App app;
    app.setText(std::string(29995, 'v') + "\r\n  x");
    app.select(0, 0);
    gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
    app.command(CMD_MERGEPATH, gui::Arg(s.file("zehn.txt", "0123456789")));
    REQUIRE(tessel::lineops::CapacityReached());
    const std::string merged = app.text();
    app.select(static_cast<int>(merged.size()), static_cast<int>(merged.size()));
    app.command(CMD_BLANKSFRONT);
    CHECK((app.text() == merged.substr(0, merged.size() - 3) + "x"));
    CHECK(!tessel::lineops::CapacityReached());
    CHECK_DIALOGS_ANSWERED();
}
