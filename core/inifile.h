// The settings file held in memory: read in one pass at start-up, then looked
// up key by key with the answers the platform's private-profile reader gives
// for the same bytes (GetPrivateProfileString / GetPrivateProfileInt).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::inifile {

struct Entry {
    std::string key;
    std::string value;
    bool hasValue;  // a line without '=' names a key that reads as missing
};

struct Section {
    std::string name;  // as written between the brackets
    std::vector<Entry> entries;
};

// The file's bytes as sections and keys, in file order. Lines end at CR or
// LF; blanks (tab to CR, ^Z, space) around a line, a name and a value do not
// count. A line that starts with '[' and has a ']' starts a section named by
// what lies between '[' and the last ']'; every other line is a key, with or
// without "=value". Keys before the first section line belong to a section
// with the empty name.
struct File {
    std::vector<Section> sections;
};
File parse(std::string_view bytes);

// Files written in UTF-16 or with a UTF-8 mark are converted by the platform
// before it reads them: their settings are read through the platform instead.
bool needsPlatformReader(std::string_view bytes);

// The value of `key` in the first section named `section` (names matched
// without blanks around them and without regard to ASCII case; only that
// section is searched); nullptr when the key is missing there or has no '='.
const std::string* find(const File& file, std::string_view section, std::string_view key);

// What GetPrivateProfileString returns with a buffer of `capacity` bytes:
// the value (or `fallback` when missing) with one pair of enclosing quotes
// removed, cut to capacity - 1 characters.
std::string readString(const File& file, std::string_view section, std::string_view key,
                       std::size_t capacity, std::string_view fallback);

// What GetPrivateProfileInt returns: `fallback` for a missing or empty value,
// otherwise the number the value starts with (decimal, or with the prefixes
// 0x, 0o, 0b; an optional sign; wrapping at 32 bits; 0 when no digit).
unsigned readInt(const File& file, std::string_view section, std::string_view key, int fallback);

// What a later read gives for a value written now: the writer drops leading
// blanks, the reader trailing ones and enclosing quotes.
std::string asReadBack(std::string_view written);

}  // namespace tessel::inifile
