// Whole-text conversions and the GPS record conversion.
#include "textops/conversions.h"

#include <doctest/doctest.h>

#include <string>

using namespace conversions;

TEST_CASE("an empty text gives no result from any conversion")
{
    CHECK_FALSE(dosToUnix(""));
    CHECK_FALSE(unixToDos(""));
    CHECK_FALSE(macToPc(""));
    CHECK_FALSE(pcToMac(""));
    CHECK_FALSE(crlfToBlank(""));
    CHECK_FALSE(crlfToBlankComma(""));
    CHECK_FALSE(tabToTwoBlanks(""));
    const auto gps = runGpsFrame("", 30000, false);
    CHECK_FALSE(gps.changed);
    CHECK_FALSE(gps.hitLimit);
}

TEST_CASE("DOS -> UNIX and PC -> MAC need a CR LF pair")
{
    CHECK_FALSE(dosToUnix("a\nb\nc\n"));  // already UNIX
    CHECK_FALSE(dosToUnix("a\rb"));
    CHECK_FALSE(pcToMac("a\rb\n"));
    CHECK_FALSE(pcToMac("plain"));

    CHECK(dosToUnix("a\r\nb\r\n") == std::string("a\nb\n"));
    // A lone CR becomes LF, a lone LF disappears.
    CHECK(dosToUnix("a\r\nb\rc\nd") == std::string("a\nb\ncd"));
    // Every LF goes, paired or not.
    CHECK(pcToMac("a\r\nb\nc\r\n") == std::string("a\rbc\r"));
}

TEST_CASE("UNIX -> DOS and MAC -> PC do not look for existing pairs")
{
    CHECK(unixToDos("a\nb\n") == std::string("a\r\nb\r\n"));
    CHECK(unixToDos("a\r\nb") == std::string("a\r\r\nb"));
    CHECK(unixToDos("no break") == std::string("no break"));  // still a result
    CHECK(macToPc("a\rb") == std::string("a\r\nb"));
    CHECK(macToPc("a\r\nb") == std::string("a\r\n\nb"));
}

TEST_CASE("joining lines and expanding tabs")
{
    CHECK(crlfToBlank("a\r\nb\r\n") == std::string("a b "));
    CHECK(crlfToBlank("a\rb\nc") == std::string("ab c"));
    CHECK(crlfToBlankComma("a\r\nb") == std::string("a ,b"));
    CHECK(tabToTwoBlanks("\ta\t\tb") == std::string("  a    b"));
    CHECK(tabToTwoBlanks("a\r\nb") == std::string("a\r\nb"));
    // Bytes above 0x7F and the whole length go through unchanged.
    std::string big(70000, 'x');
    big[0] = '\xE4';
    big[69999] = '\t';
    const auto r = tabToTwoBlanks(big);
    REQUIRE(r);
    CHECK(r->size() == 70001);
    CHECK(r->front() == '\xE4');
    CHECK(r->substr(69999) == "  ");
}

TEST_CASE("result size check: 27500 characters pass, 27501 are refused")
{
    CHECK(fitsConvertedLimit(0));
    CHECK(fitsConvertedLimit(27500));
    CHECK_FALSE(fitsConvertedLimit(27501));

    std::string text(27499, 'a');
    text += '\t';  // 27500 characters, the TAB expands to two blanks
    const auto r = tabToTwoBlanks(text);
    REQUIRE(r);
    CHECK(r->size() == 27501);
    CHECK_FALSE(fitsConvertedLimit(r->size()));
    CHECK(fitsConvertedLimit(tabToTwoBlanks(std::string(27500, 'a'))->size()));
}

TEST_CASE("GPS record conversion of one line")
{
    CHECK(gpsConvertLine("48.5,16.25,Home", 1) == "1;48,5;16,25");
    CHECK(gpsConvertLine("x.y", 2) == "2;x,y");
    CHECK(gpsConvertLine("", 3) == "3;");
    CHECK(gpsConvertLine("1.5,2.5", 7) == "7;1,5;2,5");  // one comma: all kept
    CHECK(gpsConvertLine(",,", 12) == "12;;");
    CHECK(gpsConvertLine("a,b,c,d", 65535) == "65535;a;b");

    // A long line is converted whole, not cut at a buffer size.
    std::string longLine(400, '7');
    longLine[300] = '.';
    const std::string r = gpsConvertLine(longLine, 4);
    CHECK(r.size() == 402);
    CHECK(r[302] == ',');
    CHECK(r.back() == '7');
}

TEST_CASE("GPS over the text leaves the last line untouched")
{
    std::string text = "48.5,16.25,Home\r\nx.y\r\n\r\n";
    auto r = runGpsFrame(text, 30000, false);
    REQUIRE(r.changed);
    CHECK_FALSE(r.hitLimit);
    CHECK(r.caret == 0);
    lineframe::applyFrameResult(text, r);
    CHECK(text == "1;48,5;16,25\r\n2;x,y\r\n3;\r\n");

    text = "1.0,2.0\r\n3.0,4.0";  // last line without a break
    r = runGpsFrame(text, 30000, false);
    lineframe::applyFrameResult(text, r);
    CHECK(text == "1;1,0;2,0\r\n3.0,4.0");

    // A single line is the last line: nothing happens.
    CHECK_FALSE(runGpsFrame("1.0,2.0", 30000, false).changed);
}

TEST_CASE("GPS stops at a full edit control, keeping the lines converted so far")
{
    const std::string text = "1.5,2.5\r\n3.5,4.5\r\n5.5,6.5\r\n";  // 27 characters
    // Each line grows by two ("n;"); after line 1 the text is 29 long, so line 2
    // would pass the limit: it stays as it is, and so does line 3.
    auto r = runGpsFrame(text, 30, false);
    CHECK(r.hitLimit);
    std::string t = text;
    lineframe::applyFrameResult(t, r);
    CHECK(t == "1;1,5;2,5\r\n3.5,4.5\r\n5.5,6.5\r\n");
    CHECK(t.size() == 29);

    // A list loaded above the limit whose records get shorter converts whole.
    std::string big;
    while (big.size() < 31008) big += "48.5,16.25,Home\r\n";
    r = runGpsFrame(big, 30000, false);
    CHECK_FALSE(r.hitLimit);
    lineframe::applyFrameResult(big, r);
    CHECK(big.substr(0, 14) == "1;48,5;16,25\r\n");
    CHECK(big.size() < 30000);

    // The flag was already set: nothing at all.
    r = runGpsFrame(text, 30000, true);
    CHECK_FALSE(r.changed);
    CHECK_FALSE(r.hitLimit);
}
