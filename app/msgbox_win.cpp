#include "app/msgbox_win.h"

namespace tessel {

const char kCaptionTessel[] = "Tessel";
const char kCaptionWarning[] = "Warnung";
const char kCaptionNote[] = "Meldung";
const char kTextOutOfMemory[] = "Unzureichender Speicher";

int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}

int ShowFocusMessage(const char* text, const char* caption, UINT flags) {
    return MessageBoxA(GetFocus(), text, caption, flags);
}

void ShowFailure(const char* text) {
    ShowFocusMessage(text, kCaptionWarning, MB_ICONERROR);
}

}  // namespace tessel
