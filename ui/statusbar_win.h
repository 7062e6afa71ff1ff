// The status line: its text ("Zeile : %u - Spalte : %u               %d Byte"),
// and the status bar window class that shows it in a bold sans-serif font
// inside a sunken frame along an edge of its parent.
#pragma once
#include <windows.h>

namespace tessel::statusbar {

constexpr char kStartText[] = "Zeile : 1 - Spalte : 1";

// The status text (at most 63 characters).
const char* Text();
void SetText(const char* text);

// Formats the status text for a caret position and a text size.
void Format(char (&out)[64], unsigned line, unsigned column, int bytes);

// Command 600: rewrites the text from the edit control's caret and refreshes
// the bar.
void Update(HWND edit);

// ------------------------------------------------------------- the window
// Placement codes and the flat style.
enum Placement : unsigned { kNone = 1, kTop = 2, kBottom = 4 };
constexpr unsigned kFlat = 256;
constexpr unsigned kSunken = 128;

// Filled by the caller and kept alive as long as the window: the bar reads
// its text at every paint.
struct Descriptor {
    HINSTANCE instance = nullptr;
    HINSTANCE previousInstance = nullptr;  // set: the class is registered already
    HWND parent = nullptr;
    HWND window = nullptr;                 // out
    const char* className = nullptr;
    int showCommand = SW_SHOW;
    unsigned placement = kBottom;
    unsigned style = kSunken;
    int height = 24;
    int lastWidth = 0, lastHeight = 0;     // out: the parent size of the last layout
    const char* text = nullptr;
};

// Registers the class (without a previous instance) and creates the bar; null
// for placement kNone or a failed registration. One bar exists at a time.
HWND Create(Descriptor& d);

// Places the bar for a parent client area of w x h. Without a window, sets
// the placement to kNone.
void Layout(Descriptor& d, int w, int h);

// Repaints the bar at once, after its text changed.
void Refresh();

// Unregisters the class of the descriptor the bar was created from.
void Unregister();

// What the bar paints with, for the tests: the font and the two rectangles.
HFONT Font();
RECT TextRect();
RECT FrameRect();

// The main window's bar: class "MyTesselStatusBar", height 24, sunken, at the
// bottom, showing the status text (reset to the start text).
HWND CreateMain(HINSTANCE instance, HINSTANCE previous, HWND parent, int show);
Descriptor& Main();
HWND MainWindow();

}  // namespace tessel::statusbar
