#include "textops/codepage_win.h"

#include "core/shell_win.h"
#include "core/dialogutil_win.h"

namespace tessel::codepage {
namespace {

// Converts the copy in place, writes it back and marks the document modified.
void ConvertCodePage(HWND edit, bool toAnsi) {
    char* text = dialogutil::CopyWindowText(edit);
    if (!text) return;  // no memory: the text stays as it is
    if (toAnsi)
        OemToCharA(text, text);
    else
        CharToOemA(text, text);
    SetWindowTextA(edit, text);
    dialogutil::FreeWindowText(text);
    InvalidateRect(edit, nullptr, TRUE);
    UpdateWindow(edit);
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    shell::NotifyTextChanged();
}

}  // namespace

void DosToWin(HWND edit) { ConvertCodePage(edit, true); }
void WinToDos(HWND edit) { ConvertCodePage(edit, false); }

}  // namespace tessel::codepage
