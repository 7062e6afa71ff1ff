#include "core/inputdialog_win.h"

#include <string>

#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::inputdialog {
namespace {

struct InputRecord {
    const char* prompt;
    const char* title;
    std::string text;
};

const dialogutil::DialogKind<InputRecord> kInputDialog{
    "INPUT", IDC_INPUT_ICON,
    [](HWND d, InputRecord& r) -> BOOL {
        SetDlgItemTextA(d, IDC_INPUT_PROMPT, r.prompt);
        SetDlgItemTextA(d, IDC_INPUT_EDIT, r.text.c_str());
        SendDlgItemMessageA(d, IDC_INPUT_EDIT, EM_LIMITTEXT, kInputTextMax, 0);
        SetWindowTextA(d, r.title);
        return TRUE;
    },
    [](HWND d, InputRecord& r) {
        char text[kInputBufferSize] = "";
        GetDlgItemTextA(d, IDC_INPUT_EDIT, text, kInputBufferSize);
        r.text = text;
        return true;
    }};

// The icon a selector names, loaded from the owner's resources; null for any
// other selector, which shows the owner's class icon.
HICON LoadSelectedIcon(HWND owner, int iconSelector) {
    const char* name = nullptr;
    switch (iconSelector) {
    case kInputIconInfo: name = "ICONINFO"; break;
    case kInputIconStop: name = "ICONSTOP"; break;
    case kInputIconQuestion: name = "ICONFRAG"; break;
    default: return nullptr;
    }
    return static_cast<HICON>(LoadImageA(dialogutil::InstanceOf(owner), name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace

int InputDialog(HWND owner, char* buffer, const char* prompt, const char* title, int iconSelector) {
    if (!buffer) return -1;
    InputRecord start{prompt ? prompt : "", title ? title : "", buffer};
    HICON icon = LoadSelectedIcon(owner, iconSelector);
    const INT_PTR result = dialogutil::Run(owner, kInputDialog, start, icon);
    if (icon) DestroyIcon(icon);
    if (result == -1) return -1;
    if (result != 1) return 0;
    lstrcpynA(buffer, start.text.c_str(), kInputBufferSize);
    return 1;
}

}  // namespace tessel::inputdialog
