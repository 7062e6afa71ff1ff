#include "app/commands_win.h"

#include <cstdio>

#include "app/mainwindow_win.h"
#include "core/msgbox_win.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "document/doccommands_win.h"
#include "document/document_win.h"
#include "document/drop_win.h"
#include "document/print_win.h"
#include "lisp/dde_win.h"
#include "lisp/lispcommands_win.h"
#include "textops/casing_win.h"
#include "textops/lineops_win.h"
#include "textops/search_win.h"
#include "textops/sorting_win.h"
#include "textops/textcommands_win.h"
#include "textops/textblocks_win.h"
#include "ui/about_win.h"
#include "ui/colours_win.h"
#include "ui/font_win.h"
#include "ui/quickhelp_win.h"
#include "ui/statusbar_win.h"
#include "resources/ids.h"

namespace tessel::commands {
namespace {

constexpr msgbox::Message kHelpNotLoaded{"Fehler beim Laden der Hilfe", msgbox::kCaptionWarning, MB_ICONERROR};

LRESULT SendToEdit(UINT msg) {
    SendMessageA(shell::EditControl(), msg, 0, 0);
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
    SendMessageA(shell::EditControl(), EM_SETSEL, 0, limits::kSelectAllEnd);
    return 0;
}

LRESULT InsertDateTime(HWND, unsigned, LPARAM) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d  %02d-%02d-%d", t.wHour, t.wMinute, t.wSecond, t.wDay,
                  t.wMonth, t.wYear);
    SendMessageA(shell::EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    return 0;
}

LRESULT StandardColours(HWND, unsigned, LPARAM) {
    colours::Set(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    colours::RepaintEdit(shell::EditControl());
    return 0;
}

LRESULT SaveSize(HWND, unsigned, LPARAM) {
    mainwindow::SaveWindowSizeCommand();
    return 0;
}

LRESULT ResetSize(HWND, unsigned, LPARAM) {
    mainwindow::ResetWindowSizeCommand();
    return 0;
}

LRESULT LoadSize(HWND, unsigned, LPARAM) {
    mainwindow::LoadWindowSizeCommand();
    return 0;
}

LRESULT StartupCommand(HWND, unsigned, LPARAM) {
    mainwindow::RestoreTopmostCommand();
    drop::FillIniCombo();
    return 0;
}

LRESULT QuickHelp(HWND main, unsigned, LPARAM) {
    if (!quickhelp::ShowQuickHelp(main, "HELPTEXT", "Kurze Anleitung"))
        msgbox::Show(kHelpNotLoaded);
    return 0;
}

LRESULT Status(HWND, unsigned, LPARAM) {
    statusbar::Update(shell::EditControl());
    return 0;
}

// The commands whose whole logic lives here.
constexpr command::CommandEntry kAppCommands[] = {
    {CMD_STARTUP, StartupCommand},
    {CMD_EXIT, Exit},
    {CMD_UNDO, Undo},
    {CMD_CUT, Cut},
    {CMD_COPY, Copy},
    {CMD_PASTE, Paste},
    {CMD_CLEAR, Clear},
    {CMD_SELECTALL, SelectAll},
    {CMD_DATETIME, InsertDateTime},
    {CMD_STDCOLORS, StandardColours},
    {CMD_SIZESAVE, SaveSize},
    {CMD_SIZERESET, ResetSize},
    {CMD_SIZELOAD, LoadSize},
    {CMD_HELP, QuickHelp},
    {CMD_STATUS, Status},
};

// Every module's table, searched in turn.
const command::CommandTable kTables[] = {
    command::MakeTable(kAppCommands),
    doccommands::Commands(),
    textcommands::Commands(),
    textblocks::Commands(),
    colours::Commands(),
    font::Commands(),
    print::Commands(),
    search::Commands(),
    sorting::Commands(),
    casing::Commands(),
    about::Commands(),
    lispcommands::Commands(),
};

const command::CommandEntry* FindCommand(unsigned id) {
    for (const command::CommandTable& table : kTables)
        for (std::size_t i = 0; i < table.count; ++i)
            if (table.entries[i].Serves(id)) return &table.entries[i];
    return nullptr;
}

}  // namespace

LRESULT DispatchCommand(HWND main, WPARAM wParam, LPARAM lParam) {
    const unsigned id = LOWORD(wParam);
    const unsigned code = HIWORD(wParam);

    if (id == IDC_EDIT && reinterpret_cast<HWND>(lParam) == shell::EditControl() && lParam) {
        switch (code) {
        case EN_UPDATE:
            document::SetModified(true);
            return 0;
        case EN_ERRSPACE:
            lineops::NoteCapacity(true);
            return 0;
        case EN_MAXTEXT:
            lineops::NoteCapacity(false);
            return 0;
        default:
            return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
        }
    }
    if (id == IDC_INICOMBO && reinterpret_cast<HWND>(lParam) == shell::IniCombo() && lParam) {
        if (code != CBN_SELCHANGE) return 0;
        drop::OpenSelectedIniFile();
        return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
    }

    const command::CommandEntry* entry = FindCommand(id);
    if (!entry) return DefWindowProcA(main, WM_COMMAND, wParam, lParam);
    return entry->run(main, id, lParam);
}

void InitMenuPopup(HMENU popup, int position) {
    HWND edit = shell::EditControl();
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
        bool free = !search::DialogOpen();
        enable(CMD_FIND, free);
        enable(CMD_FINDNEXT, free);
        enable(CMD_REPLACE, free);
        break;
    }
    case 4: {
        for (int mode = 0; mode < drop::kDropActionCount; ++mode) {
            const auto action = static_cast<drop::DropAction>(mode);
            CheckMenuItem(popup, drop::DropActionCommand(action),
                          MF_BYCOMMAND | (drop::DropMode() == action ? MF_CHECKED : MF_UNCHECKED));
        }
        break;
    }
    default:
        break;
    }
}

bool HandleOtherMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)lParam;
    if (dde::HandleMessage(main, msg, wParam, lParam, result)) return true;
    if (search::HandleMessage(main, msg, wParam, lParam, result)) return true;
    if (msg == WM_DROPFILES) {
        drop::HandleDrop(main, reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace tessel::commands
