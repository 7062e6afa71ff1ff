#include "ui/colourdialog_win.h"

#include <array>
#include <string>

#include "resources/ids.h"
#include "ui/colourtable.h"
#include "core/dialogutil_win.h"

namespace tessel::colourdialog {
namespace {

std::array<COLORREF, kSwatches> g_table;
std::array<HBRUSH, kSwatches> g_swatchBrushes;
HBRUSH g_selectionBrush;
COLORREF g_current;
std::string g_title;
HWND g_owner;

void Forget(HBRUSH& brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
}

void FillTable() {
    for (std::size_t i = 0; i < kStandardColours.size(); ++i) g_table[i] = kStandardColours[i];
    g_table[16] = GetSysColor(COLOR_APPWORKSPACE);
    g_table[17] = GetSysColor(COLOR_BACKGROUND);
    g_table[18] = GetSysColor(COLOR_ACTIVECAPTION);
    g_table[19] = kPaleGreen;
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

INT_PTR ColourStatic(HWND dialog, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_CC_SELECTED) return reinterpret_cast<INT_PTR>(Paint(dialog, dc, g_selectionBrush, g_current));
    if (id >= IDC_CC_SWATCH0 && id < IDC_CC_SWATCH0 + kSwatches) {
        const auto i = static_cast<std::size_t>(id - IDC_CC_SWATCH0);
        return reinterpret_cast<INT_PTR>(Paint(dialog, dc, g_swatchBrushes[i], g_table[i]));
    }
    return FALSE;   // every other control keeps its default colours
}

// The swatches pass clicks through (no SS_NOTIFY), so the dialog hit-tests
// them by their window rectangles.
void Click(HWND dialog, LPARAM lParam) {
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
    g_current = g_table[static_cast<std::size_t>(*hit)];
    HWND selection = GetDlgItem(dialog, IDC_CC_SELECTED);
    InvalidateRect(selection, nullptr, TRUE);
    UpdateWindow(selection);
}

INT_PTR CALLBACK ColourProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        ui::CentreWindow(dialog);
        SetWindowTextA(dialog, g_title.c_str());
        FillTable();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return ColourStatic(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_LBUTTONDOWN:
        Click(dialog, lParam);
        return TRUE;
    case WM_PAINT:
        ui::PaintDialogIcon(dialog, IDC_CC_ICON, ui::ClassIcon(g_owner ? g_owner : GetParent(dialog)));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        else return FALSE;
        return TRUE;
    case WM_DESTROY:
        for (HBRUSH& brush : g_swatchBrushes) Forget(brush);
        Forget(g_selectionBrush);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int ChooseColour(HWND owner, COLORREF& colour, const char* title) {
    if (title) g_title = title;
    g_current = colour;
    g_owner = owner;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, "COLORDLG16", owner, ColourProc, 0);
    g_owner = nullptr;
    if (result == 1) colour = g_current;
    return result == 1 ? 1 : result == 0 ? 0 : -1;
}

}  // namespace tessel::colourdialog
