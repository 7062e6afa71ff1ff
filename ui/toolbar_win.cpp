#include "ui/toolbar_win.h"

#include <initializer_list>

#include "resources/ids.h"
#include "ui/bitmap_win.h"

namespace tessel::toolbar {
namespace {

// Every toolbar by instance number; while one is being created its window
// procedure finds it through the creation index, afterwards through the
// number kept in its class memory.
Descriptor* g_registry[kRegistrySize];
int g_creating = -1;

// Pens shared by all toolbars: made by the first, deleted by the last.
HPEN g_highlight, g_shadow, g_face;
int g_penUsers;

Descriptor g_main;

enum FrameMode { kSunken = 0, kRaised = 1, kErase = 2 };

void AcquirePens() {
    if (g_penUsers++ > 0) return;
    g_highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    g_shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    g_face = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
}

void ReleasePens() {
    if (g_penUsers == 0 || --g_penUsers > 0) return;
    for (HPEN* pen : {&g_highlight, &g_shadow, &g_face}) {
        if (*pen) DeleteObject(*pen);
        *pen = nullptr;
    }
}

Descriptor* Find(HWND wnd) {
    if (g_creating >= 0) return g_registry[g_creating];
    const DWORD number = GetClassLongA(wnd, 0);
    return number < kRegistrySize ? g_registry[number] : nullptr;
}

bool IsRow(unsigned placement) { return placement == kTop || placement == kBottom || placement == kSecondRow; }

void LayoutButtons(Descriptor& d) {
    for (int i = 0; i < d.slotCount; ++i) {
        const int o = i * d.pitch;
        if (d.slotCommands[i] == kSeparator)
            d.buttons[i] = RECT{0, 0, 0, 0};
        else if (d.placement == kLeft || d.placement == kRight)
            d.buttons[i] = RECT{d.margin, d.margin + o, d.margin + d.pitch, d.margin + o + d.pitch};
        else
            d.buttons[i] = RECT{d.margin + o, d.margin, d.margin + o + d.pitch, d.margin + d.pitch};
    }
}

int HitSlot(const Descriptor& d, POINT p) {
    for (int i = 0; i < d.slotCount; ++i)
        if (PtInRect(&d.buttons[i], p)) return i;
    return -1;
}

// The frame runs along the rectangle's edges: left and top over the picture's
// first column and row, right and bottom just outside it.
void DrawFrame(HWND wnd, const RECT& r, FrameMode mode) {
    if (r.left == r.right) return;
    HDC dc = GetDC(wnd);
    if (!dc) return;
    HPEN first = mode == kSunken ? g_shadow : mode == kRaised ? g_highlight : g_face;
    HPEN second = mode == kSunken ? g_highlight : mode == kRaised ? g_shadow : g_face;
    HGDIOBJ old = SelectObject(dc, first);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
    SelectObject(dc, second);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left, r.bottom);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
}

void Line(HDC dc, HPEN pen, int x0, int y0, int x1, int y1) {
    SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// In a column the strip's cells are drawn one below the other.
void DrawColumnCells(HDC dc, const Descriptor& d) {
    if (!d.image || !d.mask) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, d.mask);
    for (int pass = 0; pass < 2; ++pass) {
        SelectObject(memory, pass == 0 ? d.mask : d.image);
        for (int i = 0; i < d.slotCount; ++i)
            BitBlt(dc, d.margin, d.margin + i * d.pitch, d.pitch, d.pitch, memory, i * d.pitch, 0,
                   pass == 0 ? SRCAND : SRCPAINT);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

void Paint(HWND wnd, Descriptor& d) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldPen = SelectObject(dc, g_shadow);
    const int cw = d.clientWidth, ch = d.clientHeight;
    if (d.frameStyle == kRaisedBorder) {
        Line(dc, g_shadow, 0, ch - 1, cw, ch - 1);
        LineTo(dc, cw, 0);
        Line(dc, g_highlight, cw, 0, 0, 0);
        LineTo(dc, 0, ch);
    }
    const bool row = IsRow(d.placement);
    for (int i = 0; i < d.slotCount; ++i) {
        if (d.slotCommands[i] != kSeparator) continue;
        const int at = d.margin + i * d.pitch + d.pitch / 2;
        if (row) {
            Line(dc, g_shadow, at, d.margin + 2, at, d.margin + d.pitch - 2);
            Line(dc, g_highlight, at + 1, d.margin + 2, at + 1, d.margin + d.pitch - 2);
        } else {
            Line(dc, g_shadow, d.margin + 2, at, d.margin + d.pitch - 2, at);
            Line(dc, g_highlight, d.margin + 2, at + 1, d.margin + d.pitch - 2, at + 1);
        }
    }
    SelectObject(dc, oldPen);
    if (row)
        bitmap::Draw(dc, d.parent, d.picture, d.margin, d.margin, 0, 0, 0, 0, bitmap::kTransparent, d.image, d.mask);
    else
        DrawColumnCells(dc, d);
    EndPaint(wnd, &ps);
}

void OnMouseMove(HWND wnd, Descriptor& d, WPARAM keys, POINT p) {
    if (keys & MK_LBUTTON) {
        if (d.held < 0) return;   // pressed elsewhere: the toolbar does not react
        // While held, only the pressed button reacts: sunken over it, raised off it.
        if (!PtInRect(&d.active, p) && d.pressed) {
            DrawFrame(wnd, d.active, kRaised);
            d.pressed = false;
        }
        if (PtInRect(&d.active, p) && !d.pressed) {
            DrawFrame(wnd, d.active, kSunken);
            d.pressed = true;
        }
        return;
    }
    const int slot = HitSlot(d, p);
    DrawFrame(wnd, d.active, kErase);
    if (slot < 0) return;
    d.active = d.buttons[slot];
    d.pressed = true;
    DrawFrame(wnd, d.active, kRaised);
}

void OnButtonDown(HWND wnd, Descriptor& d, POINT p) {
    const int slot = HitSlot(d, p);
    if (slot < 0) return;
    d.active = d.buttons[slot];
    d.pressed = true;
    DrawFrame(wnd, d.active, kSunken);
    // The release belongs to this press wherever it happens.
    SetCapture(wnd);
    d.held = slot;
}

void OnButtonUp(HWND wnd, Descriptor& d, POINT p) {
    const int slot = HitSlot(d, p);
    // Only a release inside the button the press began in fires it; a release
    // without a press here (a double-click that closed a dialog above the
    // toolbar) does nothing.
    const bool fire = d.held >= 0 && d.pressed && slot == d.held;
    d.held = -1;
    if (GetCapture() == wnd) ReleaseCapture();
    if (fire) {
        DrawFrame(wnd, d.active, kErase);
        SendMessageA(d.parent, WM_COMMAND, MAKEWPARAM(d.slotCommands[slot], 0), 0);
    }
    if (IsWindow(wnd)) {
        InvalidateRect(wnd, nullptr, TRUE);
        UpdateWindow(wnd);
    }
}

LRESULT CALLBACK ToolbarProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Descriptor* d = Find(wnd);
    if (!d) return DefWindowProcA(wnd, msg, wParam, lParam);
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_CREATE:
        AcquirePens();
        return 0;
    case WM_SIZE:
        d->clientWidth = LOWORD(lParam);
        d->clientHeight = HIWORD(lParam);
        return 0;
    case WM_PAINT:
        Paint(wnd, *d);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wnd, *d, wParam, p);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(wnd, *d, p);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(wnd, *d, p);
        return 0;
    case WM_CAPTURECHANGED:
        d->held = -1;   // the press is over without a release here
        return 0;
    case WM_USER:
        if (d->active.left != d->active.right) {
            DrawFrame(wnd, d->active, kErase);
            d->active = RECT{0, 0, 0, 0};
        }
        return 0;
    case WM_DESTROY:
        bitmap::Free(d->picture);
        ReleasePens();
        if (d->mask) DeleteObject(d->mask);
        if (d->image) DeleteObject(d->image);
        d->mask = d->image = nullptr;
        if (d->window == wnd) d->window = nullptr;
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

void PrepareBitmap(Descriptor& d) {
    if (!d.bitmapName || !bitmap::Load(d.parent, d.bitmapName, d.picture)) return;
    d.image = bitmap::MakeDeviceBitmap(d.parent, nullptr, d.picture);
    d.mask = bitmap::MakeMask(d.image, bitmap::kKeyColour);
}

}  // namespace

