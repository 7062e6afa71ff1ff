// The list of the four most recently used files: slot 0 is the most recent,
// each slot holds an upper-case full path of at most 255 characters or is
// empty.  Kept in the settings file under INITFILES, keys FILE0 to FILE3, and
// shown at the end of the "&Datei" menu as items 140 to 143.
#pragma once

#include "core/limits.h"
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::recent {

constexpr std::size_t kSlotCount = 4;
constexpr std::size_t kReadBufferSize = 255;    // the settings read buffer
constexpr std::size_t kMaxReadLength = kReadBufferSize - 1;

constexpr const char* kSection = "INITFILES";
constexpr int kFirstCommand = 140;  // item of slot 0; slot s is 140 + s
constexpr int kSeparatorId = 999;

using RecentList = std::array<std::string, kSlotCount>;

// Enters `path` as the most recent file.  `path` is upper-cased in place (the
// caller passes the document path itself, which thus turns upper case too).
// Then each slot from 0 on is upper-cased in place and compared with it:
//  - equal: slot 0 stays; a later slot swaps places with slot 0;
//  - empty: the path is copied into it and the search starts again, so the
//    next round finds it there and swaps it to the front;
//  - no slot equal and none empty: slots 0..2 move down one place (the old
//    slot 3 is lost) and the path goes into slot 0.
// Reusing an older entry therefore swaps it with the first one instead of
// shifting the others down.  An empty path, or one longer than 255
// characters, is no file name the list could hold: it is left alone and the
// list does not change.
void enterRecentFile(RecentList& list, std::string& path);

// The slot value read from the settings file: the value up to a NUL byte, cut
// to the 254 characters that the 255-byte read buffer takes.
std::string slotFromSetting(std::string_view value);

// "FILE0" .. "FILE3" for slots 0..3; nullptr for any other slot.
const char* keyName(std::size_t slot);

// The slot that menu command 140..143 reopens; no value for other ids.
std::optional<std::size_t> slotForCommand(int commandId);

// Empties slot `slot` (a reopened file that is gone); other slots keep their
// places, so the menu items after it keep their ids.  Out of range: nothing.
void forgetSlot(RecentList& list, std::size_t slot);

// True when some slot holds a path (the menu then gets its separator).
bool hasEntries(const RecentList& list);

}  // namespace tessel::recent
