#include "document/recentlist.h"

#include <utility>

#include "core/charmap.h"

namespace tessel::recent {

void enterRecentFile(RecentList& list, std::string& path)
{
    if (path.empty() || path.size() > limits::kMaxPath) return;

    // Each pass either finishes or fills an empty slot, so there are at most
    // kSlotCount + 1 passes.
    for (;;) {
        charmap::upperInPlace(path);
        bool restart = false;
        for (std::size_t i = 0; i < kSlotCount; ++i) {
            charmap::upperInPlace(list[i]);
            if (list[i] == path) {
                if (i != 0) std::swap(list[0], list[i]);
                return;
            }
            if (list[i].empty()) {
                list[i] = path;
                restart = true;
                break;
            }
        }
        if (!restart) break;
    }

    list[3] = std::move(list[2]);
    list[2] = std::move(list[1]);
    list[1] = std::move(list[0]);
    list[0] = path;
}

std::string slotFromSetting(std::string_view value)
{
    const std::size_t nul = value.find('\0');
    if (nul != std::string_view::npos) value = value.substr(0, nul);
    return std::string(value.substr(0, kMaxReadLength));
}

const char* keyName(std::size_t slot)
{
    static const char* const names[kSlotCount] = {"FILE0", "FILE1", "FILE2", "FILE3"};
    return slot < kSlotCount ? names[slot] : nullptr;
}

std::optional<std::size_t> slotForCommand(int commandId)
{
    if (commandId < kFirstCommand || commandId >= kFirstCommand + static_cast<int>(kSlotCount))
        return std::nullopt;
    return static_cast<std::size_t>(commandId - kFirstCommand);
}

void forgetSlot(RecentList& list, std::size_t slot)
{
    if (slot < kSlotCount) list[slot].clear();
}

bool hasEntries(const RecentList& list)
{
    for (const auto& slot : list)
        if (!slot.empty()) return true;
    return false;
}

}  // namespace tessel::recent
