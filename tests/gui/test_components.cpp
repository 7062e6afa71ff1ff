// The window components: status bar, toolbar with its picture strip, the
// bitmap loader on the program's own resources, and the about box.
#include <string>
#include <vector>

#include "app/mainwindow_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "ui/about.h"
#include "ui/bitmap_win.h"
#include "ui/statusbar_win.h"
#include "ui/toolbar_win.h"
#include "version.h"

namespace {

namespace toolbar = tessel::toolbar;
namespace statusbar = tessel::statusbar;

// A window's client area as the screen shows it, read back through a DIB.
struct Capture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
    explicit Capture(HWND wnd) {
        UpdateWindow(wnd);
        RECT r;
        GetClientRect(wnd, &r);
        width = r.right;
        height = r.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = GetDC(wnd);
        HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        pixels.assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(dib);
        ReleaseDC(wnd, screen);
    }
    // As a COLORREF, to compare with GetSysColor.
    COLORREF at(int x, int y) const {
        const DWORD p = pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Mouse messages as the toolbar gets them.
void Mouse(UINT msg, WPARAM keys, int x, int y) {
    SendMessageA(toolbar::MainWindow(), msg, keys, At(x, y));
    gui::Pump();
}

constexpr int kCopyX = 6 + 10 * 24 + 12;  // the middle of slot 10, Copy
constexpr int kCutX = 6 + 9 * 24 + 12;
constexpr int kMiddleY = 18;

}  // namespace

TEST_CASE("status bar: placed below a 640x480 client, framed and lettered as the main window asks") {
    gui::App app;
    HWND bar = statusbar::MainWindow();
    REQUIRE(bar);
    CHECK(GetParent(bar) == app.main());
    char cls[64] = {};
    GetClassNameA(bar, cls, sizeof cls);
    CHECK(std::string(cls) == "MyTesselStatusBar");

    SendMessageA(app.main(), WM_SIZE, SIZE_RESTORED, At(640, 480));
    CHECK(Show(ChildRect(bar)) == "0,456,640,480");
    CHECK(Same(statusbar::TextRect(), RECT{16, 3, 624, 21}));
    CHECK(Same(statusbar::FrameRect(), RECT{12, 2, 628, 22}));
    CHECK(statusbar::Main().lastWidth == 640);
    CHECK(statusbar::Main().lastHeight == 480);
    LOGFONTA lf{};
    REQUIRE(GetObjectA(statusbar::Font(), sizeof lf, &lf) == sizeof lf);
    CHECK(lf.lfHeight == 16);
    CHECK(lf.lfWeight == FW_BOLD);
    CHECK((lf.lfPitchAndFamily & 0xF0) == FF_SWISS);

    // The sunken frame: shadow on the left and top, highlight right and bottom,
    // and the light edge along the bar's top.
    const Capture shot(bar);
    CHECK(shot.at(12, 10) == GetSysColor(COLOR_BTNSHADOW));
    CHECK(shot.at(300, 2) == GetSysColor(COLOR_BTNSHADOW));
    CHECK(shot.at(628, 10) == GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(shot.at(300, 22) == GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(shot.at(300, 0) == GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(shot.at(0, 10) == GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(shot.at(6, 10) == GetSysColor(COLOR_BTNFACE));

    SUBCASE("the edit control fills the space between the bars") {
        CHECK(Show(ChildRect(app.edit())) == "0,39,640,455");
        CHECK(Show(ChildRect(toolbar::MainWindow())) == "0,2,300,38");
    }
    SUBCASE("placement 2 puts the bar at the top; style 256 leaves out the frame but not the edges") {
        statusbar::Main().placement = statusbar::kTop;
        statusbar::Main().style = statusbar::kFlat;
        statusbar::Layout(statusbar::Main(), 640, 480);
        CHECK(Show(ChildRect(bar)) == "0,0,640,24");
        const Capture flat(bar);
        CHECK(flat.at(12, 10) == GetSysColor(COLOR_BTNFACE));
        CHECK(flat.at(628, 10) == GetSysColor(COLOR_BTNFACE));
        CHECK(flat.at(300, 0) == GetSysColor(COLOR_BTNHIGHLIGHT));
        CHECK(flat.at(0, 10) == GetSysColor(COLOR_BTNHIGHLIGHT));
        // A text longer than the bar is cut at the text rectangle, on one line.
        char longer[64];
        statusbar::Format(longer, 65535, 65535, 30000);
        statusbar::SetText(longer);
        statusbar::Refresh();
        SendMessageA(app.main(), WM_SIZE, SIZE_RESTORED, At(200, 480));
        const Capture cut(bar);
        for (int y = 0; y < cut.height; ++y) CHECK(cut.at(cut.width - 16, y) != RGB(0, 0, 0));
    }
    SUBCASE("a zero-sized client area and a layout without a window do no harm") {
        SendMessageA(app.main(), WM_SIZE, SIZE_RESTORED, 0);
        CHECK(Show(ChildRect(bar)) == "0,-24,0,0");
        statusbar::Descriptor none;
        statusbar::Layout(none, 640, 480);
        CHECK(none.placement == statusbar::kNone);
        toolbar::Descriptor noToolbar;
        toolbar::Layout(noToolbar, 300, 480);
        CHECK(noToolbar.placement == toolbar::kNone);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("status bar: the start text, then the caret after typing and after F11, painted at once") {
    gui::App app;
    CHECK(std::string(statusbar::Text()) == "Zeile : 1 - Spalte : 1");
    const Capture before(statusbar::MainWindow());

    // A typed key: the key-down shows the caret before the character, the
    // key-up the caret after it.
    SendMessageA(app.edit(), WM_KEYDOWN, 'X', 0);
    SendMessageA(app.edit(), WM_CHAR, 'x', 0);
    SendMessageA(app.edit(), WM_KEYUP, 'X', 0xC0000001);
    CHECK(std::string(statusbar::Text()) == "Zeile : 1 - Spalte : 2               1 Byte");
    const Capture typed(statusbar::MainWindow());
    CHECK(typed.pixels != before.pixels);

    app.setText("eins\r\nzwei\r\ndrei");
    app.select(13, 13);
    MSG key{app.edit(), WM_KEYDOWN, VK_F11, 0x00570001, 0, {}};
    tessel::mainwindow::ProcessMessage(key);  // the accelerator turns F11 into command 600
    CHECK(std::string(statusbar::Text()) == "Zeile : 3 - Spalte : 2               16 Byte");
    const Capture f11(statusbar::MainWindow());
    CHECK(f11.pixels != typed.pixels);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("toolbar: buttons in steps of 24, grooves at the separators, pictures through the mask") {
    gui::App app;
    HWND bar = toolbar::MainWindow();
    REQUIRE(bar);
    char cls[64] = {};
    GetClassNameA(bar, cls, sizeof cls);
    CHECK(std::string(cls) == "MyTesselToolBar");
    CHECK(Show(ChildRect(bar)) == "0,2,300,38");

    const toolbar::Descriptor& d = toolbar::Main();
    for (int i = 0; i < 12; ++i) {
        CAPTURE(i);
        const bool separator = i == 3 || i == 8;
        const RECT expected = separator ? RECT{0, 0, 0, 0} : RECT{6 + 24 * i, 6, 30 + 24 * i, 30};
        CHECK(Show(d.buttons[i]) == Show(expected));
    }
    CHECK(d.slotCommands[0] == CMD_NEW);
    CHECK(d.slotCommands[11] == CMD_PASTE);
    REQUIRE(d.picture.loaded);
    CHECK(d.picture.width == 288);
    CHECK(d.picture.height == 24);
    CHECK(d.picture.colourCount == 16);

    const Capture shot(bar);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int x : {90, 210}) {
        CAPTURE(x);
        for (int y = 8; y < 28; ++y) {
            CHECK(shot.at(x, y) == shadow);
            CHECK(shot.at(x + 1, y) == light);
        }
        CHECK(shot.at(x, 7) == face);
        CHECK(shot.at(x, 28) == face);
    }
    // Magenta never reaches the screen; the pictures' own pixels do.
    for (DWORD p : shot.pixels) REQUIRE((p & 0xFFFFFF) != 0xFF00FF);
    CHECK(shot.at(7, 7) == face);                // a transparent corner of New
    CHECK(shot.at(6 + 5, 6 + 3) == RGB(0, 0, 0));  // the page's outline
    CHECK(shot.at(6 + 8, 6 + 10) == RGB(255, 255, 255));
    CHECK(shot.at(6 + 24 + 10, 6 + 15) == RGB(255, 255, 0));  // the folder of Open

    SUBCASE("hover draws a raised frame, which leaving the toolbar removes") {
        Mouse(WM_MOUSEMOVE, 0, 10, 10);
        const Capture hover(bar);
        CHECK(hover.at(6, 15) == light);
        CHECK(hover.at(15, 6) == light);
        CHECK(hover.at(30, 15) == shadow);
        CHECK(hover.at(15, 30) == shadow);
        CHECK(hover.at(54, 15) == face);  // the next button has none

        // Moving on to the next button moves the frame.
        Mouse(WM_MOUSEMOVE, 0, 40, 10);
        const Capture moved(bar);
        CHECK(moved.at(6, 15) == face);
        CHECK(moved.at(30, 15) == light);
        CHECK(moved.at(54, 15) == shadow);

        // Into the edit control, within its top 36 pixels.
        SendMessageA(app.edit(), WM_MOUSEMOVE, 0, At(40, 10));
        const Capture left(bar);
        CHECK(left.at(30, 15) == face);
        CHECK(left.at(54, 15) == face);
        CHECK(d.active.left == d.active.right);

        // And over the non-client area of the main window.
        Mouse(WM_MOUSEMOVE, 0, 10, 10);
        CHECK(Capture(bar).at(6, 15) == light);
        SendMessageA(app.main(), WM_NCMOUSEMOVE, HTCAPTION, 0);
        CHECK(Capture(bar).at(6, 15) == face);
    }
    SUBCASE("a press shows a sunken frame") {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
        const Capture pressed(bar);
        CHECK(pressed.at(6, 15) == shadow);
        CHECK(pressed.at(30, 15) == light);
        // Released off every button: nothing is sent, the repaint clears it.
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, 100, 10);
        Mouse(WM_LBUTTONUP, 0, 100, 10);
        CHECK(Capture(bar).at(6, 15) == face);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("toolbar clicks: release inside the pressed button only, never on a separator or past the end") {
    gui::App app;
    app.setText("Kachel");
    app.select(0, 6);
    gui::SetClipboard(nullptr);

    SUBCASE("a click sends the button's command and leaves no frame") {
        Mouse(WM_MOUSEMOVE, 0, kCopyX, kMiddleY);
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, kCopyX, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, kCopyX, kMiddleY);
        CHECK(gui::ClipboardText() == "Kachel");
        CHECK(Capture(toolbar::MainWindow()).at(6 + 240, 15) == GetSysColor(COLOR_BTNFACE));
    }
    SUBCASE("press, drag off, release elsewhere: nothing; not even over another button") {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, kCopyX, kMiddleY);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, kCutX, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, kCutX, kMiddleY);
        CHECK(gui::ClipboardText().empty());
        CHECK(app.text() == "Kachel");
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, kCopyX, kMiddleY);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, 150, 33);
        Mouse(WM_LBUTTONUP, 0, 150, 33);
        CHECK(gui::ClipboardText().empty());
    }
    SUBCASE("a release without a press in the toolbar fires nothing, hovered or not") {
        // As when a double-click closes a dialog that lay over the toolbar.
        Mouse(WM_MOUSEMOVE, 0, kCopyX, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, kCopyX, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, kCopyX, kMiddleY);
        CHECK(gui::ClipboardText().empty());
        // A press on Cut, dragged over Copy while hovering drew it: nothing.
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, kCutX, kMiddleY);
        CHECK(GetCapture() == toolbar::MainWindow());
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, kCopyX, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, kCopyX, kMiddleY);
        CHECK(GetCapture() == nullptr);
        Mouse(WM_LBUTTONUP, 0, kCutX, kMiddleY);
        CHECK(gui::ClipboardText().empty());
        CHECK(app.text() == "Kachel");
    }
    SUBCASE("dragging back onto the pressed button before releasing sends it") {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, kCopyX, kMiddleY);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, kCopyX, 33);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, kCopyX + 3, kMiddleY);
        CHECK(Capture(toolbar::MainWindow()).at(6 + 240, 15) == GetSysColor(COLOR_BTNSHADOW));
        Mouse(WM_LBUTTONUP, 0, kCopyX + 3, kMiddleY);
        CHECK(gui::ClipboardText() == "Kachel");
    }
    SUBCASE("separators and the space after the last slot do nothing") {
        for (int x : {90, 210, 296, 299}) {
            Mouse(WM_MOUSEMOVE, 0, x, kMiddleY);
            Mouse(WM_LBUTTONDOWN, MK_LBUTTON, x, kMiddleY);
            Mouse(WM_LBUTTONUP, 0, x, kMiddleY);
        }
        CHECK(gui::ClipboardText().empty());
        CHECK(app.text() == "Kachel");
    }
    SUBCASE("Undo from the toolbar undoes the last typing") {
        app.select(6, 6);
        app.type("!");
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 6 + 7 * 24 + 12, kMiddleY);
        Mouse(WM_LBUTTONUP, 0, 6 + 7 * 24 + 12, kMiddleY);
        CHECK(app.text() == "Kachel");
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("toolbar registry: too many slots or an instance number past the registry create nothing") {
    gui::App app;
    toolbar::Descriptor d;
    d.instance = GetModuleHandleA(nullptr);
    d.parent = app.main();
    d.className = "TesselTestToolBar";
    d.bitmapName = "TOOLBAR";  // the OS/2 copy of the strip
    d.slotCount = 17;
    CHECK(toolbar::Create(d) == nullptr);
    CHECK(d.window == nullptr);
    d.slotCount = 2;
    d.instanceNumber = 32;
    CHECK(toolbar::Create(d) == nullptr);

    SUBCASE("a second toolbar shares the pens; destroying it leaves the first one drawing") {
        d.instanceNumber = 1;
        d.placement = toolbar::kLeft;
        d.slotCommands[0] = CMD_NEW;
        d.slotCommands[1] = toolbar::kSeparator;
        HWND second = toolbar::Create(d);
        REQUIRE(second);
        REQUIRE(d.picture.loaded);  // the OS/2 header read into the same record
        CHECK(d.picture.width == 288);
        CHECK(d.picture.colourCount == 16);
        CHECK(Show(d.buttons[0]) == "6,6,30,30");
        toolbar::Layout(d, 300, 200);
        CHECK(Show(ChildRect(second)) == "0,0,36,200");
        DestroyWindow(second);
        toolbar::Unregister(d);
        UpdateWindow(toolbar::MainWindow());  // repaint what the second one covered first
        Mouse(WM_MOUSEMOVE, 0, 10, 10);
        CHECK(Capture(toolbar::MainWindow()).at(6, 15) == GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    SUBCASE("placements 2 and 8: a column, its pictures one below the other") {
        // The strip is one row of cells; a column shows cell i in slot i.
        for (const unsigned placement : {unsigned{toolbar::kLeft}, unsigned{toolbar::kRight}}) {
            CAPTURE(placement);
            d.instanceNumber = 3;
            d.placement = placement;
            d.slotCount = 3;
            d.slotCommands[0] = CMD_NEW;
            d.slotCommands[1] = CMD_OPEN;
            d.slotCommands[2] = CMD_SAVE;
            HWND column = toolbar::Create(d);
            REQUIRE(column);
            toolbar::Layout(d, 300, 200);
            CHECK(Show(ChildRect(column)) == (placement == toolbar::kLeft ? "0,0,36,200" : "264,0,300,200"));
            CHECK(Show(d.buttons[1]) == "6,30,30,54");
            const Capture shot(column);
            CHECK(shot.at(6 + 5, 6 + 3) == RGB(0, 0, 0));                // New's page in slot 0
            CHECK(shot.at(6 + 10, 6 + 24 + 15) == RGB(255, 255, 0));     // Open's folder in slot 1
            CHECK(shot.at(6 + 10, 6 + 15) != RGB(255, 255, 0));
            DestroyWindow(column);
            toolbar::Unregister(d);
        }
    }
    SUBCASE("placement 1 creates no window") {
        d.instanceNumber = 2;
        d.placement = toolbar::kNone;
        CHECK(toolbar::Create(d) == nullptr);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("bitmap loader on the program's resources: fitting the kite, failures empty the record") {
    gui::App app;
    tessel::bitmap::Record r;
    REQUIRE(tessel::bitmap::Load(app.main(), "MYKITE", r) == 1);
    CHECK(r.width == 110);
    CHECK(r.height == 104);
    CHECK(r.colourCount == 256);

    // A device bitmap and mask of an empty record are never built.
    tessel::bitmap::Record empty;
    CHECK(tessel::bitmap::Load(app.main(), "NOSUCHBITMAP", empty) == 0);
    CHECK_FALSE(empty.loaded);
    CHECK(tessel::bitmap::MakeDeviceBitmap(app.main(), nullptr, empty) == nullptr);
    CHECK(tessel::bitmap::MakeMask(nullptr, tessel::bitmap::kKeyColour) == nullptr);
    // A resource of the type that is no bitmap at all ("HELPTEXT" is text).
    CHECK(tessel::bitmap::Load(app.main(), "HELPTEXT", empty) == 0);

    // Fitted into 60 x 60 on a white memory bitmap: 60 x 56 drawn, the rest white.
    HDC screen = GetDC(app.main());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 60, 60);
    HGDIOBJ old = SelectObject(dc, target);
    PatBlt(dc, 0, 0, 60, 60, WHITENESS);
    CHECK(tessel::bitmap::Draw(dc, app.main(), r, 0, 0, 0, 0, 60, 60, tessel::bitmap::kFitted, nullptr, nullptr) == 1);
    CHECK(GetPixel(dc, 0, 0) == RGB(70, 130, 220));  // the sky's top
    CHECK(GetPixel(dc, 59, 55) != RGB(255, 255, 255));
    CHECK(GetPixel(dc, 30, 56) == RGB(255, 255, 255));
    // Mode -1003 with a part beyond the bitmap and -1004 with a zero divisor draw nothing.
    PatBlt(dc, 0, 0, 60, 60, WHITENESS);
    tessel::bitmap::Draw(dc, app.main(), r, 10, 5, 100, 100, 60, 60, tessel::bitmap::kPartFitted, nullptr, nullptr);
    tessel::bitmap::Draw(dc, app.main(), r, 0, 0, 1, 1, 0, 1, tessel::bitmap::kScaled, nullptr, nullptr);
    tessel::bitmap::Draw(dc, app.main(), empty, 0, 0, 60, 60, 60, 60, tessel::bitmap::kStretch, nullptr, nullptr);
    CHECK(GetPixel(dc, 0, 0) == RGB(255, 255, 255));
    CHECK(GetPixel(dc, 30, 30) == RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(app.main(), screen);
    tessel::bitmap::Free(r);
    CHECK_FALSE(r.loaded);
    CHECK(r.bits.empty());
    CHECK_DIALOGS_ANSWERED();
}

namespace {

const char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

void RemoveSysInfoKeys() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMsinfoKey);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLocationKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "MSINFO");
        RegCloseKey(key);
    }
}

void SetSysInfoValue(const char* keyName, const char* value, const std::string& data) {
    HKEY key;
    REQUIRE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS);
    RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

std::string WaitForFile(const std::string& path) {
    std::string content;
    for (int i = 0; i < 200 && content.empty(); ++i) {
        content = gui::ReadFile(path);
        if (content.empty()) Sleep(50);
    }
    return content;
}

}  // namespace

