// Bitmaps from the program's resources: loading a whole .BMP image stored as
// a "BITMAP256" or "BITMAP" resource, device bitmaps, transparency masks and
// the six drawing modes.
#pragma once
#include <windows.h>

#include "ui/bitmap.h"

namespace tessel::bitmap {

// Drawing modes of Draw.
enum DrawMode : int {
    kAsIs = -1000,         // SetDIBitsToDevice at (x, y), unscaled
    kStretch = -1001,      // the whole bitmap stretched to (x, y, a, b)
    kFitted = -1002,       // fitted into c x d, aspect ratio kept, at (x, y)
    kPartFitted = -1003,   // the part (x, y, a, b) fitted into c x d at (0, 0)
    kScaled = -1004,       // a*W/c by b*H/d at (x, y)
    kTransparent = -1005,  // mask with AND, then image with OR, at (x, y)
};

constexpr COLORREF kKeyColour = RGB(255, 0, 255);

// Loads the bitmap resource `name` of the window's module into `r`: 1 on
// success, 0 otherwise, with the record then empty. When there is no memory
// for it, says so in a message box owned by `wnd`.
int Load(HWND wnd, const char* name, Record& r);

// A device bitmap of the record for `dc`, or for the window's own context
// with the record's palette realised when `dc` is null. Null for an empty record.
HBITMAP MakeDeviceBitmap(HWND wnd, HDC dc, const Record& r);

// A monochrome mask of `image` with 1 where the image has `key`; the key
// pixels of the image itself become black, so that mask AND and image OR
// leave the background showing there. Null when `image` is null.
HBITMAP MakeMask(HBITMAP image, COLORREF key);

// Draws the record by `mode` (see DrawMode) on `dc`, or on the window's
// context when `dc` is null. An empty record draws nothing. Always 1.
int Draw(HDC dc, HWND wnd, const Record& r, int x, int y, int a, int b, int c, int d, int mode, HBITMAP image,
         HBITMAP mask);

// Releases everything the record holds.
void Free(Record& r);

}  // namespace tessel::bitmap
