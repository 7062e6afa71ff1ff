#include "ui/quickhelp_win.h"

#include <string_view>

#include "ui/dialogutil_win.h"
#include "ui/helplines.h"

namespace tessel::ui {
namespace {

constexpr int kList = 102;
constexpr int kIconHolder = 105;

HINSTANCE g_instance;
const char* g_title;

// Fills the list from the text resource; false when it cannot be had.
bool FillList(HWND dialog, const char* resourceName) {
    HRSRC found = FindResourceA(g_instance, resourceName, "TEXT");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(g_instance, found);
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) return false;
    const DWORD size = SizeofResource(g_instance, found);
    HWND list = GetDlgItem(dialog, kList);
    for (const std::string& line : helplines::splitHelpLines(std::string_view(text, size)))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return true;
}

INT_PTR CALLBACK QuickHelpProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, g_title);
        CentreWindow(dialog);
        if (!FillList(dialog, reinterpret_cast<const char*>(lParam))) EndDialog(dialog, 0);
        return TRUE;
    case WM_PAINT:
        PaintDialogIcon(dialog, kIconHolder, ClassIcon(GetParent(dialog)));
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

int ShowQuickHelp(HWND owner, const char* resourceName, const char* title) {
    g_instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    g_title = title ? title : "";
    INT_PTR result = DialogBoxParamA(g_instance, "QUICKHELP", owner, QuickHelpProc,
                                     reinterpret_cast<LPARAM>(resourceName));
    return result == 1 ? 1 : 0;
}

}  // namespace tessel::ui
