// The letter-case conversions of a selected text. Pure and length-keeping;
// the ANSI case mapping comes from charmap (the platform's in the Windows
// builds).
#pragma once

#include <string>

namespace tessel::casing {

// The choices of GROSSKLEIN, by the id of their radio button.
enum class Conversion {
    SentenceStarts = 101,
    Lower = 102,
    Upper = 103,
    WordStarts = 104,
    Swap = 105,
    WordStartsExtended = 107,
};

// A letter that can start a sentence: A-Z, a-z and the six umlauts (the
// sharp s has no capital).
bool isSentenceLetter(unsigned char c);
// Blank, TAB, LF and CR.
bool isWhite(unsigned char c);
// The word separators of the extended word starts: white space, the ASCII
// punctuation except the apostrophe and the full stop, and the paragraph sign.
bool isExtendedSeparator(unsigned char c);

void convert(std::string& text, Conversion conversion);

}  // namespace tessel::casing
