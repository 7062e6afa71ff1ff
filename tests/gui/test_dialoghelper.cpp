// The shared dialog helper: the record travels through lParam, OK returns it,
// cancel and close return nothing, and an out-of-memory inside a dialog is
// reported and cancels instead of unwinding through the platform.
#include <new>
#include <string>

#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "core/dialogutil_win.h"

namespace {

struct Field {
    std::string text;
};

const tessel::dialogutil::DialogKind<Field> kField{
    "INPUT", IDC_INPUT_ICON,
    [](HWND d, Field& r) -> BOOL {
        SetWindowTextA(d, "Helfer");
        SetDlgItemTextA(d, IDC_INPUT_EDIT, r.text.c_str());
        return TRUE;
    },
    [](HWND d, Field& r) {
        r.text = tessel::dialogutil::ItemText(d, IDC_INPUT_EDIT);
        return r.text != "nein";  // a read that refuses keeps the dialog open
    }};

const tessel::dialogutil::DialogKind<Field> kThrowing{
    "INPUT", IDC_INPUT_ICON,
    [](HWND, Field&) -> BOOL { throw std::bad_alloc(); },
    nullptr};

}  // namespace

TEST_CASE("the dialog helper returns the record on OK and nothing on cancel or close") {
    gui::App app;
    SUBCASE("OK") {
        gui::ExpectDialog("Helfer", [](HWND d) {
            CHECK(gui::ItemText(d, IDC_INPUT_EDIT) == "start");
            gui::SetItemText(d, IDC_INPUT_EDIT, "neu");
            gui::Press(d, IDOK);
        });
        const auto r = tessel::dialogutil::Ask(app.main(), kField, Field{"start"});
        REQUIRE(r.has_value());
        CHECK(r->text == "neu");
    }
    SUBCASE("a refused read keeps the dialog open") {
        gui::ExpectDialog("Helfer", [](HWND d) {
            gui::SetItemText(d, IDC_INPUT_EDIT, "nein");
            gui::Press(d, IDOK);
            gui::Press(d, IDCANCEL);
        });
        CHECK_FALSE(tessel::dialogutil::Ask(app.main(), kField, Field{"start"}).has_value());
    }
    SUBCASE("closing the window is cancel") {
        gui::ExpectDialog("Helfer", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
        CHECK_FALSE(tessel::dialogutil::Ask(app.main(), kField, Field{"x"}).has_value());
    }
    SUBCASE("out of memory in the dialog is reported and cancels") {
        gui::ExpectMessage("Tessel", "Unzureichender Speicher", MB_ICONERROR);
        CHECK_FALSE(tessel::dialogutil::Ask(app.main(), kThrowing, Field{}).has_value());
    }
    CHECK_DIALOGS_ANSWERED();
}
