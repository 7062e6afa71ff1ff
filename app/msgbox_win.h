// Message boxes: every text the program shows goes through here, so captions,
// icons and owners are chosen in one place.
#pragma once
#include <windows.h>

namespace tessel {

extern const char kCaptionTessel[];       // "Tessel"
extern const char kCaptionWarning[];      // "Warnung"
extern const char kCaptionNote[];         // "Meldung"
extern const char kTextOutOfMemory[];     // "Unzureichender Speicher"

// Shows a message box owned by `owner` and returns the button pressed.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);

// The same, owned by the window that has the keyboard focus.
int ShowFocusMessage(const char* text, const char* caption, UINT flags);

// "Warnung" with the error icon, owned by the focus window: failures such as
// missing files.
void ShowFailure(const char* text);

}  // namespace tessel
