#include "document/drop_win.h"

#include <string>

#include "core/deferred_win.h"
#include "core/shell_win.h"
#include "core/msgbox_win.h"
#include "document/document_win.h"
#include "document/droplist.h"
#include "document/filetypes.h"
#include "document/sysedit_win.h"
#include "resources/ids.h"

namespace tessel::drop {
namespace {

constexpr UINT kQueryCount = 0xFFFFFFFF;
DropAction g_dropMode = kDropNamesAtCaret;
// The list stopped at its limit; the text comes from the list.
constexpr msgbox::Message kDropLimit{"", msgbox::kCaptionWarning, MB_ICONERROR};

// The dropped file's whole name: the open and merge commands refuse a name
// too long for them rather than take a shortened one, which could name
// another file.
std::string DroppedName(HDROP drop, UINT index) {
    UINT length = deferred::DragQueryFileA(drop, index, nullptr, 0);
    std::string name(length + 1, '\0');
    length = deferred::DragQueryFileA(drop, index, name.data(), length + 1);
    name.resize(length);
    return name;
}

// The name as the 256-byte query buffer of the name list takes it.
std::string ListedName(HDROP drop, UINT index) {
    char name[drop::kMaxNameLength + 1] = {};
    deferred::DragQueryFileA(drop, index, name, sizeof name);
    return name;
}

// Names as a new text or at the caret: the dropped names, one per line.
// Empty when there is no list (no files, or more than 2048).
bool BuildList(HDROP drop, std::string& text) {
    const UINT count = deferred::DragQueryFileA(drop, kQueryCount, nullptr, 0);
    drop::DropList list =
        drop::buildDropList(count, [drop](std::size_t i) { return ListedName(drop, static_cast<UINT>(i)); });
    if (list.stoppedAfter)
        msgbox::ShowText(drop::limitMessage(*list.stoppedAfter).c_str(), kDropLimit);
    if (!list.listed) return false;
    text = std::move(list.text);
    return true;
}

void SendFirstName(HDROP drop, unsigned command) {
    if (deferred::DragQueryFileA(drop, kQueryCount, nullptr, 0) == 0) return;
    document::SetSystemFile(false);
    const std::string name = DroppedName(drop, 0);
    shell::SendCommand(command, reinterpret_cast<LPARAM>(name.c_str()));
}

void NamesAsNewText(HDROP drop) {
    if (!document::ChangeGuard()) return;
    document::SetSystemFile(false);
    SetWindowTextA(shell::EditControl(), "");
    document::ClearPathAndTitle();
    document::UpdateCaption();
    document::SetModified(false);
    std::string text;
    if (!BuildList(drop, text)) return;
    SetWindowTextA(shell::EditControl(), text.c_str());
    document::SetModified(true);
}

void NamesAtCaret(HDROP drop) {
    std::string text;
    if (!BuildList(drop, text)) return;
    SendMessageA(shell::EditControl(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    document::SetModified(true);
}

}  // namespace

DropAction DropMode() { return g_dropMode; }
void SetDropMode(DropAction mode) { g_dropMode = mode; }

void HandleDrop(HWND, HDROP drop) {
    switch (DropMode()) {
    case kDropOpen:
        SendFirstName(drop, CMD_OPENPATH);
        break;
    case kDropNamesAsText:
        NamesAsNewText(drop);
        break;
    case kDropNamesAtCaret:
        NamesAtCaret(drop);
        break;
    case kDropMerge:
        SendFirstName(drop, CMD_MERGEPATH);
        break;
    default:
        break;
    }
    deferred::DragFinish(drop);
}

void FillIniCombo() {
    const std::string directory = sysedit::SystemFolder(sysedit::kWindowsDirectory);
    if (directory.empty()) return;
    const std::string pattern = directory + "*.ini";
    // Attribute 0: ordinary files only.
    SendMessageA(shell::IniCombo(), CB_DIR, 0, reinterpret_cast<LPARAM>(pattern.c_str()));
}

void OpenSelectedIniFile() {
    HWND combo = shell::IniCombo();
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    std::string path = sysedit::SystemFolder(sysedit::kWindowsDirectory);
    if (length != CB_ERR && !path.empty()) {
        std::string name(static_cast<std::size_t>(length) + 1, '\0');
        length = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name.data()));
        name.resize(length == CB_ERR ? 0 : static_cast<std::size_t>(length));
        path += name;
        CharUpperA(path.data());
        document::SetSystemFile(true);
        shell::SendCommand(CMD_OPENPATH, reinterpret_cast<LPARAM>(path.c_str()));
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetFocus(shell::EditControl());
}

}  // namespace tessel::drop