HWND Create(Descriptor& d) {
    d.window = nullptr;
    if (d.instanceNumber >= kRegistrySize || d.slotCount < 0 || d.slotCount > kMaxSlots || !d.className) return nullptr;
    g_registry[d.instanceNumber] = &d;
    if (d.placement == kNone) return nullptr;

    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = ToolbarProc;
    wc.cbClsExtra = 4;
    wc.hInstance = d.instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = d.className;
    if (RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) d.classRegistered = true;

    g_creating = static_cast<int>(d.instanceNumber);
    d.active = RECT{0, 0, 0, 0};
    d.pressed = false;
    d.held = -1;
    HWND wnd = CreateWindowExA(0, d.className, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                               d.parent, nullptr, d.instance, nullptr);
    if (wnd) {
        d.window = wnd;
        SetClassLongA(wnd, 0, static_cast<LONG>(d.instanceNumber));
        LayoutButtons(d);
        PrepareBitmap(d);
        ShowWindow(wnd, d.showCommand);
    }
    g_creating = -1;
    return wnd;
}

void Layout(Descriptor& d, int w, int h) {
    if (!d.window) {
        d.placement = kNone;
        return;
    }
    const int t = d.thickness;
    switch (d.placement) {
    case kLeft: MoveWindow(d.window, 0, 0, t, h, TRUE); break;
    case kTop: MoveWindow(d.window, 0, 2, w, t, TRUE); break;
    case kRight: MoveWindow(d.window, w - t, 0, t, h, TRUE); break;
    case kBottom: MoveWindow(d.window, 0, h - t, w, t, TRUE); break;
    case kSecondRow: MoveWindow(d.window, 0, t, w, t, TRUE); break;
    default: break;
    }
}

