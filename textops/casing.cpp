#include "textops/casing.h"

#include "core/charmap.h"

namespace tessel::casing {
namespace {

void toUpper(char& c) { c = static_cast<char>(charmap::upper(static_cast<unsigned char>(c))); }

void sentenceStarts(std::string& s) {
    const std::size_t n = s.size();
    toUpper(s[0]);
    bool pending = true;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (i + 1 < n && (c == '.' || c == '?' || c == '!') && isWhite(static_cast<unsigned char>(s[i + 1])))
            pending = true;
        // The last character counts too: "ok. a" ends with a capital A.
        if (pending && isSentenceLetter(c)) {
            toUpper(s[i]);
            pending = false;
        }
    }
}

template <typename IsSeparator>
void wordStarts(std::string& s, IsSeparator isSeparator) {
    toUpper(s[0]);
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (isSeparator(static_cast<unsigned char>(s[i]))) toUpper(s[i + 1]);
}

void swapCase(std::string& s) {
    for (char& ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 || c == 0xFC)
            ch = static_cast<char>(c - 0x20);
        else if ((c >= 'A' && c <= 'Z') || c == 0xC4 || c == 0xD6 || c == 0xDC)
            ch = static_cast<char>(c + 0x20);
    }
}

}  // namespace

bool isSentenceLetter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xE4 || c == 0xF6 || c == 0xFC;
}

bool isWhite(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool isExtendedSeparator(unsigned char c) {
    if (isWhite(c)) return true;
    if (c == 0xA7) return true;
    return (c >= 0x21 && c <= 0x26) || (c >= 0x28 && c <= 0x2D) || c == 0x2F || (c >= 0x3A && c <= 0x40) ||
           (c >= 0x5B && c <= 0x5F) || (c >= 0x7B && c <= 0x7E);
}

void convert(std::string& text, Conversion conversion) {
    if (text.empty()) return;
    switch (conversion) {
    case Conversion::SentenceStarts: sentenceStarts(text); break;
    case Conversion::Lower: charmap::lowerInPlace(text); break;
    case Conversion::Upper: charmap::upperInPlace(text); break;
    case Conversion::WordStarts: wordStarts(text, isWhite); break;
    case Conversion::WordStartsExtended:
        charmap::lowerInPlace(text);
        wordStarts(text, isExtendedSeparator);
        break;
    case Conversion::Swap: swapCase(text); break;
    }
}

}  // namespace tessel::casing
