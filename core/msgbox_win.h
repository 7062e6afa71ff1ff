// Message boxes: every text the program shows goes through here, so captions,
// icons and owners are chosen in one place. Each module keeps its messages in
// one table of `Message` records and shows them with Show().
#pragma once
#include <windows.h>

namespace tessel::msgbox {

inline constexpr char kCaptionTessel[] = "Tessel";
inline constexpr char kCaptionWarning[] = "Warnung";
inline constexpr char kCaptionNote[] = "Meldung";

// A message: its text (with at most one "%s"), caption and flags (icon and
// buttons).
struct Message {
    const char* text;
    const char* caption;
    UINT flags;
};

// Edit-control capacity errors and out of memory; "Warnung" failures.
inline constexpr Message kOutOfMemory{"Unzureichender Speicher", kCaptionTessel, MB_ICONERROR};
inline constexpr Message kCapacityReached{"Kapazitätsgrenzen erreicht.", kCaptionTessel, MB_ICONERROR};

// Shows `message` with its "%s" filled by `arg` (the text is shown as it is
// when `arg` is null), owned by `owner` or, when that is null, by the window
// that has the keyboard focus. Returns the button pressed.
int Show(const Message& message, HWND owner = nullptr, const char* arg = nullptr);

// A text made elsewhere, with the caption and flags of `kind`.
int ShowText(const char* text, const Message& kind, HWND owner = nullptr);

// For a handler that caught std::bad_alloc: the out-of-memory message.
void ReportOutOfMemory(HWND owner);

}  // namespace tessel::msgbox
