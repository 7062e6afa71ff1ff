#include "core/dialogutil_win.h"

#include <cstring>
#include <new>

#include "core/msgbox_win.h"

#include "core/centring.h"

namespace tessel::dialogutil {

void CentreWindow(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    centring::Position p = centring::centredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                     r.right - r.left, r.bottom - r.top);
    MoveWindow(wnd, p.x, p.y, r.right - r.left, r.bottom - r.top, FALSE);
}

char* CopyWindowText(HWND wnd) {
    int length = GetWindowTextLengthA(wnd);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(length) + 1);
    if (!block) return nullptr;
    char* text = static_cast<char*>(GlobalLock(block));
    if (!text) {
        GlobalFree(block);
        return nullptr;
    }
    GetWindowTextA(wnd, text, length + 1);
    return text;
}

void FreeWindowText(char* text) {
    if (!text) return;
    HGLOBAL block = GlobalHandle(text);
    GlobalUnlock(block);
    GlobalFree(block);
}

bool FileTest(const char* path) {
    if (!path || !*path) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    // A directory opens too, but it is no file to read.
    return !(GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY);
}

int TransferToClipboard(HWND owner, const char* text, int length, int mode) {
    if (!text || !*text || length <= 0) return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(length) + 1);
    if (!block) return 0;
    char* data = static_cast<char*>(GlobalLock(block));
    std::memcpy(data, text, static_cast<size_t>(length));
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return 0;
    }
    if (mode == 10) EmptyClipboard();
    bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!taken) GlobalFree(block);  // the clipboard owns it only when it took it
    CloseClipboard();
    return taken ? 1 : 0;
}

void PaintDialogIcon(HWND dialog, int placeholderId, HICON icon) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    SetBkMode(dc, TRANSPARENT);
    EndPaint(dialog, &ps);
    HWND holder = GetDlgItem(dialog, placeholderId);
    if (!holder || !icon) return;
    // The placeholder carries no icon of its own; paint over it.
    InvalidateRect(holder, nullptr, TRUE);
    UpdateWindow(holder);
    HDC hdc = GetDC(holder);
    SetBkMode(hdc, TRANSPARENT);
    DrawIcon(hdc, 0, 0, icon);
    ReleaseDC(holder, hdc);
}

HINSTANCE InstanceOf(HWND wnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(wnd, GWLP_HINSTANCE));
}

HICON ClassIcon(HWND wnd) {
    return reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICON));
}

namespace {

INT_PTR CALLBACK SharedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<DialogCall*>(GetWindowLongPtrA(dialog, DWLP_USER));
    try {
        if (msg == WM_INITDIALOG) {
            call = reinterpret_cast<DialogCall*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            CentreWindow(dialog);
            return call->init(dialog, call->kind, call->record);
        }
        if (call)
            if (const INT_PTR handled = call->message(dialog, msg, wParam, lParam, call->kind, call->record))
                return handled;
        switch (msg) {
        case WM_PAINT:
            if (!call || !call->iconPlaceholder) return FALSE;
            PaintDialogIcon(dialog, call->iconPlaceholder, call->icon ? call->icon : ClassIcon(GetParent(dialog)));
            return TRUE;
        case WM_CLOSE:
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        case WM_COMMAND:
            if (!call) return FALSE;
            switch (LOWORD(wParam)) {
            case IDOK:
                if (call->read(dialog, call->kind, call->record)) EndDialog(dialog, 1);
                return TRUE;
            case IDCANCEL:
                EndDialog(dialog, 0);
                return TRUE;
            default:
                return call->command(dialog, wParam, call->kind, call->record);
            }
        default:
            return FALSE;
        }
    } catch (const std::bad_alloc&) {
        msgbox::ReportOutOfMemory(dialog);
        EndDialog(dialog, 0);
        return TRUE;
    }
}

}  // namespace

INT_PTR RunDialog(HWND owner, DialogCall& call) {
    return DialogBoxParamA(InstanceOf(owner), call.templateName, owner, SharedDialogProc, reinterpret_cast<LPARAM>(&call));
}

std::string WindowText(HWND wnd) {
    const int length = wnd ? GetWindowTextLengthA(wnd) : 0;
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(wnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

}  // namespace tessel::dialogutil
