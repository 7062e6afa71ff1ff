#include "ui/statusbar_win.h"

#include <cstdio>

namespace tessel::statusbar {
namespace {

char g_text[64] = "Zeile : 1 - Spalte : 1";

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
}

}  // namespace tessel::statusbar
