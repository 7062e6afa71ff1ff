// The text search behind Find, F3, Replace, Next Defun and the jump to a
// definition, and the escape conversion of the find and replace texts.
// Pure: works on a copy of the text; the caller selects the hit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::search {

struct Options {
    bool matchCase = false;
    bool wholeWord = false;
};

struct Hit {
    bool found = false;
    std::size_t start = 0;     // the hit is [start, end)
    std::size_t end = 0;
    std::size_t position = 0;  // the search position afterwards (unchanged when not found)
};

// A letter for the whole-word rule: A-Z, a-z and the umlauts and sharp s of
// code page 1252. Digits and '_' are not letters.
bool isLetter(unsigned char c);

// The text as the search compares it: as it is with match case, otherwise
// upper-cased with the platform's ANSI case mapping (umlauts fold, the sharp
// s stays).
std::string fold(std::string_view text, bool matchCase);

// Searches `needle` forward from `position` to the end of `text`. With whole
// word a hit is rejected only when the characters on both sides are letters;
// the search then goes on behind the rejected hit. An empty needle or a
// position at or past the end finds nothing.
Hit find(std::string_view text, std::string_view needle, std::size_t position, Options options);

// The same on a text already passed through fold(text, options.matchCase),
// for callers that search one text many times. The needle is folded here.
Hit findFolded(std::string_view folded, std::string_view needle, std::size_t position, Options options);

// The escapes of the find and replace texts, in place: first every "^a"
// becomes CR LF (same length), then every "^t" becomes one TAB. Only the
// lower-case letters are escapes; "^^a" gives "^" CR LF.
void convertEscapes(std::string& text);
void convertEscapes(char* text);  // NUL-terminated; null or empty is left alone

}  // namespace tessel::search
