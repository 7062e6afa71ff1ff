#include "core/msgbox_win.h"

#include <cstdio>
#include <string>

namespace tessel::msgbox {

int Show(const Message& message, HWND owner, const char* arg) {
    if (!owner) owner = GetFocus();
    if (!arg) return MessageBoxA(owner, message.text, message.caption, message.flags);
    std::string text(std::char_traits<char>::length(message.text) + std::char_traits<char>::length(arg) + 1, '\0');
    const int n = std::snprintf(text.data(), text.size(), message.text, arg);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return MessageBoxA(owner, text.c_str(), message.caption, message.flags);
}

int ShowText(const char* text, const Message& kind, HWND owner) {
    return MessageBoxA(owner ? owner : GetFocus(), text, kind.caption, kind.flags);
}

void ReportOutOfMemory(HWND owner) {
    // Built from constants only: nothing here may need memory of its own.
    MessageBoxA(owner, kOutOfMemory.text, kOutOfMemory.caption, kOutOfMemory.flags);
}

}  // namespace tessel::msgbox
