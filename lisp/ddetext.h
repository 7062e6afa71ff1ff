// What the load into AutoCAD sends: the service names tried in order, the
// topic, and the execute text that sets U:USELOAD1KOVA to the file's path
// and loads the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::dde {

constexpr std::size_t kServiceCount = 8;
extern const char* const kServiceNames[kServiceCount];
constexpr char kTopic[] = "System";

// The path as an AutoLISP string literal needs it: every backslash doubled.
// The text stops at a NUL; nothing else is cut.
std::string doubleBackslashes(std::string_view path);

// (setq U:USELOAD1KOVA "<path>")(load "<path>") -- with one blank at the end.
std::string executeText(std::string_view path);

}  // namespace tessel::dde
