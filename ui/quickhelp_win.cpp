#include "ui/quickhelp_win.h"

#include <string_view>

#include "resources/ids.h"
#include "core/dialogutil_win.h"
#include "ui/helplines.h"

namespace tessel::quickhelp {
namespace {

// End code of a help text that could not be had.
constexpr INT_PTR kNoHelpText = 2;

struct HelpRecord {
    HINSTANCE instance;
    const char* resourceName;
    const char* title;
};

// Fills the list from the text resource; false when it cannot be had.
bool FillList(HWND dialog, const HelpRecord& r) {
    HRSRC found = FindResourceA(r.instance, r.resourceName, "TEXT");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(r.instance, found);
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) return false;
    const DWORD size = SizeofResource(r.instance, found);
    HWND list = GetDlgItem(dialog, IDC_HELP_LIST);
    for (const std::string& line : helplines::splitHelpLines(std::string_view(text, size)))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return true;
}

const dialogutil::DialogKind<HelpRecord> kHelpDialog{
    "QUICKHELP", IDC_HELP_ICON,
    [](HWND d, HelpRecord& r) -> BOOL {
        SetWindowTextA(d, r.title);
        if (!FillList(d, r)) EndDialog(d, kNoHelpText);
        return TRUE;
    },
    nullptr};

}  // namespace

int ShowQuickHelp(HWND owner, const char* resourceName, const char* title) {
    HelpRecord record{dialogutil::InstanceOf(owner), resourceName,
                      title ? title : ""};
    const INT_PTR result = dialogutil::Run(owner, kHelpDialog, record);
    // Closing the list, with its button or otherwise, is the normal end.
    return result == 1 || result == 0 ? 1 : 0;
}

}  // namespace tessel::quickhelp
