#include "core/editctl_win.h"

#include <cstring>

#include "core/dialogutil_win.h"

namespace tessel::editctl {

Text::Text(HWND edit) : text_(dialogutil::CopyWindowText(edit)) {
    if (text_) length_ = std::strlen(text_);
}

Text::~Text() { dialogutil::FreeWindowText(text_); }

Selection GetSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start <= end ? Selection{start, end} : Selection{end, start};
}

void Select(HWND edit, std::size_t start, std::size_t end, bool scroll) {
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    if (scroll) SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

std::size_t Limit(HWND edit) { return static_cast<std::size_t>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)); }

void Replace(HWND edit, std::size_t start, std::size_t end, const char* text) {
    const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    Select(edit, start, end);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    SendMessageA(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}

}  // namespace tessel::editctl
