// The whole-text conversions and the GPS list through the real main window:
// the text written back, the modified flag, the result limit and its message,
// and DOS <-> Windows against the platform's own conversion.
#include <string>

#include "app/mainwindow_win.h"
#include "textops/lineops_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

const char kTooBig[] = "Die Textänderungen werden zu groß für den Tessel !";

struct Case {
    unsigned id;
    const char* before;
    const char* after;
};

bool EditModified(const gui::App& app) { return SendMessageA(app.edit(), EM_GETMODIFY, 0, 0) != 0; }

}  // namespace

TEST_CASE("each conversion rewrites the whole text, leaves the caret at the start and marks the document") {
    const Case cases[] = {
        {CMD_DOSTOUNIX, "a\r\nb\rc\nd", "a\nb\ncd"},
        {CMD_UNIXTODOS, "a\r\nb\nc", "a\r\r\nb\r\nc"},
        {CMD_MACTOPC, "a\rb\r\nc", "a\r\nb\r\n\nc"},
        {CMD_PCTOMAC, "a\r\nb\nc", "a\rbc"},
        {CMD_CRLFTOBLANK, "a\r\nb\r\n", "a b "},
        {CMD_CRLFTOCOMMA, "a\r\nb", "a ,b"},
        {CMD_TABTOBLANKS, "\ta\tb", "  a  b"},
    };
    gui::App app;
    for (const Case& c : cases) {
        CAPTURE(c.id);
        app.setText(c.before);
        app.select(1, 3);  // the selection plays no part
        app.command(c.id);
        CHECK(app.text() == c.after);
        CHECK(app.selection() == std::make_pair(0, 0));
        CHECK(tessel::document::Modified());
        CHECK(EditModified(app));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("conversions without a result change nothing and show nothing") {
    gui::App app;
    SUBCASE("an empty text") {
        for (unsigned id : {CMD_DOSTOUNIX, CMD_UNIXTODOS, CMD_MACTOPC, CMD_PCTOMAC, CMD_CRLFTOBLANK,
                            CMD_CRLFTOCOMMA, CMD_TABTOBLANKS, CMD_GPS}) {
            CAPTURE(id);
            app.setText("");
            app.command(id);
            CHECK(app.text() == "");
            CHECK_FALSE(tessel::document::Modified());
        }
    }
    SUBCASE("DOS -> UNIX and PC -> MAC on a text without CR LF") {
        for (unsigned id : {CMD_DOSTOUNIX, CMD_PCTOMAC}) {
            app.setText("a\nb\rc");
            app.select(1, 2);
            app.command(id);
            CHECK(app.text() == "a\nb\rc");
            CHECK(app.selection() == std::make_pair(1, 2));
            CHECK_FALSE(tessel::document::Modified());
        }
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a result above 27500 characters is refused with the message; 27500 pass") {
    gui::App app;
    const std::string refused = std::string(27499, 'x') + "\t";  // 27501 after the expansion
    app.setText(refused);
    gui::ExpectMessage("Tessel", kTooBig, MB_ICONERROR);
    app.command(CMD_TABTOBLANKS);
    CHECK((app.text() == refused));
    CHECK_FALSE(tessel::document::Modified());

    const std::string fits = std::string(27498, 'x') + "\t";
    app.setText(fits);
    app.command(CMD_TABTOBLANKS);
    CHECK((app.text() == std::string(27498, 'x') + "  "));
    CHECK(tessel::document::Modified());

    SUBCASE("a text of 30000 characters that shrinks only to 27692 is refused too") {
        std::string lines;
        while (lines.size() < 30000) lines += "0123456789a\r\n";  // 2308 line breaks
        lines.resize(30000);
        app.setText(lines);
        gui::ExpectMessage("Tessel", kTooBig, MB_ICONERROR);
        app.command(CMD_DOSTOUNIX);
        CHECK((app.text() == lines));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("GPS -> route planner: numbered records, the last line untouched, one undo step") {
    gui::App app;
    app.setText("48.5,16.25,Home\r\nx.y\r\n\r\n");
    app.select(3, 3);
    app.command(CMD_GPS);
    CHECK(app.text() == "1;48,5;16,25\r\n2;x,y\r\n3;\r\n");
    CHECK(app.selection() == std::make_pair(0, 0));
    CHECK(tessel::document::Modified());
    app.command(CMD_UNDO);
    CHECK(app.text() == "48.5,16.25,Home\r\nx.y\r\n\r\n");

    SUBCASE("a final line without line break is not converted; a single line not at all") {
        app.setText("1.5,2\r\n3.5,4");
        app.command(CMD_GPS);
        CHECK(app.text() == "1;1,5;2\r\n3.5,4");
        app.setText("1.5,2");
        app.command(CMD_GPS);
        CHECK(app.text() == "1.5,2");
        CHECK_FALSE(tessel::document::Modified());
    }
    SUBCASE("a full edit control: the records before are converted, the message comes once") {
        // 29991 characters; each record grows by two ("n;"), so after four
        // records the fifth would pass the limit: it stays "5.5", never "5;5,".
        const std::string filler(29991 - 5 * 5 - 2, 'f');
        const std::string text = "1.5\r\n2.5\r\n3.5\r\n4.5\r\n5.5\r\n" + filler + "\r\n";
        REQUIRE(text.size() == 29991);
        app.setText(text);
        gui::ExpectMessage("Tessel", "Kapazitätsgrenzen erreicht.", MB_ICONERROR);
        app.command(CMD_GPS);
        CHECK((app.text() == "1;1,5\r\n2;2,5\r\n3;3,5\r\n4;4,5\r\n5.5\r\n" + filler + "\r\n"));
        CHECK(app.text().size() == 29999);
        CHECK(app.selection() == std::make_pair(0, 0));
        CHECK(!tessel::lineops::CapacityReached());
        app.command(CMD_UNDO);
        CHECK((app.text() == text));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("DOS <-> WIN convert umlauts exactly as the platform does, and mark the document") {
    gui::App app;
    std::string ansi = "Grüße: äöü ÄÖÜ ß é\r\n";
    for (int c = 0xA0; c <= 0xFF; ++c) ansi += static_cast<char>(c);
    app.setText(ansi);

    std::string oem = ansi;
    CharToOemBuffA(oem.data(), oem.data(), static_cast<DWORD>(oem.size()));
    REQUIRE(oem != ansi);
    app.command(CMD_WINTODOS);
    CHECK(app.text() == oem);
    CHECK(tessel::document::Modified());
    CHECK(EditModified(app));

    std::string back = oem;
    OemToCharBuffA(back.data(), back.data(), static_cast<DWORD>(back.size()));
    app.setText(oem);
    app.command(CMD_DOSTOWIN);
    CHECK(app.text() == back);
    CHECK(app.text().substr(0, 20) == "Grüße: äöü ÄÖÜ ß é\r\n");
    CHECK(tessel::document::Modified());

    SUBCASE("an empty text is written back and marked modified") {
        app.setText("");
        app.command(CMD_DOSTOWIN);
        CHECK(app.text() == "");
        CHECK(tessel::document::Modified());
    }
    CHECK_DIALOGS_ANSWERED();
}
