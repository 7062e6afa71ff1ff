// The line and column commands through the real main window and their real
// dialogs: which lines change, the selection afterwards, the modified flag,
// one undo step, the full edit control, and bad input in the dialogs.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/mainwindow_win.h"
#include "textops/lineops_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "core/inputdialog_win.h"

namespace {

using Action = std::function<void(HWND)>;

// FRONTBACKCUT, CUTFROMCHAR: one number field, then OK.
Action NumberField(const std::string& value) {
    return [value](HWND d) {
        gui::SetItemText(d, IDC_LINE_NUMBER, value);
        gui::Press(d, IDOK);
    };
}

Action InputText(const std::string& value) {
    return [value](HWND d) {
        gui::SetItemText(d, IDC_INPUT_EDIT, value);
        gui::Press(d, IDOK);
    };
}

Action Counter(const std::string& left, const std::string& start, const std::string& right) {
    return [=](HWND d) {
        gui::SetItemText(d, IDC_LINE_LEFT, left);
        gui::SetItemText(d, IDC_LINE_NUMBER, start);
        gui::SetItemText(d, IDC_LINE_RIGHT, right);
        gui::Press(d, IDOK);
    };
}

Action Columns(const std::string& separator, const std::string& begin, const std::string& end) {
    return [=](HWND d) {
        gui::SetItemText(d, IDC_LINE_LEFT, separator);
        gui::SetItemText(d, IDC_COLUMN_BEGIN, begin);
        gui::SetItemText(d, IDC_COLUMN_END, end);
        gui::Press(d, IDOK);
    };
}

// Chooses a comment symbol the way a click does, then OK.
Action Comment(int choice, const std::string& freeText = "") {
    return [=](HWND d) {
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(choice, BN_CLICKED), 0);
        if (!freeText.empty()) gui::SetItemText(d, IDC_COMMENT_FREE, freeText);
        gui::Press(d, IDOK);
    };
}

void Cancel(HWND d) { gui::Press(d, IDCANCEL); }

const char kFull[] = "Kapazitätsgrenzen erreicht.";

// The pixels of a dialog's icon placeholder as they are on the screen.
std::vector<COLORREF> HolderPixels(HWND holder) {
    RECT r;
    GetClientRect(holder, &r);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(holder);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(holder, dc);
    return pixels;
}

// The placeholder repainted, with `icon` drawn over it (none: left empty).
std::vector<COLORREF> DrawnPixels(HWND holder, HICON icon) {
    InvalidateRect(holder, nullptr, TRUE);
    UpdateWindow(holder);
    if (icon) {
        HDC dc = GetDC(holder);
        DrawIcon(dc, 0, 0, icon);
        ReleaseDC(holder, dc);
    }
    return HolderPixels(holder);
}

bool WholeTextSelected(const gui::App& app) {
    return app.selection() == std::make_pair(0, static_cast<int>(app.text().size()));
}

}  // namespace

