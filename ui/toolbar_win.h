// The toolbar window class: a row (or column) of picture buttons cut from one
// bitmap strip, sending WM_COMMAND with a button's command id to the parent.
// Hover and press feedback is a one-pixel 3D frame drawn straight on the
// window; separators are etched grooves.
#pragma once
#include <windows.h>

#include "ui/bitmap.h"

namespace tessel::toolbar {

constexpr unsigned kSeparator = 0xFFFF;  // slot command of a separator
constexpr int kMaxSlots = 16;
constexpr int kRegistrySize = 32;        // instance numbers 0 .. 31
constexpr DWORD kRaisedBorder = 0xFF00;  // frame style: a raised border round the toolbar

// Placement codes.
enum Placement : unsigned {
    kNone = 1,
    kLeft = 2,
    kTop = 4,
    kRight = 8,
    kBottom = 16,
    kSecondRow = 32,  // below a top toolbar of the same thickness
};

// Filled by the caller before Create and kept alive as long as the window.
struct Descriptor {
    unsigned instanceNumber = 0;
    HINSTANCE instance = nullptr;
    HINSTANCE previousInstance = nullptr;  // not consulted
    HWND parent = nullptr;
    HWND window = nullptr;                 // out
    const char* className = nullptr;       // one class per toolbar
    int showCommand = SW_SHOW;
    unsigned placement = kTop;
    const char* bitmapName = nullptr;
    int thickness = 36;
    int slotCount = 0;
    int pitch = 24;
    int margin = 6;
    unsigned slotCommands[20] = {};
    DWORD frameStyle = 0;
    // Kept by the toolbar.
    int clientWidth = 0, clientHeight = 0;
    RECT active{};                         // the rectangle that carries the frame
    bool pressed = false;
    int held = -1;                         // the slot pressed, mouse captured; -1 when none
    bitmap::Record picture;
    RECT buttons[kMaxSlots]{};
    bool classRegistered = false;
    HBITMAP mask = nullptr, image = nullptr;
};

// Registers the class, creates the window, lays out the buttons and prepares
// the bitmap. Null for placement kNone, a slot count above kMaxSlots or an
// instance number outside the registry; the descriptor's window is null then.
HWND Create(Descriptor& d);

// Moves the toolbar for a parent area of w x h (see Placement). Without a
// window, sets the placement to kNone.
void Layout(Descriptor& d, int w, int h);

// Unregisters the class once registered.
void Unregister(Descriptor& d);

// Removes the hover frame (the toolbar's WM_USER): the parent calls it when
// the mouse leaves the toolbar. Nothing happens for a null window.
void ResetHover(HWND toolbar);

// The sunken double line the parent draws along its top edge, above the
// toolbar, in the current button colours.
void DrawParentEdge(HDC dc, int width);

// ------------------------------------------------- the main window's toolbar
constexpr int kMainThickness = 36;
constexpr int kMainSlots = 12;
constexpr int kMainPitch = 24;
constexpr int kMainMargin = 6;
// The width the parent gives its button strip: slots * pitch + 2 * margin.
constexpr int kMainStripWidth = kMainSlots * kMainPitch + 2 * kMainMargin;

// Fills the main window's descriptor (class "MyTesselToolBar", "TOOLBAR32",
// New .. Paste) and creates the toolbar.
HWND CreateMain(HINSTANCE instance, HINSTANCE previous, HWND parent, int show);
Descriptor& Main();
HWND MainWindow();

}  // namespace tessel::toolbar
