// The sizes the whole program shares, named once. Pure: the text modules,
// the Win32 layer and the tests all read them from here.
#pragma once
#include <cstddef>

namespace tessel::limits {

// Characters that can be typed into the edit control (a loaded file may
// stand above it).
constexpr std::size_t kEditText = 30000;
// EM_SETSEL to this end selects the whole text.
constexpr std::size_t kSelectAllEnd = 32767;
// Every path buffer of the program holds 255 characters and a terminator.
constexpr std::size_t kPathBuffer = 256;
constexpr std::size_t kMaxPath = kPathBuffer - 1;
// A document title buffer.
constexpr std::size_t kTitleBuffer = 128;

}  // namespace tessel::limits
