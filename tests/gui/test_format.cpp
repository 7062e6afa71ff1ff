// The font dialog (command 40) and the colour chooser (commands 42 and 43):
// what the dialogs hand back, what the edit control shows, and what the
// settings file keeps after exit.
#include <string>

#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "ui/colourdialog_win.h"
#include "ui/colours_win.h"
#include "ui/font_win.h"

namespace {

const char kFontCaption[] = "Font";   // the platform's font dialog
const int kStrikeOut = 0x410;         // chx1
const int kUnderline = 0x411;         // chx2
const int kColourCombo = 0x473;       // cmb4

void Tick(HWND d, int id) {
    CheckDlgButton(d, id, BST_CHECKED);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

LOGFONTA EditFont(HWND edit) {
    LOGFONTA lf{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    if (font) GetObjectA(font, sizeof lf, &lf);
    return lf;
}

// A click in the middle of swatch `id`, as the dialog receives it: the
// swatch lets it through to the dialog.
void ClickSwatch(HWND d, int id) {
    HWND swatch = GetDlgItem(d, id);
    RECT r;
    GetWindowRect(swatch, &r);
    POINT screen{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    CHECK(SendMessageA(swatch, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT);
    POINT p = screen;
    ScreenToClient(d, &p);
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

}  // namespace

TEST_CASE("the font dialog: underline and strike-out reach the edit control and LGF07/LGF08; its colour does not") {
    std::string face;
    {
        gui::App app;
        const COLORREF text = tessel::colours::Text();
        SUBCASE("cancelled: nothing changes") {
            gui::ExpectDialog(kFontCaption, [](HWND d) {
                Tick(d, kUnderline);
                gui::Press(d, IDCANCEL);
            });
            app.command(CMD_FONT);
            CHECK(tessel::font::Record().lfUnderline == 0);
            CHECK(EditFont(app.edit()).lfUnderline == 0);
            CHECK(std::string(tessel::font::Record().lfFaceName) == "Fixedsys");
        }
        SUBCASE("confirmed") {
            gui::ExpectDialog(kFontCaption, [](HWND d) {
                Tick(d, kUnderline);
                Tick(d, kStrikeOut);
                // A colour in the effects group: kept for the dialog, never the text's.
                SendDlgItemMessageA(d, kColourCombo, CB_SETCURSEL, 1, 0);
                SendMessageA(d, WM_COMMAND, MAKEWPARAM(kColourCombo, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(GetDlgItem(d, kColourCombo)));
                gui::Press(d, IDOK);
            });
            app.command(CMD_FONT);
            CHECK(tessel::font::Record().lfUnderline == 1);
            CHECK(tessel::font::Record().lfStrikeOut == 1);
            const LOGFONTA shown = EditFont(app.edit());
            CHECK(shown.lfUnderline == 1);
            CHECK(shown.lfStrikeOut == 1);
            CHECK(tessel::font::EffectsColour() != 0);
            CHECK(tessel::colours::Text() == text);
            face = tessel::font::Record().lfFaceName;
            CHECK(app.close());
            CHECK(gui::IniValue("LOGFONT", "LGF07") == "1");
            CHECK(gui::IniValue("LOGFONT", "LGF08") == "1");
            CHECK(gui::IniValue("LOGFONT", "LGF14") == face);
            // The next run starts with that font.
            gui::App again("", true);
            CHECK(EditFont(again.edit()).lfUnderline == 1);
            CHECK(tessel::font::EffectsColour() == 0);   // not kept across runs
        }
        CHECK_DIALOGS_ANSWERED();
    }
}

TEST_CASE("the colour chooser: swatches, the fixed entry 19, cancel, and the colours in the settings file") {
    gui::App app;
    const COLORREF text = tessel::colours::Text();
    gui::ExpectDialog("Hintergrundfarbe", [](HWND d) {
        CHECK(gui::ItemText(d, IDC_CC_LABEL) == "Gewählt :");
        SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));   // the background: nothing
        ClickSwatch(d, 213);
        gui::Press(d, IDOK);
    });
    app.command(CMD_BKCOLOR);
    CHECK(tessel::colours::Background() == 0x00FF00FF);

    gui::ExpectDialog("Textfarbe", [](HWND d) {
        ClickSwatch(d, 200);
        ClickSwatch(d, 209);
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTCOLOR);
    CHECK(tessel::colours::Text() == text);

    gui::ExpectDialog("Textfarbe", [](HWND d) {
        ClickSwatch(d, 219);
        gui::Press(d, IDOK);
    });
    app.command(CMD_TEXTCOLOR);
    CHECK(tessel::colours::Text() == 0x00C0DCC0);

    // Entries 16 to 18 follow the system colours; closing the window cancels.
    COLORREF colour = 0x00123456;
    gui::ExpectDialog("Textfarbe", [](HWND d) {
        ClickSwatch(d, 216);
        gui::Press(d, IDOK);
    });
    CHECK(tessel::colourdialog::ChooseColour(app.main(), colour, nullptr) == 1);   // the title is kept
    CHECK(colour == GetSysColor(COLOR_APPWORKSPACE));
    colour = 0x00123456;   // a colour that is no swatch comes back as it is
    gui::ExpectDialog("Probe", [](HWND d) { gui::Press(d, IDOK); });
    CHECK(tessel::colourdialog::ChooseColour(app.main(), colour, "Probe") == 1);
    CHECK(colour == 0x00123456);
    gui::ExpectDialog("Probe", [](HWND d) {
        ClickSwatch(d, 215);
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    CHECK(tessel::colourdialog::ChooseColour(app.main(), colour, nullptr) == 0);
    CHECK(colour == 0x00123456);

    CHECK(app.close());
    CHECK(gui::IniValue("EDITCOLORS", "BCOL") == "0x00FF00FF");
    CHECK(gui::IniValue("EDITCOLORS", "FCOL") == "0x00C0DCC0");
    CHECK_DIALOGS_ANSWERED();
}
