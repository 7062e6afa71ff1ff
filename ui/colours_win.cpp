#include "ui/colours_win.h"

#include <string>

#include "core/paths.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "ui/colourdialog_win.h"

namespace tessel::colours {
namespace {

constexpr char kSection[] = "EDITCOLORS";
constexpr char kBackgroundKey[] = "BCOL";
constexpr char kTextKey[] = "FCOL";

COLORREF g_background;
COLORREF g_text;
HBRUSH g_brush;

COLORREF ReadColour(const char* key) {
    return paths::readHexColour(settings::ReadString(kSection, key, 256));
}

LRESULT ChooseBackground(HWND main, unsigned, LPARAM) {
    colourdialog::ChooseColour(main, g_background, "Hintergrundfarbe");
    RepaintEdit(shell::EditControl());
    return 0;
}

LRESULT ChooseText(HWND main, unsigned, LPARAM) {
    colourdialog::ChooseColour(main, g_text, "Textfarbe");
    RepaintEdit(shell::EditControl());
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_BKCOLOR, ChooseBackground},
    {CMD_TEXTCOLOR, ChooseText},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

void Load() {
    g_background = ReadColour(kBackgroundKey);
    g_text = ReadColour(kTextKey);
    if (g_background == g_text) {
        g_background = GetSysColor(COLOR_WINDOW);
        g_text = GetSysColor(COLOR_WINDOWTEXT);
    }
}

void Save() {
    settings::WriteHex08(kSection, kBackgroundKey, g_background);
    settings::WriteHex08(kSection, kTextKey, g_text);
}

void Release() {
    if (g_brush) DeleteObject(g_brush);
    g_brush = nullptr;
}

COLORREF Background() { return g_background; }
COLORREF Text() { return g_text; }

void Set(COLORREF background, COLORREF text) {
    g_background = background;
    g_text = text;
}

void RepaintEdit(HWND edit) {
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
}

LRESULT OnCtlColorEdit(HWND main, HWND edit, WPARAM wParam, LPARAM lParam) {
    if (GetSysColor(COLOR_WINDOW) == g_background && GetSysColor(COLOR_WINDOWTEXT) == g_text)
        return DefWindowProcA(main, WM_CTLCOLOREDIT, wParam, lParam);
    if (reinterpret_cast<HWND>(lParam) != edit) return DefWindowProcA(main, WM_CTLCOLOREDIT, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    Release();
    g_brush = CreateSolidBrush(g_background);
    SetBkColor(dc, g_background);
    SetTextColor(dc, g_text);
    UnrealizeObject(g_brush);
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    return reinterpret_cast<LRESULT>(g_brush);
}

}  // namespace tessel::colours
