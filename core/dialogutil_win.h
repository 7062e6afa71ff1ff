// Helpers shared by the dialogs and commands: centring, window text copy,
// file test, clipboard text transfer, and the icon painting every dialog does.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tessel::dialogutil {

// Centres the window on the screen (a desktop wider than 4:3 counts as a 4:3
// area at its left edge).
void CentreWindow(HWND wnd);

// The window's whole text in new zero-filled movable global memory, locked;
// release with FreeWindowText. Null when no memory could be had.
char* CopyWindowText(HWND wnd);
void FreeWindowText(char* text);

// True when the file can be opened for reading.
bool FileTest(const char* path);

// Puts `length` characters of `text` on the clipboard as CF_TEXT; mode 10
// empties the clipboard first. 1 on success, 0 on failure.
int TransferToClipboard(HWND owner, const char* text, int length, int mode);

// The shared WM_PAINT of the dialogs: paints `icon` into the placeholder.
void PaintDialogIcon(HWND dialog, int placeholderId, HICON icon);

// The instance a window was created with: dialogs run with their owner's.
HINSTANCE InstanceOf(HWND wnd);

// The class icon of the window (the main window's icon for its dialogs).
HICON ClassIcon(HWND wnd);

// ------------------------------------------------------------ modal dialogs
// One way to run a parameter dialog: a template, its icon placeholder and a
// record passed through lParam and kept in the dialog's user data. The helper
// applies what every dialog shares: centred at WM_INITDIALOG, the icon painted
// into its placeholder, WM_CLOSE taken as cancel, OK reading the fields into
// the record, and no exception leaving the dialog procedure (out of memory
// shows "Unzureichender Speicher" and cancels). A dialog with more to do
// (owner-drawn or coloured controls, clicks on the dialog itself) takes the
// other messages through its message hook.
template <typename Record>
struct DialogKind {
    const char* templateName;
    int iconPlaceholder;  // 0: the dialog paints no icon
    // Fills the controls from the record; returns what WM_INITDIALOG returns
    // (FALSE when it set the focus itself).
    BOOL (*init)(HWND dialog, Record& record);
    // OK: reads the controls into the record; false keeps the dialog open.
    bool (*read)(HWND dialog, Record& record);
    // Any other WM_COMMAND; may be null. Returns TRUE when handled.
    INT_PTR (*command)(HWND dialog, WPARAM wParam, Record& record) = nullptr;
    // Every message but WM_INITDIALOG, before the shared handling; may be
    // null. A non-zero result is what the dialog procedure returns (TRUE, or
    // a brush for WM_CTLCOLOR*), and the shared handling is skipped.
    INT_PTR (*message)(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, Record& record) = nullptr;
};

// The type-free core behind Ask(). End codes: 1 OK, 0 cancel, -1 the dialog
// could not be created; a dialog may end itself with other codes.
struct DialogCall {
    const char* templateName;
    int iconPlaceholder;
    HICON icon;
    const void* kind;
    void* record;
    BOOL (*init)(HWND, const void* kind, void* record);
    bool (*read)(HWND, const void* kind, void* record);
    INT_PTR (*command)(HWND, WPARAM, const void* kind, void* record);
    INT_PTR (*message)(HWND, UINT, WPARAM, LPARAM, const void* kind, void* record);
};
INT_PTR RunDialog(HWND owner, DialogCall& call);

template <typename Record>
struct DialogThunks {
    static const DialogKind<Record>& Kind(const void* k) { return *static_cast<const DialogKind<Record>*>(k); }
    static BOOL Init(HWND d, const void* k, void* r) {
        return Kind(k).init ? Kind(k).init(d, *static_cast<Record*>(r)) : TRUE;
    }
    static bool Read(HWND d, const void* k, void* r) {
        return Kind(k).read ? Kind(k).read(d, *static_cast<Record*>(r)) : true;
    }
    static INT_PTR Command(HWND d, WPARAM w, const void* k, void* r) {
        return Kind(k).command ? Kind(k).command(d, w, *static_cast<Record*>(r)) : FALSE;
    }
    static INT_PTR Message(HWND d, UINT m, WPARAM w, LPARAM l, const void* k, void* r) {
        return Kind(k).message ? Kind(k).message(d, m, w, l, *static_cast<Record*>(r)) : FALSE;
    }
};

// Runs the dialog modally with the owner's instance on `record`, showing
// `icon` (null: the owner's class icon); returns the end code.
template <typename Record>
INT_PTR Run(HWND owner, const DialogKind<Record>& kind, Record& record, HICON icon = nullptr) {
    DialogCall call{kind.templateName, kind.iconPlaceholder, icon, &kind, &record,
                    &DialogThunks<Record>::Init, &DialogThunks<Record>::Read, &DialogThunks<Record>::Command,
                    &DialogThunks<Record>::Message};
    return RunDialog(owner, call);
}

// The same for a parameter dialog: the record as OK left it, or nothing on
// cancel, close or failure.
template <typename Record>
std::optional<Record> Ask(HWND owner, const DialogKind<Record>& kind, Record start, HICON icon = nullptr) {
    if (Run(owner, kind, start, icon) != 1) return std::nullopt;
    return start;
}

// The record of the dialog being run, inside its callbacks.
template <typename Record>
Record& RecordOf(HWND dialog) {
    return *static_cast<Record*>(reinterpret_cast<DialogCall*>(GetWindowLongPtrA(dialog, DWLP_USER))->record);
}

// A window's or a control's whole text.
std::string WindowText(HWND wnd);
std::string ItemText(HWND dialog, int id);

}  // namespace tessel::dialogutil
