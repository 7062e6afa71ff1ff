#include "textops/codepage_win.h"

#include "core/shell_win.h"
#include "core/dialogutil_win.h"

namespace tessel::textops {
namespace {

// Converts the copy in place, writes it back and marks the document modified.
LRESULT ConvertCodePage(bool toAnsi) {
    HWND edit = shell::EditControl();
    char* text = ui::CopyWindowText(edit);
    if (!text) return 0;  // no memory: the text stays as it is
    if (toAnsi)
        OemToCharA(text, text);
    else
        CharToOemA(text, text);
    SetWindowTextA(edit, text);
    ui::FreeWindowText(text);
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    shell::NotifyTextChanged();
    return 0;
}

}  // namespace

LRESULT DosToWin(HWND, unsigned, LPARAM) { return ConvertCodePage(true); }
LRESULT WinToDos(HWND, unsigned, LPARAM) { return ConvertCodePage(false); }

}  // namespace tessel::textops
