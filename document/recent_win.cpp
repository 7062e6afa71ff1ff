#include "document/recent_win.h"

#include <cstdio>
#include <string>

#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "core/settings_win.h"
#include "document/document_win.h"
#include "document/filedialog_win.h"
#include "document/recentlist.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"
#include "core/shell_win.h"

namespace tessel::recent {
namespace {

constexpr Message kRecentMissing{"Datei :\n''%s''\n kann nicht gefunden werden", kCaptionWarning, MB_ICONERROR};

RecentList g_list;
constexpr std::size_t kMenuTitleLength = 63;

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

LRESULT RebuildMenu(HWND main, unsigned, LPARAM) {
    HMENU file = GetSubMenu(GetMenu(main), 0);
    if (!file) return 0;
    DeleteMenu(file, kSeparatorId, MF_BYCOMMAND);
    for (int slot = 0; slot < static_cast<int>(kSlotCount); ++slot)
        DeleteMenu(file, kFirstCommand + slot, MF_BYCOMMAND);
    if (hasEntries(g_list)) AppendMenuA(file, MF_SEPARATOR, kSeparatorId, nullptr);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (g_list[slot].empty()) continue;
        // The item shows the file title, at most 63 characters of it.
        std::string item = filedialog::FileTitle(g_list[slot].c_str(), MAX_PATH);
        if (item.size() > kMenuTitleLength) item.resize(kMenuTitleLength);
        AppendMenuA(file, MF_STRING, kFirstCommand + slot, item.c_str());
    }
    return 0;
}

LRESULT Reopen(HWND, unsigned id, LPARAM) {
    std::optional<std::size_t> slot = slotForCommand(static_cast<int>(id));
    if (!slot) return 0;
    document::SetSystemFile(false);
    char work[limits::kPathBuffer];
    lstrcpynA(work, g_list[*slot].c_str(), sizeof work);
    if (work[0] && ui::FileTest(work)) {
        shell::SendCommand(CMD_OPENPATH, reinterpret_cast<LPARAM>(work));
        return 0;
    }
    forgetSlot(g_list, *slot);
    Show(kRecentMissing, nullptr, work);
    shell::SendCommand(CMD_RECENTMENU);
    return 0;
}

const char* SlotPath(int slot) {
    return slot >= 0 && slot < static_cast<int>(kSlotCount) ? g_list[static_cast<std::size_t>(slot)].c_str() : "";
}

}  // namespace tessel::recent
