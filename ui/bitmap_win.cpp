#include "ui/bitmap_win.h"

#include <initializer_list>
#include <new>

#include "core/msgbox_win.h"

namespace tessel::bitmap {
namespace {

constexpr msgbox::Message kNoMemory{"Nicht genügend Speicherplatz um das Bitmap zu laden !", msgbox::kCaptionWarning,
                                    MB_ICONERROR};

const BITMAPINFO* Info(const Record& r) { return reinterpret_cast<const BITMAPINFO*>(r.info.data()); }

HPALETTE MakePalette(const Record& r) {
    if (!r.colourCount || r.palette.empty()) return nullptr;
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(r.palette.data()));
}

// Finds the resource in the window's module, as "BITMAP256" first.
bool ReadResource(HWND wnd, const char* name, const BYTE*& data, DWORD& size) {
    auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrA(wnd, GWLP_HINSTANCE));
    if (!module) module = GetModuleHandleA(nullptr);
    for (const char* type : {"BITMAP256", "BITMAP"}) {
        HRSRC found = FindResourceA(module, name, type);
        if (!found) continue;
        HGLOBAL loaded = LoadResource(module, found);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes) continue;
        data = static_cast<const BYTE*>(bytes);
        size = SizeofResource(module, found);
        return true;
    }
    return false;
}

void StretchWhole(HDC dc, const Record& r, int x, int y, int w, int h) {
    StretchDIBits(dc, x, y, w, h, 0, 0, r.width, r.height, r.bits.data(), Info(r), DIB_RGB_COLORS, SRCCOPY);
}

void DrawByMode(HDC dc, const Record& r, int x, int y, int a, int b, int c, int d, int mode, HBITMAP image,
                HBITMAP mask) {
    switch (mode) {
    case kAsIs:
        SetDIBitsToDevice(dc, x, y, r.width, r.height, 0, 0, 0, r.height, r.bits.data(), Info(r), DIB_RGB_COLORS);
        break;
    case kStretch:
        StretchWhole(dc, r, x, y, a, b);
        break;
    case kFitted: {
        const Size s = fit(c, d, r.width, r.height);
        StretchWhole(dc, r, x, y, s.width, s.height);
        break;
    }
    case kPartFitted:
        if (partInside(x, y, a, b, r.width, r.height)) {
            const Size s = fit(c, d, a, b);
            StretchDIBits(dc, 0, 0, s.width, s.height, x, y, a, b, r.bits.data(), Info(r), DIB_RGB_COLORS, SRCCOPY);
        }
        break;
    case kScaled: {
        Size s;
        if (scaledSize(a, b, c, d, r.width, r.height, s)) StretchWhole(dc, r, x, y, s.width, s.height);
        break;
    }
    case kTransparent: {
        if (!image || !mask) break;
        HDC memory = CreateCompatibleDC(dc);
        if (!memory) break;
        HGDIOBJ old = SelectObject(memory, mask);
        BitBlt(dc, x, y, r.width, r.height, memory, 0, 0, SRCAND);
        SelectObject(memory, image);
        BitBlt(dc, x, y, r.width, r.height, memory, 0, 0, SRCPAINT);
        SelectObject(memory, old);
        DeleteDC(memory);
        break;
    }
    default:
        break;
    }
}

}  // namespace

int Load(HWND wnd, const char* name, Record& r) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!ReadResource(wnd, name, data, size)) {
        Free(r);
        return 0;
    }
    try {
        if (parse(data, size, r) == ParseResult::ok) return 1;
    } catch (const std::bad_alloc&) {
        Free(r);
        msgbox::Show(kNoMemory, wnd);
        return 0;
    }
    Free(r);
    return 0;
}

HBITMAP MakeDeviceBitmap(HWND wnd, HDC dc, const Record& r) {
    if (!r.loaded) return nullptr;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(r.headerCopy.data());
    if (dc) return CreateDIBitmap(dc, header, CBM_INIT, r.bits.data(), Info(r), DIB_RGB_COLORS);

    HDC own = GetDC(wnd);
    if (!own) return nullptr;
    HPALETTE palette = MakePalette(r);
    HPALETTE previous = palette ? SelectPalette(own, palette, FALSE) : nullptr;
    if (palette) RealizePalette(own);
    HBITMAP result = CreateDIBitmap(own, header, CBM_INIT, r.bits.data(), Info(r), DIB_RGB_COLORS);
    if (palette) {
        SelectPalette(own, previous, FALSE);
        DeleteObject(palette);
    }
    ReleaseDC(wnd, own);
    return result;
}

HBITMAP MakeMask(HBITMAP image, COLORREF key) {
    BITMAP info{};
    if (!image || !GetObjectA(image, sizeof info, &info)) return nullptr;
    HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    if (!mask) return nullptr;
    HDC imageDc = CreateCompatibleDC(nullptr);
    HDC maskDc = CreateCompatibleDC(nullptr);
    if (imageDc && maskDc) {
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        // Colour to monochrome: pixels of the background colour become 1.
        SetBkColor(imageDc, key);
        BitBlt(maskDc, 0, 0, info.bmWidth, info.bmHeight, imageDc, 0, 0, SRCCOPY);
        // Monochrome to colour: 1 becomes the image context's background
        // colour, so the key XOR key is black; 0 is black and leaves the rest.
        BitBlt(imageDc, 0, 0, info.bmWidth, info.bmHeight, maskDc, 0, 0, SRCINVERT);
        SelectObject(imageDc, oldImage);
        SelectObject(maskDc, oldMask);
    }
    if (imageDc) DeleteDC(imageDc);
    if (maskDc) DeleteDC(maskDc);
    return mask;
}

int Draw(HDC dc, HWND wnd, const Record& r, int x, int y, int a, int b, int c, int d, int mode, HBITMAP image,
         HBITMAP mask) {
    HDC own = dc ? nullptr : GetDC(wnd);
    HDC target = dc ? dc : own;
    if (!target) return 1;
    HPALETTE palette = nullptr;
    if (r.loaded) {
        SetROP2(target, R2_NOP);
        SetStretchBltMode(target, COLORONCOLOR);
        SetBkMode(target, TRANSPARENT);
        HPALETTE previous = nullptr;
        palette = MakePalette(r);
        if (palette) {
            previous = SelectPalette(target, palette, FALSE);
            RealizePalette(target);
        }
        DrawByMode(target, r, x, y, a, b, c, d, mode, image, mask);
        if (palette) {
            SelectPalette(target, previous, FALSE);
            RealizePalette(target);
        }
    }
    if (own) ReleaseDC(wnd, own);
    if (palette) DeleteObject(palette);
    return 1;
}

void Free(Record& r) { clear(r); }

}  // namespace tessel::bitmap
