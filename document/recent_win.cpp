#include "document/recent_win.h"

#include <cstdio>
#include <string>

#include "core/deferred_win.h"
#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "core/settings_win.h"
#include "document/document_win.h"
#include "document/filedialog_win.h"
#include "document/recentlist.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::recent {
namespace {

constexpr msgbox::Message kRecentMissing{"Datei :\n''%s''\n kann nicht gefunden werden", msgbox::kCaptionWarning,
                                         MB_ICONERROR};

RecentList g_list;
constexpr std::size_t kMenuTitleLength = 63;
constexpr UINT_PTR kTitlesTimer = 0x7E56;

}  // namespace

void Load() {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        g_list[slot] = slotFromSetting(settings::ReadString(kSection, keyName(slot), kReadBufferSize));
}

void Save() {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        settings::WriteString(kSection, keyName(slot), g_list[slot].c_str());
}

std::string Enter(const char* path) {
    std::string entry = path;
    enterRecentFile(g_list, entry);
    return entry;
}

namespace {

// The item of a path: its file title, at most 63 characters of it. Until
// the common dialog library is loaded, the name after the last separator.
std::string ItemText(const std::string& path, bool platformTitle) {
    std::string item = platformTitle ? filedialog::FileTitle(path.c_str(), MAX_PATH)
                                     : path.substr(path.find_last_of("\\/:") + 1);
    if (item.size() > kMenuTitleLength) item.resize(kMenuTitleLength);
    return item;
}

void Build(HWND main, bool platformTitles) {
    HMENU file = GetSubMenu(GetMenu(main), 0);
    if (!file) return;
    DeleteMenu(file, kSeparatorId, MF_BYCOMMAND);
    for (int slot = 0; slot < static_cast<int>(kSlotCount); ++slot)
        DeleteMenu(file, kFirstCommand + slot, MF_BYCOMMAND);
    if (hasEntries(g_list)) AppendMenuA(file, MF_SEPARATOR, kSeparatorId, nullptr);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        if (!g_list[slot].empty())
            AppendMenuA(file, MF_STRING, kFirstCommand + slot, ItemText(g_list[slot], platformTitles).c_str());
}

void CALLBACK TitlesDue(HWND main, UINT, UINT_PTR id, DWORD) {
    KillTimer(main, id);
    Build(main, true);
}

}  // namespace

LRESULT RebuildMenu(HWND main, unsigned, LPARAM) {
    // Loading the common dialog library for the titles holds up the first
    // paint at start-up by more than half the rest of the start; a timer
    // puts the platform's titles in once the window is painted.
    const bool platformTitles = deferred::CommonDialogsLoaded();
    Build(main, platformTitles);
    if (!platformTitles && hasEntries(g_list)) SetTimer(main, kTitlesTimer, USER_TIMER_MINIMUM, TitlesDue);
    return 0;
}

LRESULT Reopen(HWND, unsigned id, LPARAM) {
    std::optional<std::size_t> slot = slotForCommand(static_cast<int>(id));
    if (!slot) return 0;
    document::SetSystemFile(false);
    char work[limits::kPathBuffer];
    lstrcpynA(work, g_list[*slot].c_str(), sizeof work);
    if (work[0] && dialogutil::FileTest(work)) {
        shell::SendCommand(CMD_OPENPATH, reinterpret_cast<LPARAM>(work));
        return 0;
    }
    forgetSlot(g_list, *slot);
    msgbox::Show(kRecentMissing, nullptr, work);
    shell::SendCommand(CMD_RECENTMENU);
    return 0;
}

const char* SlotPath(int slot) {
    return slot >= 0 && slot < static_cast<int>(kSlotCount) ? g_list[static_cast<std::size_t>(slot)].c_str() : "";
}

}  // namespace tessel::recent
