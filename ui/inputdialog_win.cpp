#include "ui/inputdialog_win.h"

#include "ui/dialogutil_win.h"

namespace tessel::ui {
namespace {

constexpr int kEditId = 101;
constexpr int kIconId = 102;
constexpr int kPromptId = 104;

// The parameters of the one open input dialog.
struct InputState {
    HWND owner = nullptr;
    char* buffer = nullptr;
    const char* prompt = "";
    const char* title = "";
    int iconSelector = 0;
    HICON icon = nullptr;
    bool iconLoaded = false;
};
InputState g_input;

HICON ChooseIcon(HWND dialog) {
    const char* name = nullptr;
    switch (g_input.iconSelector) {
    case kInputIconInfo: name = "ICONINFO"; break;
    case kInputIconStop: name = "ICONSTOP"; break;
    case kInputIconQuestion: name = "ICONFRAG"; break;
    default: break;
    }
    if (!name) return ClassIcon(g_input.owner ? g_input.owner : GetParent(dialog));
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    HICON icon = static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    g_input.iconLoaded = icon != nullptr;
    return icon;
}

INT_PTR CALLBACK InputProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        g_input.iconLoaded = false;
        CentreWindow(dialog);
        SetDlgItemTextA(dialog, kPromptId, g_input.prompt);
        SetDlgItemTextA(dialog, kEditId, g_input.buffer);
        SendDlgItemMessageA(dialog, kEditId, EM_LIMITTEXT, kInputTextMax, 0);
        SetWindowTextA(dialog, g_input.title);
        g_input.icon = ChooseIcon(dialog);
        return TRUE;
    case WM_PAINT:
        PaintDialogIcon(dialog, kIconId, g_input.icon);
        return TRUE;
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            GetDlgItemTextA(dialog, kEditId, g_input.buffer, kInputBufferSize);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        if (g_input.iconLoaded && g_input.icon) DestroyIcon(g_input.icon);
        g_input.icon = nullptr;
        g_input.iconLoaded = false;
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int InputDialog(HWND owner, char* buffer, const char* prompt, const char* title, int iconSelector) {
    if (!buffer) return -1;
    g_input = InputState{};
    g_input.owner = owner;
    g_input.buffer = buffer;
    g_input.prompt = prompt ? prompt : "";
    g_input.title = title ? title : "";
    g_input.iconSelector = iconSelector;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    INT_PTR result = DialogBoxParamA(instance, "INPUT", owner, InputProc, 0);
    if (result == -1) return -1;
    return result == 1 ? 1 : 0;
}

}  // namespace tessel::ui
