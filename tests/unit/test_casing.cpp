#include <doctest/doctest.h>

#include <string>

#include "textops/casing.h"

using namespace tessel::casing;

namespace {
std::string Converted(std::string text, Conversion c) {
    convert(text, c);
    return text;
}
}  // namespace

TEST_CASE("sentence starts: capitals after . ? ! and white space, nothing turned small") {
    CHECK(Converted("hallo welt. das ist gut! ja", Conversion::SentenceStarts) == "Hallo welt. Das ist gut! Ja");
    CHECK(Converted("ein satz.neu", Conversion::SentenceStarts) == "Ein satz.neu");
    CHECK(Converted("gut. \xFC" "ber alles", Conversion::SentenceStarts) == "Gut. \xDC" "ber alles");
    CHECK(Converted("das ist NASA. ok", Conversion::SentenceStarts) == "Das ist NASA. Ok");
    CHECK(Converted("wer? (\"ich\") ja", Conversion::SentenceStarts) == "Wer? (\"Ich\") ja");
    CHECK(Converted("ok. a", Conversion::SentenceStarts) == "Ok. A");  // the last character too
    CHECK(Converted("1. punkt", Conversion::SentenceStarts) == "1. Punkt");
    CHECK(Converted("x", Conversion::SentenceStarts) == "X");
    CHECK(Converted("", Conversion::SentenceStarts) == "");
    CHECK(Converted("ende.\r\nneu", Conversion::SentenceStarts) == "Ende.\r\nNeu");
}

TEST_CASE("word starts, plain and extended") {
    CHECK(Converted("hans-peter o'neil", Conversion::WordStarts) == "Hans-peter O'neil");
    CHECK(Converted("hans-peter o'neil", Conversion::WordStartsExtended) == "Hans-Peter O'neil");
    CHECK(Converted("DIE (ALTE) STADT", Conversion::WordStartsExtended) == "Die (Alte) Stadt");
    CHECK(Converted("stra\xDF" "e", Conversion::WordStarts) == "Stra\xDF" "e");
    CHECK(Converted("a\tb\nc", Conversion::WordStarts) == "A\tB\nC");
    CHECK(Converted("x\xA7y.z_w", Conversion::WordStartsExtended) == "X\xA7Y.z_W");
    CHECK(Converted("ONE ", Conversion::WordStarts) == "ONE ");
}

TEST_CASE("all small, all capital and swapped case") {
    CHECK(Converted("stra\xDF" "e", Conversion::Upper) == "STRA\xDF" "E");
    CHECK(Converted("\xC4PFEL Und", Conversion::Lower) == "\xE4pfel und");
    CHECK(Converted("\xC4pfel und Birnen", Conversion::Swap) == "\xE4PFEL UND bIRNEN");
    CHECK(Converted("\xDF\xE9\xC9 1", Conversion::Swap) == "\xDF\xE9\xC9 1");  // only a-z and the umlauts swap
}

TEST_CASE("the separator and letter sets") {
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        const bool ascii = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (ascii || c == '\'' || c == '.' || (c > 127 && c != 0xA7)) CHECK_FALSE(isExtendedSeparator(b));
    }
    for (const char c : std::string(" \t\r\n!\"#$%&()*+,-/:;<=>?@[\\]^_{|}~")) CHECK(isExtendedSeparator(c));
    CHECK_FALSE(isSentenceLetter(0xDF));
    CHECK(isSentenceLetter(0xDC));
    CHECK_FALSE(isSentenceLetter(0xE9));
}

#ifdef _WIN32
#include <windows.h>

#include "core/charmap.h"

TEST_CASE("the case mapping agrees with CharUpperA/CharLowerA on one character, all 256 bytes") {
    for (unsigned c = 0; c < 256; ++c) {
        // The single-character form: the byte zero-extended into the pointer.
        const auto up = static_cast<unsigned char>(reinterpret_cast<UINT_PTR>(
            CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
        const auto low = static_cast<unsigned char>(reinterpret_cast<UINT_PTR>(
            CharLowerA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
        CAPTURE(c);
        CHECK(tessel::charmap::upper(static_cast<unsigned char>(c)) == up);
        CHECK(tessel::charmap::lower(static_cast<unsigned char>(c)) == low);
    }
}
#endif
