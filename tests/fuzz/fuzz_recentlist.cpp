// The recent-file list: slot values as the settings file gives them (any
// bytes, NULs included), then any sequence of opened files and forgotten
// slots.  Checked:
//  - a slot value is the setting up to its first NUL, at most 254 characters;
//  - an empty or over-long path changes neither the list nor the path;
//  - otherwise the path turns upper case and becomes slot 0, no slot is
//    emptied, and no older entry is lost except the last one when the list
//    was full and did not hold the path;
//  - entering the same path twice changes nothing the second time.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/check.h"
#include "document/recentlist.h"
#include "core/charmap.h"

namespace {

using tessel::recent::RecentList;

std::string upper(std::string s)
{
    tessel::charmap::upperInPlace(s);
    return s;
}

bool holds(const RecentList& list, const std::string& path)
{
    return std::find(list.begin(), list.end(), path) != list.end();
}

std::size_t filled(const RecentList& list)
{
    return static_cast<std::size_t>(std::count_if(list.begin(), list.end(), [](const std::string& s) { return !s.empty(); }));
}

void checkEnter(RecentList& list, std::string path)
{
    const RecentList before = list;
    const std::string given = path;
    tessel::recent::enterRecentFile(list, path);
    if (given.empty() || given.size() > tessel::limits::kMaxPath) {
        REQUIRE(list == before);
        REQUIRE(path == given);
        return;
    }
    const std::string up = upper(given);
    REQUIRE(path == up);
    REQUIRE(list[0] == up);
    // Slots are upper-cased as the search passes them; the ones after a match
    // keep their spelling from the settings file.
    for (const auto& slot : list) REQUIRE(slot == upper(slot) || holds(before, slot));
    REQUIRE(filled(list) >= filled(before));

    bool hadEmpty = false, hadPath = false;
    for (const auto& slot : before) {
        hadEmpty = hadEmpty || slot.empty();
        hadPath = hadPath || upper(slot) == up;
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].empty() || holds(list, before[i]) || holds(list, upper(before[i]))) continue;
        // Only the last entry of a full list that did not hold the path drops out.
        REQUIRE(i == tessel::recent::kSlotCount - 1 && !hadEmpty && !hadPath);
    }

    const RecentList once = list;
    std::string again = given;
    tessel::recent::enterRecentFile(list, again);
    REQUIRE(list == once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    RecentList list;
    for (auto& slot : list) {
        const std::string value = in.ConsumeRandomLengthString(300);
        slot = tessel::recent::slotFromSetting(value);
        REQUIRE(slot.size() <= tessel::recent::kMaxReadLength);
        REQUIRE(slot.find('\0') == std::string::npos);
        REQUIRE(value.compare(0, slot.size(), slot) == 0);
        if (value.size() <= tessel::recent::kMaxReadLength && value.find('\0') == std::string::npos)
            REQUIRE(slot == value);
    }
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: {
            // Reopening a listed file, spelt in another case.
            std::string path = list[in.ConsumeIntegralInRange<std::size_t>(0, 3)];
            tessel::charmap::lowerInPlace(path);
            checkEnter(list, path);
            break;
        }
        case 1: {
            const std::size_t slot = in.ConsumeIntegralInRange<std::size_t>(0, 5);
            const RecentList before = list;
            tessel::recent::forgetSlot(list, slot);
            for (std::size_t i = 0; i < list.size(); ++i) REQUIRE(list[i] == (i == slot ? std::string() : before[i]));
            break;
        }
        default: checkEnter(list, in.ConsumeRandomLengthString(300)); break;
        }
    }
    return 0;
}
