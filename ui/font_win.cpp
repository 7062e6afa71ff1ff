#include "ui/font_win.h"

#include <commdlg.h>

#include <cstddef>
#include <cstdio>

#include "core/deferred_win.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"

namespace tessel::font {
namespace {

LOGFONTA g_record;
HFONT g_current;
COLORREF g_effects;   // shown in the dialog's effects group; never applied to the text

const char kSection[] = "LOGFONT";
const char kFaceKey[] = "LGF14";

// Height, width, escapement, orientation and weight are stored as 16-bit values.
LONG Cut16(int value) { return static_cast<short>(value & 0xFFFF); }
BYTE Low8(int value) { return static_cast<BYTE>(value & 0xFF); }

// The thirteen numeric LOGFONT fields in key order: the first five are
// 32-bit fields kept to 16 bits, the others bytes.
struct Field {
    const char* key;
    size_t offset;
    bool wide;
    int fallback;
};

constexpr Field kFields[] = {
    {"LGF01", offsetof(LOGFONTA, lfHeight), true, -17},
    {"LGF02", offsetof(LOGFONTA, lfWidth), true, 0},
    {"LGF03", offsetof(LOGFONTA, lfEscapement), true, 0},
    {"LGF04", offsetof(LOGFONTA, lfOrientation), true, 0},
    {"LGF05", offsetof(LOGFONTA, lfWeight), true, 400},
    {"LGF06", offsetof(LOGFONTA, lfItalic), false, 0},
    {"LGF07", offsetof(LOGFONTA, lfUnderline), false, 0},
    {"LGF08", offsetof(LOGFONTA, lfStrikeOut), false, 0},
    {"LGF09", offsetof(LOGFONTA, lfCharSet), false, 0},
    {"LGF10", offsetof(LOGFONTA, lfOutPrecision), false, 1},
    {"LGF11", offsetof(LOGFONTA, lfClipPrecision), false, 2},
    {"LGF12", offsetof(LOGFONTA, lfQuality), false, 1},
    {"LGF13", offsetof(LOGFONTA, lfPitchAndFamily), false, 49},
};

BYTE* FieldAddress(const Field& f) { return reinterpret_cast<BYTE*>(&g_record) + f.offset; }

void Replace(HWND edit, HFONT font) {
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (g_current && g_current != font) DeleteObject(g_current);
    g_current = font;
}

LRESULT FontCommand(HWND main, unsigned, LPARAM) {
    HWND edit = shell::EditControl();
    const LOGFONTA before = g_record;
    if (Choose(main)) {
        const HFONT old = g_current;
        Apply(edit);
        // A font that cannot be created keeps the old one, and the record
        // keeps describing it.
        if (g_current == old) g_record = before;
    }
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_FONT, FontCommand},
};

}  // namespace

void Load() {
    HWND edit = shell::EditControl();
    g_record = LOGFONTA{};
    g_effects = 0;   // the dialog's colour starts black at every start
    for (const Field& f : kFields) {
        int value = settings::ReadInt(kSection, f.key, f.fallback);
        if (f.wide)
            *reinterpret_cast<LONG*>(FieldAddress(f)) = Cut16(value);
        else
            *FieldAddress(f) = Low8(value);
    }
    lstrcpynA(g_record.lfFaceName,
              settings::ReadString(kSection, kFaceKey, sizeof g_record.lfFaceName, "Fixedsys").c_str(),
              sizeof g_record.lfFaceName);

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

void Save() {
    for (const Field& f : kFields)
        settings::WriteInt(kSection, f.key,
                           f.wide ? static_cast<int>(*reinterpret_cast<LONG*>(FieldAddress(f))) : *FieldAddress(f));
    settings::WriteString(kSection, kFaceKey, g_record.lfFaceName);
}

void Release() {
    if (g_current) DeleteObject(g_current);
    g_current = nullptr;
}

const LOGFONTA& Record() { return g_record; }

bool Choose(HWND owner) {
    // The dialog edits a copy: a cancelled dialog leaves the record as it was.
    LOGFONTA chosen = g_record;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &chosen;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = g_effects;
    const bool confirmed = deferred::ChooseFontA(&cf) != FALSE;
    g_effects = cf.rgbColors;
    if (confirmed) g_record = chosen;
    return confirmed;
}

COLORREF EffectsColour() { return g_effects; }

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::font
