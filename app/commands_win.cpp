#include "app/commands_win.h"

#include <cstdio>

#include "app/mainwindow_win.h"
#include "app/msgbox_win.h"
#include "app/settings_win.h"
#include "document/doccommands_win.h"
#include "document/document_win.h"
#include "document/drop_win.h"
#include "textops/textcommands_win.h"
#include "ui/quickhelp_win.h"
#include "resources/ids.h"

namespace tessel {
namespace {

LRESULT SendToEdit(UINT msg) {
    SendMessageA(EditControl(), msg, 0, 0);
    return 0;
}

LRESULT Exit(HWND main, unsigned, LPARAM) {
    SendMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT Undo(HWND, unsigned, LPARAM) { return SendToEdit(WM_UNDO); }
LRESULT Cut(HWND, unsigned, LPARAM) { return SendToEdit(WM_CUT); }
LRESULT Copy(HWND, unsigned, LPARAM) { return SendToEdit(WM_COPY); }
LRESULT Paste(HWND, unsigned, LPARAM) { return SendToEdit(WM_PASTE); }
LRESULT Clear(HWND, unsigned, LPARAM) { return SendToEdit(WM_CLEAR); }

LRESULT SelectAll(HWND, unsigned, LPARAM) {
    SendMessageA(EditControl(), EM_SETSEL, 0, 0x7FFF);
    return 0;
}

LRESULT InsertDateTime(HWND, unsigned, LPARAM) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d  %02d-%02d-%d", t.wHour, t.wMinute, t.wSecond, t.wDay,
                  t.wMonth, t.wYear);
    SendMessageA(EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    return 0;
}

LRESULT StandardColours(HWND, unsigned, LPARAM) {
    SetColours(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    RepaintEdit();
    return 0;
}

LRESULT SaveSize(HWND, unsigned, LPARAM) {
    SaveWindowSizeCommand();
    return 0;
}

LRESULT ResetSize(HWND, unsigned, LPARAM) {
    ResetWindowSizeCommand();
    return 0;
}

LRESULT LoadSize(HWND, unsigned, LPARAM) {
    LoadWindowSizeCommand();
    return 0;
}

LRESULT StartupCommand(HWND, unsigned, LPARAM) {
    if (settings::ReadInt("WINPOSITION", "TOPMOST", 1) == -1) ToggleTopmostCommand();
    document::FillIniCombo();
    return 0;
}

LRESULT QuickHelp(HWND main, unsigned, LPARAM) {
    if (!ui::ShowQuickHelp(main, "HELPTEXT", "Kurze Anleitung"))
        ShowFocusMessage("Fehler beim Laden der Hilfe", kCaptionWarning, MB_ICONERROR);
    return 0;
}

LRESULT Status(HWND, unsigned, LPARAM) {
    UpdateStatus();
    return 0;
}

// The commands whose whole logic lives here.
constexpr CommandEntry kAppCommands[] = {
    {CMD_STARTUP, StartupCommand, false},
    {CMD_EXIT, Exit, false},
    {CMD_UNDO, Undo, false},
    {CMD_CUT, Cut, false},
    {CMD_COPY, Copy, false},
    {CMD_PASTE, Paste, false},
    {CMD_CLEAR, Clear, false},
    {CMD_SELECTALL, SelectAll, false},
    {CMD_DATETIME, InsertDateTime, false},
    {CMD_STDCOLORS, StandardColours, false},
    {CMD_SIZESAVE, SaveSize, false},
    {CMD_SIZERESET, ResetSize, false},
    {CMD_SIZELOAD, LoadSize, false},
    {CMD_HELP, QuickHelp, false},
    {CMD_STATUS, Status, false},
};

// Every module's table, searched in turn.
const CommandTable kTables[] = {
    MakeTable(kAppCommands),
    document::Commands(),
    textops::Commands(),
};

const CommandEntry* FindCommand(unsigned id) {
    for (const CommandTable& table : kTables)
        for (std::size_t i = 0; i < table.count; ++i)
            if (table.entries[i].id == id) return &table.entries[i];
    return nullptr;
}

}  // namespace

void FormatStatus(char (&out)[64], unsigned line, unsigned column, int bytes) {
    std::snprintf(out, sizeof out, "Zeile : %u - Spalte : %u               %d Byte", line, column, bytes);
}

void UpdateStatus() {
    HWND edit = EditControl();
    DWORD sel = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    WORD caret = HIWORD(sel);
    WORD line = static_cast<WORD>(SendMessageA(edit, EM_LINEFROMCHAR, caret, 0));
    int lineStart = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, line, 0));
    char text[64];
    FormatStatus(text, line + 1u, static_cast<unsigned>(caret - lineStart + 1), GetWindowTextLengthA(edit));
    SetStatusText(text);
    if (HWND bar = FindWindowExA(MainWindow(), nullptr, "MyTesselStatusBar", nullptr)) {
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
    }
}

LRESULT DispatchCommand(HWND main, WPARAM wParam, LPARAM lParam) {
    const unsigned id = LOWORD(wParam);
    const unsigned code = HIWORD(wParam);

    if (id == IDC_EDIT && reinterpret_cast<HWND>(lParam) == EditControl() && lParam) {
        switch (code) {
        case EN_UPDATE:
            document::SetModified(true);
            return 0;
        case EN_ERRSPACE:
            ReportCapacity(true);
            return 0;
        case EN_MAXTEXT:
            ReportCapacity(false);
            return 0;
        default:
            return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
        }
    }
    if (id == IDC_INICOMBO && reinterpret_cast<HWND>(lParam) == IniCombo() && lParam) {
        if (code != CBN_SELCHANGE) return 0;
        document::OpenSelectedIniFile();
        return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
    }

    const CommandEntry* entry = FindCommand(id);
    if (!entry) return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
    LRESULT result = entry->run(main, id, lParam);
    if (entry->readsCapacity) CapacityFlag() = 0;
    return result;
}

void InitMenuPopup(HMENU popup, int position) {
    HWND edit = EditControl();
    auto enable = [popup](unsigned id, bool on) {
        EnableMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    switch (position) {
    case 1: {
        DWORD sel = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
        bool hasSelection = LOWORD(sel) != HIWORD(sel);
        enable(CMD_UNDO, SendMessageA(edit, EM_CANUNDO, 0, 0) != 0);
        enable(CMD_PASTE, IsClipboardFormatAvailable(CF_TEXT) != 0);
        enable(CMD_CUT, hasSelection);
        enable(CMD_COPY, hasSelection);
        enable(CMD_CLEAR, hasSelection);
        break;
    }
    case 3: {
        bool free = FindDialog() == nullptr;
        enable(CMD_FIND, free);
        enable(CMD_FINDNEXT, free);
        enable(CMD_REPLACE, free);
        break;
    }
    case 4: {
        static const unsigned kModeItems[4] = {CMD_DROPOPEN, CMD_DROPTEXT, CMD_DROPAPPEND, CMD_DROPMERGE};
        for (int mode = 0; mode < 4; ++mode)
            CheckMenuItem(popup, kModeItems[mode],
                          MF_BYCOMMAND | (DropMode() == mode ? MF_CHECKED : MF_UNCHECKED));
        break;
    }
    default:
        break;
    }
}

bool HandleOtherMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (msg == WM_DROPFILES) {
        document::HandleDrop(main, reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace tessel