void Unregister(Descriptor& d) {
    if (!d.classRegistered) return;
    UnregisterClassA(d.className, d.instance);
    d.classRegistered = false;
}

void ResetHover(HWND toolbar) {
    if (toolbar) SendMessageA(toolbar, WM_USER, 0, 0);
}

void DrawParentEdge(HDC dc, int width) {
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ old = SelectObject(dc, shadow);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, width, 0);
    SelectObject(dc, highlight);
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, width, 1);
    SelectObject(dc, old);
    DeleteObject(shadow);
    DeleteObject(highlight);
}

HWND CreateMain(HINSTANCE instance, HINSTANCE previous, HWND parent, int show) {
    static const unsigned kCommands[kMainSlots] = {CMD_NEW,  CMD_OPEN, CMD_SAVE,   kSeparator, CMD_FIND, CMD_REPLACE,
                                                   CMD_PRINT, CMD_UNDO, kSeparator, CMD_CUT,   CMD_COPY, CMD_PASTE};
    g_main = Descriptor{};
    g_main.instanceNumber = 0;
    g_main.instance = instance;
    g_main.previousInstance = previous;
    g_main.parent = parent;
    g_main.className = "MyTesselToolBar";
    g_main.showCommand = show;
    g_main.placement = kTop;
    g_main.bitmapName = "TOOLBAR32";
    g_main.thickness = kMainThickness;
    g_main.slotCount = kMainSlots;
    g_main.pitch = kMainPitch;
    g_main.margin = kMainMargin;
    for (int i = 0; i < kMainSlots; ++i) g_main.slotCommands[i] = kCommands[i];
    return Create(g_main);
}

Descriptor& Main() { return g_main; }
HWND MainWindow() { return g_main.window; }

}  // namespace tessel::toolbar
