// Character map: ANSI letter case and DOS (OEM) <-> Windows (ANSI) conversion.
// The same expectations hold for the table-driven native map and for the
// platform's functions in the Windows builds.
#include "core/charmap.h"

#include <doctest/doctest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "core/charmap_tables.inc"
#else
#include "core/charmap_native.h"
#endif

TEST_CASE("ANSI case follows code page 1252, umlauts included")
{
    CHECK(tessel::charmap::upper('a') == 'A');
    CHECK(tessel::charmap::lower('Z') == 'z');
    CHECK(tessel::charmap::upper(0xE4) == 0xC4);  // ä -> Ä
    CHECK(tessel::charmap::lower(0xC4) == 0xE4);
    CHECK(tessel::charmap::upper(0xFC) == 0xDC);  // ü -> Ü
    CHECK(tessel::charmap::upper(0xDF) == 0xDF);  // ß has no capital here
    CHECK(tessel::charmap::lower(0xDF) == 0xDF);
    CHECK(tessel::charmap::upper(0x9A) == 0x8A);  // š -> Š
    CHECK(tessel::charmap::upper(0xFF) == 0x9F);  // ÿ -> Ÿ
    CHECK(tessel::charmap::upper(0xF7) == 0xF7);  // ÷ is no letter
    CHECK(tessel::charmap::lower(0xD7) == 0xD7);  // × is no letter
    CHECK(tessel::charmap::upper('1') == '1');
    CHECK(tessel::charmap::upper(0) == 0);
    CHECK(tessel::charmap::lower(0) == 0);

    std::string s = "Größe ändern";
    tessel::charmap::upperInPlace(s);
    CHECK(s == "GRÖßE ÄNDERN");
    tessel::charmap::lowerInPlace(s);
    CHECK(s == "größe ändern");

    char buf[] = "müde";
    tessel::charmap::upperInPlace(buf);
    CHECK(std::string(buf) == "MÜDE");
    tessel::charmap::upperInPlace(static_cast<char*>(nullptr));  // tolerated
}

TEST_CASE("DOS <-> Windows conversion of the German letters")
{
    // These bytes are the same in OEM code pages 437 and 850.
    std::string oem = "\x84\x94\x81\x8E\x99\x9A\xE1";
    tessel::charmap::oemToAnsiInPlace(oem);
    CHECK(oem == "äöüÄÖÜß");
    CHECK(oem == "\xE4\xF6\xFC\xC4\xD6\xDC\xDF");

    std::string ansi = "Grüße aus Köln";
    const std::string original = ansi;
    tessel::charmap::ansiToOemInPlace(ansi);
    CHECK(ansi == "Gr\x81\xE1" "e aus K\x94ln");
    tessel::charmap::oemToAnsiInPlace(ansi);
    CHECK(ansi == original);

    std::string ascii = "Line 1\r\nTab\there ~!";
    tessel::charmap::oemToAnsiInPlace(ascii);
    CHECK(ascii == "Line 1\r\nTab\there ~!");
    tessel::charmap::ansiToOemInPlace(ascii);
    CHECK(ascii == "Line 1\r\nTab\there ~!");

    std::string zero(1, '\0');
    tessel::charmap::oemToAnsiInPlace(zero);
    CHECK(zero == std::string(1, '\0'));
    std::string empty;
    tessel::charmap::ansiToOemInPlace(empty);
    CHECK(empty.empty());
}

#ifndef _WIN32
TEST_CASE("native map: OEM code page 850 by default, 437 selectable")
{
    REQUIRE(tessel::charmap::nativeOemCodePage() == 850);
    std::string s = "\x9B\x9D";  // 850: ø Ø   437: ¢ ¥
    tessel::charmap::oemToAnsiInPlace(s);
    CHECK(s == "øØ");

    // Code page 850 holds every printable Latin-1 character: ANSI -> OEM -> ANSI
    // gives them all back.
    std::string latin;
    for (int c = 0x20; c < 0x7F; ++c) latin.push_back(static_cast<char>(c));
    for (int c = 0xA0; c <= 0xFF; ++c) latin.push_back(static_cast<char>(c));
    std::string round = latin;
    tessel::charmap::ansiToOemInPlace(round);
    tessel::charmap::oemToAnsiInPlace(round);
    CHECK(round == latin);

    tessel::charmap::setNativeOemCodePage(437);
    CHECK(tessel::charmap::nativeOemCodePage() == 437);
    s = "\x9B\x9D";
    tessel::charmap::oemToAnsiInPlace(s);
    CHECK(s == "¢¥");
    s = "ä";
    tessel::charmap::ansiToOemInPlace(s);
    CHECK(s == "\x84");

    tessel::charmap::setNativeOemCodePage(1252);  // not an OEM code page: ignored
    CHECK(tessel::charmap::nativeOemCodePage() == 437);
    tessel::charmap::setNativeOemCodePage(850);
    CHECK(tessel::charmap::nativeOemCodePage() == 850);
}
#endif

#ifdef _WIN32
namespace {

std::string allBytes()
{
    std::string s(256, '\0');
    for (int i = 0; i < 256; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(i);
    return s;
}

}  // namespace

TEST_CASE("the native tables agree with the platform on all 256 bytes")
{
    namespace t = tessel::charmap::tables;
    const UINT oemcp = GetOEMCP();
    const unsigned char* oemToAnsi = nullptr;
    const unsigned char* ansiToOem = nullptr;
    if (oemcp == 437) {
        oemToAnsi = t::kOemToAnsi437;
        ansiToOem = t::kAnsiToOem437;
    } else if (oemcp == 850) {
        oemToAnsi = t::kOemToAnsi850;
        ansiToOem = t::kAnsiToOem850;
    }
    REQUIRE_MESSAGE(oemToAnsi != nullptr, "OEM code page " << oemcp << " has no table");
    REQUIRE(GetACP() == 1252);

    std::string oemAll = allBytes();
    std::string ansiAll = allBytes();
    tessel::charmap::oemToAnsiInPlace(oemAll);
    tessel::charmap::ansiToOemInPlace(ansiAll);
    for (int i = 0; i < 256; ++i) {
        CAPTURE(i);
        const auto c = static_cast<unsigned char>(i);
        char b[2] = {static_cast<char>(i), 0};
        CharUpperBuffA(b, 1);
        CHECK(t::kUpper1252[i] == static_cast<unsigned char>(b[0]));
        CHECK(t::kUpper1252[i] == tessel::charmap::upper(c));
        b[0] = static_cast<char>(i);
        CharLowerBuffA(b, 1);
        CHECK(t::kLower1252[i] == static_cast<unsigned char>(b[0]));
        CHECK(t::kLower1252[i] == tessel::charmap::lower(c));

        char o[2] = {static_cast<char>(i), 0};
        OemToCharBuffA(o, o, 1);
        CHECK(oemToAnsi[i] == static_cast<unsigned char>(o[0]));
        CHECK(oemToAnsi[i] == static_cast<unsigned char>(oemAll[static_cast<std::size_t>(i)]));
        char a[2] = {static_cast<char>(i), 0};
        CharToOemBuffA(a, a, 1);
        CHECK(ansiToOem[i] == static_cast<unsigned char>(a[0]));
        CHECK(ansiToOem[i] == static_cast<unsigned char>(ansiAll[static_cast<std::size_t>(i)]));
    }
}
#endif
