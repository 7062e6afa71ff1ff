// Column commands: fill, copy a column range, cap.
#include "textops/columnops.h"

#include <doctest/doctest.h>

#include <string>

using namespace columnops;

namespace {

std::string runAll(std::string text, const LineOp& op, std::size_t limit = 30000)
{
    lineframe::applyFrameResult(text, lineframe::runLineFrame(text, 0, text.size(), op, limit, false));
    return text;
}

}  // namespace

TEST_CASE("filling lines with blanks to a width")
{
    SUBCASE("at the back to 10")
    {
        CHECK(runAll("abc\r\nabcdefghijkl\r\n", fillBack(10)) == "abc       \r\nabcdefghijkl\r\n");
    }
    SUBCASE("at the front; a line as long as the width stays")
    {
        CHECK(runAll("ab\r\nabcd\r\n", fillFront(4)) == "  ab\r\nabcd\r\n");
    }
    SUBCASE("255 blanks at most")
    {
        CHECK(runAll("\r\n", fillFront(255)) == std::string(255, ' ') + "\r\n");
        CHECK(runAll("\r\n", fillFront(300)) == "\r\n");
        CHECK(runAll("\r\n", fillFront(256)) == "\r\n");
        CHECK(runAll("x\r\n", fillFront(256)) == std::string(255, ' ') + "x\r\n");
    }
    SUBCASE("the final line is left unchanged")
    {
        CHECK(runAll("a\r\nb", fillBack(3)) == "a  \r\nb");
        CHECK(runAll("a\r\nb", fillFront(3)) == "  a\r\nb");
    }
    SUBCASE("a line whose blanks would pass the limit is left as it is, never half filled")
    {
        CHECK(runAll("a\r\nb\r\n", fillBack(4), 10) == "a   \r\nb\r\n");
    }
}

TEST_CASE("copying a column range to the front or back")
{
    SUBCASE("columns 2 to 4 with '|'")
    {
        CHECK(runAll("abcdef\r\n", copyColumnsFront(2, 4, "|")) == "bcd|abcdef\r\n");
        CHECK(runAll("abcdef\r\n", copyColumnsBack(2, 4, "|")) == "abcdef|bcd\r\n");
    }
    SUBCASE("the default values 1 and 1 change nothing, nor do 0 or begin > end")
    {
        CHECK_FALSE(columnRangeValid(1, 1));
        CHECK_FALSE(columnRangeValid(0, 5));
        CHECK_FALSE(columnRangeValid(3, 0));
        CHECK_FALSE(columnRangeValid(4, 2));
        CHECK(columnRangeValid(1, 2));
        CHECK(runAll("abcdef\r\n", copyColumnsFront(1, 1, " ")) == "abcdef\r\n");
        CHECK(runAll("abcdef\r\n", copyColumnsBack(4, 2, " ")) == "abcdef\r\n");
    }
    SUBCASE("a line shorter than the end column stays; the end column itself counts")
    {
        CHECK(runAll("abcde\r\nabcdef\r\n", copyColumnsFront(2, 6, "")) == "abcde\r\nbcdefabcdef\r\n");
    }
    SUBCASE("the final line is left unchanged")
    {
        CHECK(runAll("abc\r\nabc", copyColumnsBack(1, 2, "-")) == "abc-ab\r\nabc");
    }
    SUBCASE("long lines are copied whole")
    {
        std::string line(900, 'a');
        line[399] = 'B';
        line[898] = 'E';
        const std::string out = runAll(line + "\r\n", copyColumnsBack(400, 899, "|"));
        CHECK(out.size() == 900 + 1 + 500 + 2);
        CHECK(out.substr(900, 2) == "|B");
        CHECK(out.substr(1400, 3) == "E\r\n");
    }
}

TEST_CASE("capping lines to a width")
{
    CHECK(runAll("abcdef\r\nabc\r\nab\r\n", capFront(3)) == "def\r\nabc\r\nab\r\n");
    CHECK(runAll("abcdef\r\nabc\r\nab\r\n", capBack(3)) == "abc\r\nabc\r\nab\r\n");
    // The final line is capped too, to the end of the text.
    CHECK(runAll("abcdef\r\n123456", capBack(2)) == "ab\r\n12");
    CHECK(runAll("abcdef\r\n123456", capFront(2)) == "ef\r\n56");
}