TEST_CASE("about box: its lines, the picture, and the system information launcher") {
    gui::App app;
    RemoveSysInfoKeys();
    HWND box = nullptr;
    gui::ExpectDialog("Über Tessel...", [&](HWND d) {
        box = d;
        CHECK(gui::ItemText(d, IDC_ABOUT_VERSION) == "Version : " TESSEL_VERSION_TEXT);
        CHECK(gui::ItemText(d, IDC_ABOUT_TEXT) == "Ein kleiner Texteditor mit speziellen Funktionen");
        CHECK(gui::ItemText(d, IDC_ABOUT_NAME).empty());
        OSVERSIONINFOA v{};
        v.dwOSVersionInfoSize = sizeof v;
        GetVersionExA(&v);
        CHECK(gui::ItemText(d, IDC_ABOUT_WINVER) ==
              tessel::about::windowsVersionLine(v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber));
        // The manifest lets the real version through, as the kernel reports it.
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
        REQUIRE(static_cast<bool>(rtlGetVersion));
        OSVERSIONINFOW real{};
        real.dwOSVersionInfoSize = sizeof real;
        rtlGetVersion(&real);
        CHECK(v.dwMajorVersion == real.dwMajorVersion);
        CHECK(v.dwMinorVersion == real.dwMinorVersion);
        CHECK(v.dwBuildNumber == real.dwBuildNumber);
        CHECK(gui::ItemText(d, IDC_ABOUT_PLATFORM) == ":  Windows " + std::string(v.szCSDVersion));
        HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
        CHECK(gui::ItemText(d, IDC_ABOUT_SCREEN) ==
              tessel::about::screenLine(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                        GetDeviceCaps(ic, PLANES) * GetDeviceCaps(ic, BITSPIXEL)));
        DeleteDC(ic);
        MEMORYSTATUSEX m{};
        m.dwLength = sizeof m;
        GlobalMemoryStatusEx(&m);
        CHECK(gui::ItemText(d, IDC_ABOUT_MEMORY) == tessel::about::memoryLine(m.ullTotalPhys));
        const std::string free = gui::ItemText(d, IDC_ABOUT_FREE);
        CHECK(free.rfind(":  ", 0) == 0);
        CHECK(free.find(" % frei") != std::string::npos);
        CHECK(gui::ItemText(d, IDC_ABOUT_LEGAL).find("zivil- und strafrechtlich verfolgt") != std::string::npos);
        CHECK(gui::ItemText(d, 312) == "Windows Version");
        CHECK(gui::ItemText(d, 317) == "Bildschirmauflösung");
        CHECK(gui::ItemText(d, 313) == "Verfügbarer Arbeitsspeicher");
        CHECK(gui::ItemText(d, IDC_ABOUT_SYSINFO) == "Systeminfo...");
        // The kite, fitted into its frame from the top-left corner.
        const Capture picture(GetDlgItem(d, IDC_ABOUT_PICTURE));
        CHECK(picture.at(0, 0) == RGB(70, 130, 220));
        gui::Press(d, IDC_ABOUT_SYSINFO);
    });
    gui::ExpectDialog("Meldung", [&](HWND m) {
        gui::Press(m, IDOK);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    app.command(CMD_ABOUT);
    const std::vector<std::string>& seen = gui::SeenDialogs();
    REQUIRE(seen.size() >= 1);
    CHECK(seen.back() == "Meldung|Systeminformationsprogramm zur Zeit nicht verfügbar.");
    CHECK_FALSE(IsWindow(box));
    CHECK_DIALOGS_ANSWERED();

    SUBCASE("a directory in the second key: the program inside it is started, its path quoted") {
        gui::Scratch scratch;
        const std::string dir = scratch.dir + "System Info";
        CreateDirectoryA(dir.c_str(), nullptr);
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        std::string source = module;
        source = source.substr(0, source.find_last_of('\\') + 1) + "record_args.exe";
        REQUIRE(CopyFileA(source.c_str(), (dir + "\\MSINFO32.EXE").c_str(), FALSE));
        SetSysInfoValue(kMsinfoKey, "PATH", scratch.dir + "missing\\MSINFO32.EXE");  // the first key fails
        SetSysInfoValue(kLocationKey, "MSINFO", dir);
        gui::ExpectDialog("Über Tessel...", [](HWND d) {
            gui::Press(d, IDC_ABOUT_SYSINFO);
            gui::Press(d, IDOK);
        });
        app.command(CMD_ABOUT);
        const std::string log = WaitForFile(dir + "\\MSINFO32.log");
        CHECK(log.find("\"" + dir + "\\MSINFO32.EXE\"") != std::string::npos);
        RemoveSysInfoKeys();
        CHECK_DIALOGS_ANSWERED();
    }
}
