#include "ui/dialogutil_win.h"

#include <cstring>

#include "ui/centring.h"

namespace tessel::ui {

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

HICON ClassIcon(HWND wnd) {
    return reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICON));
}

}  // namespace tessel::ui