TEST_CASE("inserting in front through the input dialog: the caret's line only, all selected, one undo step") {
    gui::App app;
    app.setText("eins\r\nzwei\r\ndrei");
    app.select(7, 7);
    gui::ExpectDialog("Zeilenoperation", [](HWND d) {
        CHECK(gui::ItemText(d, IDC_INPUT_PROMPT) == "\n\nWelcher Text soll vorne eingefügt werden");
        CHECK(gui::ItemText(d, IDC_INPUT_EDIT) == "");
        gui::SetItemText(d, IDC_INPUT_EDIT, "x");
        gui::Press(d, IDOK);
    });
    app.command(CMD_INSERTFRONT);
    CHECK(app.text() == "eins\r\nxzwei\r\ndrei");
    CHECK(WholeTextSelected(app));
    CHECK(tessel::document::Modified());
    CHECK(SendMessageA(app.edit(), EM_CANUNDO, 0, 0) != 0);
    app.command(CMD_UNDO);
    CHECK(app.text() == "eins\r\nzwei\r\ndrei");

    SUBCASE("a selection dragged to the start of the third line includes it; undo takes back every line at once") {
        app.setText("a\r\nb\r\nc\r\nd");
        app.select(0, 6);
        gui::ExpectDialog("Zeilenoperation", InputText("> "));
        app.command(CMD_INSERTFRONT);
        CHECK(app.text() == "> a\r\n> b\r\n> c\r\nd");
        app.command(CMD_UNDO);
        CHECK(app.text() == "a\r\nb\r\nc\r\nd");
    }
    SUBCASE("cancel changes nothing and keeps the selection") {
        app.select(1, 2);
        gui::ExpectDialog("Zeilenoperation", Cancel);
        app.command(CMD_INSERTFRONT);
        CHECK(app.text() == "eins\r\nzwei\r\ndrei");
        CHECK(app.selection() == std::make_pair(1, 2));
    }
    SUBCASE("closing the dialog is cancel") {
        gui::ExpectDialog("Zeilenoperation", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
        app.command(CMD_INSERTFRONT);
        CHECK(app.text() == "eins\r\nzwei\r\ndrei");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("appending, counting, cutting and blanks on a range that includes the final line") {
    gui::App app;
    SUBCASE("appending at the end puts the text at the very end of the final line") {
        app.setText("ab\r\ncd");
        app.select(0, 6);
        gui::ExpectDialog("Zeilenoperation", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_INPUT_PROMPT) == "\n\nWelcher Text soll hinten angefügt werden");
            InputText(";")(d);
        });
        app.command(CMD_APPENDBACK);
        CHECK(app.text() == "ab;\r\ncd;");
        CHECK(WholeTextSelected(app));
    }
    SUBCASE("counting at the end from 9 with a parenthesis; the dialog starts empty with counter 1") {
        app.setText("a\r\nb\r\nc");
        app.select(0, 7);
        gui::ExpectDialog("Zeilenoperation - Zähler", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "\n\nWelcher Text soll hinten mit dem Zähler angefügt werden");
            CHECK(gui::ItemText(d, IDC_LINE_LEFT) == "");
            CHECK(gui::ItemText(d, IDC_LINE_NUMBER) == "1");
            CHECK(gui::ItemText(d, IDC_LINE_RIGHT) == "");
            CHECK(FindWindowExA(d, nullptr, "Static", "Zähler") != nullptr);
            Counter("", "9", ")")(d);
        });
        app.command(CMD_COUNTBACK);
        CHECK(app.text() == "a9)\r\nb10)\r\nc11)");
    }
    SUBCASE("counting in front wraps after 65535, empty lines included") {
        app.setText("a\r\n\r\nc\r\n");
        app.select(0, 6);
        gui::ExpectDialog("Zeilenoperation - Zähler", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "\n\nWelcher Text soll vorne mit dem Zähler eingefügt werden");
            Counter("[", "65535", "] ")(d);
        });
        app.command(CMD_COUNTFRONT);
        CHECK(app.text() == "[65535] a\r\n[0] \r\n[1] c\r\n");
    }
    SUBCASE("cutting at the end: 5 on a line of 3 empties it, the final line stays") {
        app.setText("abc\r\nabcdefgh\r\nxyz");
        app.select(0, 16);
        gui::ExpectDialog("Zeilen hinten kürzen", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "Wieviele Stellen sollen am Zeilenende gekürzt werden ?");
            CHECK(gui::ItemText(d, IDC_LINE_NUMBER) == "0");
            CHECK(GetFocus() == GetDlgItem(d, IDC_LINE_NUMBER));
            NumberField("5")(d);
        });
        app.command(CMD_CUTBACK);
        CHECK(app.text() == "\r\nabc\r\nxyz");
    }
    SUBCASE("cutting in front takes the final line too") {
        app.setText("abc\r\nabcdefgh\r\nxyz");
        app.select(0, 16);
        gui::ExpectDialog("Zeilen vorne kürzen", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "Wieviele Stellen sollen am Zeilenanfang gekürzt werden ?");
            NumberField("2")(d);
        });
        app.command(CMD_CUTFRONT);
        CHECK(app.text() == "c\r\ncdefgh\r\nz");
    }
    SUBCASE("blanks: only 0x20, in front on every line, at the end not on the final line") {
        app.setText("  a  \r\n\t b \r\n   \r\n  z  ");
        app.select(0, 25);
        app.command(CMD_BLANKSFRONT);
        CHECK(app.text() == "a  \r\n\t b \r\n\r\nz  ");
        CHECK(WholeTextSelected(app));
        app.command(CMD_BLANKSBACK);
        CHECK(app.text() == "a\r\n\t b\r\n\r\nz  ");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("counts and counters typed badly read as the number they start with, or 0") {
    gui::App app;
    app.setText("abcdef\r\nghijkl");
    SUBCASE("letters, a negative number and an empty field are 0: nothing happens") {
        for (const char* bad : {"abc", "-5", ""}) {
            CAPTURE(bad);
            app.select(1, 2);
            gui::ExpectDialog("Zeilen vorne kürzen", NumberField(bad));
            app.command(CMD_CUTFRONT);
            CHECK(app.text() == "abcdef\r\nghijkl");
            CHECK(app.selection() == std::make_pair(1, 2));
        }
    }
    SUBCASE("six digits keep their low 16 bits (123456 reads 57920) and cut whole lines") {
        app.select(0, 14);
        gui::ExpectDialog("Zeilen hinten kürzen", NumberField("123456"));
        app.command(CMD_CUTBACK);
        CHECK(app.text() == "\r\nghijkl");
    }
    SUBCASE("digits followed by letters read the digits") {
        app.select(0, 14);
        gui::ExpectDialog("Zeilen vorne kürzen", NumberField("2x"));
        app.command(CMD_CUTFRONT);
        CHECK(app.text() == "cdef\r\nijkl");
    }
    SUBCASE("a counter of letters starts at 0") {
        app.select(0, 14);
        gui::ExpectDialog("Zeilenoperation - Zähler", Counter("", "zehn", "."));
        app.command(CMD_COUNTFRONT);
        CHECK(app.text() == "0.abcdef\r\n1.ghijkl");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("comments: the symbol dialog, commenting, and uncommenting by the symbol's length") {
    gui::App app;
    app.setText("x = 1\r\nREM y\r\nz");
    app.select(0, 15);
    SUBCASE("REM is chosen at opening and the free field is empty and disabled") {
        gui::ExpectDialog("Zeilen kommentieren", [](HWND d) {
            CHECK(FindWindowExA(d, nullptr, "Button", "Kommentarsymbol wählen :") != nullptr);  // template umlauts
            CHECK(IsDlgButtonChecked(d, IDC_COMMENT_REM) == BST_CHECKED);
            CHECK(gui::ItemText(d, IDC_COMMENT_FREE) == "");
            CHECK_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_COMMENT_FREE)));
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_COMMENT_OTHER, BN_CLICKED), 0);
            CHECK(IsWindowEnabled(GetDlgItem(d, IDC_COMMENT_FREE)));
            CHECK(IsDlgButtonChecked(d, IDC_COMMENT_OTHER) == BST_CHECKED);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_COMMENT_SEMI, BN_CLICKED), 0);
            CHECK_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_COMMENT_FREE)));
            gui::Press(d, IDOK);
        });
        app.command(CMD_COMMENT);
        CHECK(app.text() == "; x = 1\r\n; REM y\r\n; z");
    }
    SUBCASE("uncommenting with REM removes four characters from every line, REM or not") {
        gui::ExpectDialog("Zeilen kommentieren", Comment(IDC_COMMENT_REM));
        app.command(CMD_UNCOMMENT);
        CHECK(app.text() == "1\r\ny\r\n");
    }
    SUBCASE("a free symbol gets one blank; // and ' as given") {
        gui::ExpectDialog("Zeilen kommentieren", Comment(IDC_COMMENT_OTHER, "#"));
        app.command(CMD_COMMENT);
        CHECK(app.text() == "# x = 1\r\n# REM y\r\n# z");
        app.setText("a");
        gui::ExpectDialog("Zeilen kommentieren", Comment(IDC_COMMENT_SLASHES));
        app.command(CMD_COMMENT);
        gui::ExpectDialog("Zeilen kommentieren", Comment(IDC_COMMENT_APOS));
        app.command(CMD_COMMENT);
        CHECK(app.text() == "' // a");
    }
    SUBCASE("cancel gives no prefix") {
        gui::ExpectDialog("Zeilen kommentieren", Cancel);
        app.command(CMD_COMMENT);
        CHECK(app.text() == "x = 1\r\nREM y\r\nz");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("cutting lines at a character, and the AutoLisp indent, outdent and comment") {
    gui::App app;
    app.setText("a~b\r\nnone\r\nc~d~e");
    app.select(0, 16);
    SUBCASE("the default ~ cuts from the first tilde, on the final line to the end of the text") {
        gui::ExpectDialog("Zeilen abschneiden ab Zeichen", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "Ab welchem Zeichen sollen die Zeilen abgeschnitten werden ?");
            CHECK(gui::ItemText(d, IDC_LINE_NUMBER) == "~");
            CHECK(GetFocus() == GetDlgItem(d, IDC_LINE_NUMBER));
            gui::Press(d, IDOK);
        });
        app.command(CMD_CUTFROMCHAR);
        CHECK(app.text() == "a\r\nnone\r\nc");
        CHECK(WholeTextSelected(app));
    }
    SUBCASE("only the first character of the field counts; an empty field does nothing") {
        gui::ExpectDialog("Zeilen abschneiden ab Zeichen", NumberField("no"));
        app.command(CMD_CUTFROMCHAR);
        CHECK(app.text() == "a~b\r\n\r\nc~d~e");
        app.select(2, 3);
        gui::ExpectDialog("Zeilen abschneiden ab Zeichen", NumberField(""));
        app.command(CMD_CUTFROMCHAR);
        CHECK(app.text() == "a~b\r\n\r\nc~d~e");
        CHECK(app.selection() == std::make_pair(2, 3));
    }
    SUBCASE("indent by two, outdent by two (also on empty lines), insert the comment") {
        app.setText("(a)\r\n\r\n(b)");
        app.select(0, 10);
        app.command(CMD_LSP_INDENT);
        CHECK(app.text() == "  (a)\r\n  \r\n  (b)");
        app.command(CMD_LSP_COMMENT);
        CHECK(app.text() == ";   (a)\r\n;   \r\n;   (b)");
        app.command(CMD_LSP_OUTDENT);
        app.command(CMD_LSP_OUTDENT);
        app.command(CMD_LSP_OUTDENT);
        CHECK(app.text() == ")\r\n\r\n)");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("column commands: fill, copy and cap through their dialogs") {
    gui::App app;
    SUBCASE("filling at the back to 10 appends blanks to short lines only, not to the final line") {
        app.setText("abc\r\nabcdefghijkl\r\nxy");
        app.select(0, 21);
        gui::ExpectDialog("Hinten Spalten auffüllen", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) ==
                  "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen hinten gefüllt werden ?");
            CHECK(gui::ItemText(d, IDC_LINE_NUMBER) == "0");
            NumberField("10")(d);
        });
        app.command(CMD_FILLBACK);
        CHECK(app.text() == "abc       \r\nabcdefghijkl\r\nxy");
        CHECK(WholeTextSelected(app));
    }
    SUBCASE("filling in front: 255 blanks at most, a width of 0 does nothing") {
        app.setText("\r\n\r\n");
        app.select(0, 0);
        gui::ExpectDialog("Vorne Spalten auffüllen", NumberField("255"));
        app.command(CMD_FILLFRONT);
        CHECK(app.text() == std::string(255, ' ') + "\r\n\r\n");
        app.select(257, 257);
        gui::ExpectDialog("Vorne Spalten auffüllen", NumberField("300"));
        app.command(CMD_FILLFRONT);
        CHECK(app.text() == std::string(255, ' ') + "\r\n\r\n");
        gui::ExpectDialog("Vorne Spalten auffüllen", NumberField("0"));
        app.command(CMD_FILLFRONT);
        CHECK(app.text() == std::string(255, ' ') + "\r\n\r\n");
    }
    SUBCASE("copying columns 2 to 4 with | to the front and to the back; the defaults change nothing") {
        app.setText("abcdef\r\nabc\r\n");
        app.select(0, 0);
        gui::ExpectDialog("Spalten nach vorne kopieren", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) == "Welcher Spaltenbereich soll nach vorne kopiert werden ?\n\n"
                                           "Beginnzeichen und Endzeichen je Zeile angeben.");
            CHECK(gui::ItemText(d, IDC_LINE_LEFT) == " ");
            CHECK(gui::ItemText(d, IDC_COLUMN_BEGIN) == "1");
            CHECK(gui::ItemText(d, IDC_COLUMN_END) == "1");
            Columns("|", "2", "4")(d);
        });
        app.command(CMD_COLCOPYFRONT);
        CHECK(app.text() == "bcd|abcdef\r\nabc\r\n");
        app.setText("abcdef\r\nabc\r\n");
        app.select(0, 11);
        gui::ExpectDialog("Spalten nach hinten kopieren", Columns("|", "2", "4"));
        app.command(CMD_COLCOPYBACK);
        CHECK(app.text() == "abcdef|bcd\r\nabc\r\n");
        gui::ExpectDialog("Spalten nach hinten kopieren", [](HWND d) { gui::Press(d, IDOK); });
        app.command(CMD_COLCOPYBACK);
        CHECK(app.text() == "abcdef|bcd\r\nabc\r\n");
        CHECK(WholeTextSelected(app));
    }
    SUBCASE("capping to 3 keeps the end in front and the start at the back, the final line too") {
        app.setText("abcdef\r\nab\r\nuvwxyz");
        app.select(0, 18);
        gui::ExpectDialog("Vorne Spalten kappen", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_LINE_PROMPT) ==
                  "Auf wieviele Stellen Spaltenbreite, sollen die Zeilen vorne gekappt werden ?");
            NumberField("3")(d);
        });
        app.command(CMD_CAPFRONT);
        CHECK(app.text() == "def\r\nab\r\nxyz");
        app.setText("abcdef\r\nab\r\nuvwxyz");
        app.select(0, 18);
        gui::ExpectDialog("Hinten Spalten kappen", NumberField("3"));
        app.command(CMD_CAPBACK);
        CHECK(app.text() == "abc\r\nab\r\nuvw");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a full edit control stops the run: message once, lines before changed, the next command runs") {
    gui::App app;
    // Five lines of 5 characters after a filler line; 29988 characters in all.
    const std::string filler(29988 - 5 * 7, 'f');
    const std::string text = filler + "\r\naaaaa\r\nbbbbb\r\nccccc\r\nddddd\r\neeeee";
    REQUIRE(text.size() == 29988);
    app.setText(text);
    const int second = static_cast<int>(filler.size()) + 2;
    app.select(second, static_cast<int>(text.size()));
    gui::ExpectDialog("Zeilenoperation", InputText("12345"));
    gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
    app.command(CMD_INSERTFRONT);
    // 29988 + 5 + 5 leaves room for two more characters: the third line
    // would pass the limit, so it stays whole and the run stops at its start.
    const std::string stopped = filler + "\r\n12345aaaaa\r\n12345bbbbb\r\nccccc\r\nddddd\r\neeeee";
    CHECK((app.text() == stopped));
    CHECK(app.text().size() == 29998);
    CHECK(!tessel::lineops::CapacityReached());
    const int caret = second + 12 + 12;
    CHECK(app.selection() == std::make_pair(caret, caret));
    CHECK(tessel::document::Modified());

    SUBCASE("the next line command runs normally and selects the whole text") {
        app.command(CMD_LSP_OUTDENT);  // on the caret's line
        CHECK((app.text() == filler + "\r\n12345aaaaa\r\n12345bbbbb\r\nccc\r\nddddd\r\neeeee"));
        CHECK(WholeTextSelected(app));
    }
    SUBCASE("undo takes the whole stopped run back in one step") {
        app.command(CMD_UNDO);
        CHECK((app.text() == text));
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a capacity flag left by typing does not stop the next line command") {
    gui::App app;
    app.setText(std::string(29999, 'a') + "\r\n");
    SendMessageA(app.edit(), EM_SETSEL, 30001, 30001);
    gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
    app.type("xy");  // only the limit is left: the edit control reports it is full
    REQUIRE(tessel::lineops::CapacityReached());
    const std::string full = app.text();
    app.select(0, 1);
    app.command(CMD_LSP_OUTDENT);  // the command starts with the flag clear
    CHECK(app.text().size() == full.size() - 2);
    CHECK(WholeTextSelected(app));
    CHECK(!tessel::lineops::CapacityReached());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("extreme texts: empty, one line of 30000 characters, a text loaded above the limit") {
    gui::App app;
    SUBCASE("an empty document has one empty line") {
        app.setText("");
        gui::ExpectDialog("Zeilenoperation", InputText("x"));
        app.command(CMD_APPENDBACK);
        CHECK(app.text() == "x");
        app.setText("");
        for (unsigned id : {CMD_BLANKSFRONT, CMD_BLANKSBACK, CMD_LSP_OUTDENT}) app.command(id);
        gui::ExpectDialog("Zeilen hinten kürzen", NumberField("3"));
        app.command(CMD_CUTBACK);
        gui::ExpectDialog("Spalten nach vorne kopieren", Columns("|", "1", "3"));
        app.command(CMD_COLCOPYFRONT);
        CHECK(app.text() == "");
        CHECK_FALSE(tessel::document::Modified());
    }
    SUBCASE("a single line of 30000 characters: removing works, inserting reports the full control") {
        app.setText(std::string(30000, 'x'));
        app.select(0, 30000);
        app.command(CMD_LSP_OUTDENT);
        CHECK((app.text() == std::string(29998, 'x')));
        app.setText(std::string(30000, 'x'));
        gui::ExpectMessage("Tessel", kFull, MB_ICONERROR);
        app.command(CMD_LSP_INDENT);
        CHECK((app.text() == std::string(30000, 'x')));
        CHECK(!tessel::lineops::CapacityReached());
    }
    SUBCASE("a text loaded above the limit loses exactly what a removal removes, without a message") {
        std::string big;
        while (big.size() < 32000) big += "  line\r\n";
        app.setText(big);
        app.select(0, 9);  // the first two lines; the text stays above the limit
        app.command(CMD_BLANKSFRONT);
        CHECK((app.text() == "line\r\nline\r\n" + big.substr(16)));
        CHECK(WholeTextSelected(app));
        app.select(0, static_cast<int>(big.size()));
        app.command(CMD_BLANKSFRONT);
        std::string expected;
        while (expected.size() < 32000 - 2 * (32000 / 8)) expected += "line\r\n";
        CHECK((app.text() == expected));
        CHECK(!tessel::lineops::CapacityReached());
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the input dialog: initial text, 63 characters, empty OK, cancel keeps the buffer, icons") {
    gui::App app;
    char buffer[tessel::inputdialog::kInputBufferSize] = "vorher";
    gui::ExpectDialog("Titel", [](HWND d) {
        CHECK(gui::ItemText(d, IDC_INPUT_EDIT) == "vorher");
        CHECK(gui::ItemText(d, IDC_INPUT_PROMPT) == "Frage\nzweite Zeile");
        CHECK(SendDlgItemMessageA(d, 101, EM_GETLIMITTEXT, 0, 0) == 63);
        gui::SetItemText(d, IDC_INPUT_EDIT, "");
        gui::Press(d, IDOK);
    });
    CHECK(tessel::inputdialog::InputDialog(app.main(), buffer, "Frage\nzweite Zeile", "Titel", 0) == 1);
    CHECK(std::string(buffer) == "");

    std::strcpy(buffer, "bleibt");
    struct IconCase {
        int selector;
        const char* name;
    };
    for (const IconCase c : {IconCase{tessel::inputdialog::kInputIconInfo, "ICONINFO"},
                             IconCase{tessel::inputdialog::kInputIconStop, "ICONSTOP"},
                             IconCase{tessel::inputdialog::kInputIconQuestion, "ICONFRAG"}}) {
        CAPTURE(c.name);
        gui::ExpectDialog("Eingabe", [&c](HWND d) {
            // The placeholder shows exactly the chosen icon: what the dialog
            // paints equals that icon drawn there, and differs from nothing.
            HWND holder = GetDlgItem(d, IDC_INPUT_ICON);
            RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const std::vector<COLORREF> shown = HolderPixels(holder);
            auto icon = static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), c.name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
            CHECK(icon != nullptr);
            CHECK(shown == DrawnPixels(holder, icon));
            CHECK(shown != DrawnPixels(holder, nullptr));
            if (icon) DestroyIcon(icon);
            gui::SetItemText(d, IDC_INPUT_EDIT, "anders");
            PostMessageA(d, WM_CLOSE, 0, 0);
        });
        CHECK(tessel::inputdialog::InputDialog(app.main(), buffer, "", "Eingabe", c.selector) == 0);
        CHECK(std::string(buffer) == "bleibt");
    }

    SUBCASE("64 characters typed into the buffer's room are cut to 63") {
        gui::ExpectDialog("Eingabe", [](HWND d) {
            gui::SetItemText(d, IDC_INPUT_EDIT, std::string(64, 'z'));
            gui::Press(d, IDOK);
        });
        CHECK(tessel::inputdialog::InputDialog(app.main(), buffer, "", "Eingabe", 0) == 1);
        CHECK(std::string(buffer) == std::string(63, 'z'));
    }
    SUBCASE("without its template the dialog cannot be created: -1") {
        HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA("kernel32.dll"), nullptr);
        REQUIRE(stranger);
        CHECK(tessel::inputdialog::InputDialog(stranger, buffer, "", "Eingabe", 0) == -1);
        DestroyWindow(stranger);
    }
    CHECK_DIALOGS_ANSWERED();
}
