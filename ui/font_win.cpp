#include "ui/font_win.h"

#include <cstdio>

namespace tessel::font {
namespace {

LOGFONTA g_record;
HFONT g_current;

const char kSection[] = "LOGFONT";

int ReadKey(const char* key, int fallback, const char* ini) {
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, ini));
}

void WriteKey(const char* key, int value, const char* ini) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(kSection, key, text, ini);
}

// Height, width, escapement, orientation and weight are stored as 16-bit values.
LONG Cut16(int value) { return static_cast<short>(value & 0xFFFF); }
BYTE Low8(int value) { return static_cast<BYTE>(value & 0xFF); }

void Replace(HWND edit, HFONT font) {
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (g_current && g_current != font) DeleteObject(g_current);
    g_current = font;
}

}  // namespace

void Load(HWND edit, const char* ini) {
    g_record = LOGFONTA{};
    g_record.lfHeight = Cut16(ReadKey("LGF01", -17, ini));
    g_record.lfWidth = Cut16(ReadKey("LGF02", 0, ini));
    g_record.lfEscapement = Cut16(ReadKey("LGF03", 0, ini));
    g_record.lfOrientation = Cut16(ReadKey("LGF04", 0, ini));
    g_record.lfWeight = Cut16(ReadKey("LGF05", 400, ini));
    g_record.lfItalic = Low8(ReadKey("LGF06", 0, ini));
    g_record.lfUnderline = Low8(ReadKey("LGF07", 0, ini));
    g_record.lfStrikeOut = Low8(ReadKey("LGF08", 0, ini));
    g_record.lfCharSet = Low8(ReadKey("LGF09", 0, ini));
    g_record.lfOutPrecision = Low8(ReadKey("LGF10", 1, ini));
    g_record.lfClipPrecision = Low8(ReadKey("LGF11", 2, ini));
    g_record.lfQuality = Low8(ReadKey("LGF12", 1, ini));
    g_record.lfPitchAndFamily = Low8(ReadKey("LGF13", 49, ini));
    GetPrivateProfileStringA(kSection, "LGF14", "Fixedsys", g_record.lfFaceName, sizeof g_record.lfFaceName, ini);

    HFONT font = CreateFontIndirectA(&g_record);
    if (font)
        Replace(edit, font);
    else
        UseDefault(edit);
}

void UseDefault(HWND edit) {
    GetObjectA(GetStockObject(SYSTEM_FIXED_FONT), sizeof g_record, &g_record);
    Replace(edit, CreateFontIndirectA(&g_record));
}

void Apply(HWND edit) {
    if (HFONT font = CreateFontIndirectA(&g_record)) Replace(edit, font);
}

void Save(const char* ini) {
    WriteKey("LGF01", g_record.lfHeight, ini);
    WriteKey("LGF02", g_record.lfWidth, ini);
    WriteKey("LGF03", g_record.lfEscapement, ini);
    WriteKey("LGF04", g_record.lfOrientation, ini);
    WriteKey("LGF05", g_record.lfWeight, ini);
    WriteKey("LGF06", g_record.lfItalic, ini);
    WriteKey("LGF07", g_record.lfUnderline, ini);
    WriteKey("LGF08", g_record.lfStrikeOut, ini);
    WriteKey("LGF09", g_record.lfCharSet, ini);
    WriteKey("LGF10", g_record.lfOutPrecision, ini);
    WriteKey("LGF11", g_record.lfClipPrecision, ini);
    WriteKey("LGF12", g_record.lfQuality, ini);
    WriteKey("LGF13", g_record.lfPitchAndFamily, ini);
    WritePrivateProfileStringA(kSection, "LGF14", g_record.lfFaceName, ini);
}

void Release() {
    if (g_current) DeleteObject(g_current);
    g_current = nullptr;
}

const LOGFONTA& Record() { return g_record; }

}  // namespace tessel::font
