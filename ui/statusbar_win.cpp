#include "ui/statusbar_win.h"

#include <cstdio>

namespace tessel::statusbar {
namespace {

char g_text[64] = "Zeile : 1 - Spalte : 1";

// The one bar: its descriptor and what it paints with.
Descriptor* g_bar;
HPEN g_highlight, g_shadow;
HFONT g_font;
RECT g_textRect, g_frameRect;
int g_width, g_height;

Descriptor g_main;

void OnCreate() {
    g_highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    g_shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    LOGFONTA lf{};
    lf.lfHeight = (g_bar ? g_bar->height : 24) / 3 * 2;
    lf.lfWeight = FW_BOLD;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    g_font = CreateFontIndirectA(&lf);
}

void OnDestroy(HWND wnd) {
    if (g_highlight) DeleteObject(g_highlight);
    if (g_shadow) DeleteObject(g_shadow);
    if (g_font) DeleteObject(g_font);
    g_highlight = g_shadow = nullptr;
    g_font = nullptr;
    if (g_bar && g_bar->window == wnd) g_bar->window = nullptr;
}

void Paint(HWND wnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, g_font);
    if (g_bar && g_bar->text) {
        RECT r = g_textRect;
        DrawTextA(dc, g_bar->text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    HGDIOBJ oldPen = SelectObject(dc, g_highlight);
    if (!g_bar || g_bar->style != kFlat) {
        const RECT& f = g_frameRect;
        SelectObject(dc, g_shadow);
        MoveToEx(dc, f.left, f.bottom, nullptr);
        LineTo(dc, f.left, f.top);
        LineTo(dc, f.right, f.top);
        SelectObject(dc, g_highlight);
        LineTo(dc, f.right, f.bottom);
        LineTo(dc, f.left, f.bottom);
    }
    // A light edge along the top and the left, so the bar stands out.
    MoveToEx(dc, g_width, 0, nullptr);
    LineTo(dc, 0, 0);
    LineTo(dc, 0, g_height);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    EndPaint(wnd, &ps);
}

LRESULT CALLBACK StatusBarProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        g_width = LOWORD(lParam);
        g_height = HIWORD(lParam);
        g_textRect = RECT{16, 3, g_width - 16, g_height - 3};
        g_frameRect = RECT{12, 2, g_width - 12, g_height - 2};
        return 0;
    case WM_PAINT:
        Paint(wnd);
        return 0;
    case WM_DESTROY:
        OnDestroy(wnd);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace

const char* Text() { return g_text; }

void SetText(const char* text) { lstrcpynA(g_text, text, sizeof g_text); }

void Format(char (&out)[64], unsigned line, unsigned column, int bytes) {
    std::snprintf(out, sizeof out, "Zeile : %u - Spalte : %u               %d Byte", line, column, bytes);
}

void Update(HWND edit) {
    DWORD sel = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    WORD caret = HIWORD(sel);
    WORD line = static_cast<WORD>(SendMessageA(edit, EM_LINEFROMCHAR, caret, 0));
    int lineStart = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, line, 0));
    char text[64];
    Format(text, line + 1u, static_cast<unsigned>(caret - lineStart + 1), GetWindowTextLengthA(edit));
    SetText(text);
    Refresh();
}

HWND Create(Descriptor& d) {
    g_bar = &d;
    d.window = nullptr;
    if (d.placement == kNone || !d.className) return nullptr;
    if (!d.previousInstance) {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
        wc.lpfnWndProc = StatusBarProc;
        wc.hInstance = d.instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = d.className;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    }
    d.window = CreateWindowExA(0, d.className, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                               d.parent, nullptr, d.instance, nullptr);
    if (d.window) ShowWindow(d.window, d.showCommand);
    return d.window;
}

void Layout(Descriptor& d, int w, int h) {
    if (!d.window) {
        d.placement = kNone;
        return;
    }
    if (d.placement == kTop) {
        d.lastWidth = w;
        d.lastHeight = h;
        MoveWindow(d.window, 0, 0, w, d.height, TRUE);
    } else if (d.placement == kBottom) {
        d.lastWidth = w;
        d.lastHeight = h;
        MoveWindow(d.window, 0, h - d.height, w, d.height, TRUE);
    } else {
        return;
    }
    InvalidateRect(d.parent, nullptr, TRUE);
    UpdateWindow(d.parent);
}

void Refresh() {
    if (!g_bar || !g_bar->window) return;
    InvalidateRect(g_bar->window, nullptr, TRUE);
    UpdateWindow(g_bar->window);
}

void Unregister() {
    if (g_bar && g_bar->className) UnregisterClassA(g_bar->className, g_bar->instance);
}

HFONT Font() { return g_font; }
RECT TextRect() { return g_textRect; }
RECT FrameRect() { return g_frameRect; }

HWND CreateMain(HINSTANCE instance, HINSTANCE previous, HWND parent, int show) {
    SetText(kStartText);
    g_main = Descriptor{};
    g_main.instance = instance;
    g_main.previousInstance = previous;
    g_main.parent = parent;
    g_main.className = "MyTesselStatusBar";
    g_main.showCommand = show;
    g_main.placement = kBottom;
    g_main.style = kSunken;
    g_main.height = 24;
    g_main.text = g_text;
    return Create(g_main);
}

Descriptor& Main() { return g_main; }
HWND MainWindow() { return g_main.window; }

}  // namespace tessel::statusbar
