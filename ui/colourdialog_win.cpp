#include "ui/colourdialog_win.h"

#include <array>
#include <string>

#include "resources/ids.h"
#include "ui/colourtable.h"
#include "core/dialogutil_win.h"

namespace tessel::colourdialog {
namespace {

// What the open dialog works on: the fields' colours and brushes, and the
// colour chosen so far.
struct Chooser {
    std::array<COLORREF, kSwatches> table{};
    std::array<HBRUSH, kSwatches> swatchBrushes{};
    HBRUSH selectionBrush = nullptr;
    COLORREF current = 0;
    const char* title = "";
};

// A null title keeps the caption of the previous call.
std::string g_lastTitle;

void Forget(HBRUSH& brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
}

void FillTable(Chooser& c) {
    for (std::size_t i = 0; i < kStandardColours.size(); ++i) c.table[i] = kStandardColours[i];
    c.table[16] = GetSysColor(COLOR_APPWORKSPACE);
    c.table[17] = GetSysColor(COLOR_BACKGROUND);
    c.table[18] = GetSysColor(COLOR_ACTIVECAPTION);
    c.table[19] = kPaleGreen;
}

// A fresh solid brush in `colour`, aligned to the dialog's client origin.
HBRUSH Paint(HWND dialog, HDC dc, HBRUSH& brush, COLORREF colour) {
    Forget(brush);
    brush = CreateSolidBrush(colour);
    UnrealizeObject(brush);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    return brush;
}

INT_PTR ColourStatic(HWND dialog, Chooser& c, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_CC_SELECTED) return reinterpret_cast<INT_PTR>(Paint(dialog, dc, c.selectionBrush, c.current));
    if (id >= IDC_CC_SWATCH0 && id < IDC_CC_SWATCH0 + kSwatches) {
        const auto i = static_cast<std::size_t>(id - IDC_CC_SWATCH0);
        return reinterpret_cast<INT_PTR>(Paint(dialog, dc, c.swatchBrushes[i], c.table[i]));
    }
    return FALSE;   // every other control keeps its default colours
}

// The swatches pass clicks through (no SS_NOTIFY), so the dialog hit-tests
// them by their window rectangles.
void Click(HWND dialog, Chooser& c, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(dialog, &p);
    std::array<Box, kSwatches> boxes{};
    for (int i = 0; i < kSwatches; ++i) {
        RECT r{};
        if (HWND swatch = GetDlgItem(dialog, IDC_CC_SWATCH0 + i)) GetWindowRect(swatch, &r);
        boxes[static_cast<std::size_t>(i)] = {r.left, r.top, r.right, r.bottom};
    }
    const std::optional<int> hit = hitSwatch(p.x, p.y, boxes);
    if (!hit) return;
    c.current = c.table[static_cast<std::size_t>(*hit)];
    HWND selection = GetDlgItem(dialog, IDC_CC_SELECTED);
    InvalidateRect(selection, nullptr, TRUE);
    UpdateWindow(selection);
}

const dialogutil::DialogKind<Chooser> kColourDialog{
    "COLORDLG16", IDC_CC_ICON,
    [](HWND d, Chooser& c) -> BOOL {
        SetWindowTextA(d, c.title);
        FillTable(c);
        return TRUE;
    },
    nullptr,
    nullptr,
    [](HWND d, UINT msg, WPARAM wParam, LPARAM lParam, Chooser& c) -> INT_PTR {
        switch (msg) {
        case WM_CTLCOLORSTATIC:
            return ColourStatic(d, c, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_LBUTTONDOWN:
            Click(d, c, lParam);
            return TRUE;
        default:
            return FALSE;
        }
    }};

}  // namespace

int ChooseColour(HWND owner, COLORREF& colour, const char* title) {
    if (title) g_lastTitle = title;
    Chooser chooser;
    chooser.current = colour;
    chooser.title = g_lastTitle.c_str();
    const INT_PTR result = dialogutil::Run(owner, kColourDialog, chooser);
    for (HBRUSH& brush : chooser.swatchBrushes) Forget(brush);
    Forget(chooser.selectionBrush);
    if (result == 1) colour = chooser.current;
    return result == 1 ? 1 : result == 0 ? 0 : -1;
}

}  // namespace tessel::colourdialog
