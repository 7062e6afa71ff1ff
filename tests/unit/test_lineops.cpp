// The line commands' per-line changes, run through the line frame as the
// commands run them, and the parameter helpers of their dialogs.
#include "textops/lineops.h"
#include "textops/linecommands.h"

#include <doctest/doctest.h>

#include <string>

using namespace tessel::lineops;

namespace {

// The text after running op over the lines of the selection.
std::string run(std::string text, std::size_t selStart, std::size_t selEnd, const LineOp& op)
{
    tessel::lineframe::applyFrameResult(text, tessel::lineframe::runLineFrame(text, selStart, selEnd, op, 30000, false));
    return text;
}

// All lines selected.
std::string runAll(const std::string& text, const LineOp& op) { return run(text, 0, text.size(), op); }

}  // namespace

TEST_CASE("inserting at the start and at the end")
{
    CHECK(run("one\r\ntwo\r\nthree", 6, 6, insertAtStart("x")) == "one\r\nxtwo\r\nthree");
    CHECK(runAll("a\r\n\r\nb", insertAtStart("// ")) == "// a\r\n// \r\n// b");
    // The final line gets the text at the very end of the text.
    CHECK(runAll("a\r\nb", insertAtEnd(";")) == "a;\r\nb;");
    CHECK(runAll("a\r\nb\r\n", insertAtEnd("!")) == "a!\r\nb!\r\n!");
    // Umlauts are single bytes and pass through.
    CHECK(runAll("x", insertAtStart("Ä")) == "\xC4x");
}

TEST_CASE("the fixed indent, outdent and comment commands")
{
    CHECK(runAll("(a)\r\n(b)", indentTwo()) == "  (a)\r\n  (b)");
    CHECK(runAll("  (a)\r\n\r\n x", outdentTwo()) == "(a)\r\n\r\n");  // any two characters go
    CHECK(runAll("(a)\r\n", insertLispComment()) == "; (a)\r\n; ");
}

TEST_CASE("counters count every line of the range")
{
    SUBCASE("at the end, from 9, with a closing parenthesis")
    {
        CHECK(runAll("a\r\nb\r\nc", counter("", 9, ")", true)) == "a9)\r\nb10)\r\nc11)");
    }
    SUBCASE("at the start, empty lines included")
    {
        CHECK(runAll("a\r\n\r\nb", counter("[", 1, "] ", false)) == "[1] a\r\n[2] \r\n[3] b");
    }
    SUBCASE("16-bit wrap: 65535, 0, 1")
    {
        CHECK(runAll("x\r\ny\r\nz", counter("", 65535, " ", false)) == "65535 x\r\n0 y\r\n1 z");
    }
    SUBCASE("the counter restarts with each range")
    {
        CHECK(run("a\r\nb\r\nc", 3, 6, counter("#", 1, "", false)) == "a\r\n#1b\r\n#2c");
    }
    CHECK(counterText("L", 0, "R") == "L0R");
}

TEST_CASE("removing characters never touches a line break")
{
    SUBCASE("at the end: 5 on a line of 3 leaves it empty")
    {
        CHECK(runAll("abc\r\nlonger line\r\nxy", removeAtEnd(5)) == "\r\nlonger\r\nxy");
    }
    SUBCASE("at the start: more than the line holds")
    {
        CHECK(runAll("abc\r\nabcdefg\r\n", removeAtStart(5)) == "\r\nfg\r\n");
    }
    SUBCASE("outdent on an empty line")
    {
        CHECK(run("a\r\n\r\nb", 3, 3, outdentTwo()) == "a\r\n\r\nb");
    }
    SUBCASE("the final line: removed at the start, kept at the end")
    {
        CHECK(runAll("abcd\r\nwxyz", removeAtStart(2)) == "cd\r\nyz");
        CHECK(runAll("abcd\r\nwxyz", removeAtEnd(2)) == "ab\r\nwxyz");
    }
}

TEST_CASE("commenting and uncommenting")
{
    const std::string rem = commentPrefix(kCommentRem, "");
    CHECK(rem == "REM ");
    CHECK(runAll("echo a\r\ncls", comment(rem)) == "REM echo a\r\nREM cls");
    // Uncommenting removes as many characters as the prefix is long from every
    // line, whatever they are; a shorter line becomes empty.
    CHECK(runAll("REM echo\r\n@echo off\r\nab\r\nREM x", uncomment(rem)) == "echo\r\no off\r\n\r\nx");

    CHECK(commentPrefix(kCommentSemicolon, "x") == "; ");
    CHECK(commentPrefix(kCommentSlashes, "") == "// ");
    CHECK(commentPrefix(kCommentApostrophe, "") == "' ");
    CHECK(commentPrefix(kCommentFree, "::") == ":: ");
    CHECK(commentPrefix(kCommentFree, "") == " ");
    const std::string longFree(40, '#');
    CHECK(commentPrefix(kCommentFree, longFree) == std::string(29, '#') + " ");
    CHECK(commentPrefix(999, "x").empty());
}

TEST_CASE("removing blanks: 0x20 only")
{
    CHECK(runAll("   a \r\n\tb\r\n    \r\n  c  ", removeLeadingBlanks()) == "a \r\n\tb\r\n\r\nc  ");
    // Trailing blanks: the final line stays, a blank line never reaches into the
    // line before it.
    CHECK(runAll(" a  \r\nb\t \r\n   \r\nc  ", removeTrailingBlanks()) == " a\r\nb\t\r\n\r\nc  ");
}

TEST_CASE("cutting lines at a character")
{
    CHECK(runAll("a~b\r\nno tilde\r\n~all", cutFromChar('~')) == "a\r\nno tilde\r\n");
    // The final line is cut to the end of the text.
    CHECK(runAll("x\r\nkeep;drop;more", cutFromChar(';')) == "x\r\nkeep");
    CHECK(cutCharFromField("~") == '~');
    CHECK(cutCharFromField("#abc") == '#');
    CHECK(cutCharFromField("") == '\0');
}

TEST_CASE("reading counts from the dialog fields")
{
    CHECK(parseCount("5") == 5);
    CHECK(parseCount("00012") == 12);
    CHECK(parseCount("12abc") == 12);
    CHECK(parseCount("  7") == 7);
    CHECK(parseCount("abc") == 0);
    CHECK(parseCount("") == 0);
    CHECK(parseCount("-5") == 0);
    CHECK(parseCount("+5") == 0);
    CHECK(parseCount("65535") == 65535);
    CHECK(parseCount("65536") == 0);
    CHECK(parseCount("99999") == 34463);
    CHECK(parseCount("123456") == 57920);
    CHECK(parseCount("99999999999999999999") == 65535);  // 10^20 - 1, low 16 bits
}

TEST_CASE("each command's operation from its dialog's record")
{
    namespace lc = tessel::linecommands;
    const std::string text = "abcdef\r\nxy";
    struct Case {
        lc::Operation op;
        const char* expected;   // null: no operation, the text stays
    };
    const Case cases[] = {
        {lc::insertFront({"> "}), "> abcdef\r\n> xy"},
        {lc::insertBack({";"}), "abcdef;\r\nxy;"},
        {lc::counterFront({"[", 9, "] "}), "[9] abcdef\r\n[10] xy"},
        {lc::counterBack({" #", 1, ""}), "abcdef #1\r\nxy #2"},
        {lc::cutFront({2}), "cdef\r\n"},
        {lc::cutBack({2}), "abcd\r\nxy"},
        {lc::fillFront({8}), "  abcdef\r\nxy"},
        {lc::fillBack({8}), "abcdef  \r\nxy"},
        {lc::capFront({4}), "cdef\r\nxy"},
        {lc::capBack({4}), "abcd\r\nxy"},
        {lc::comment({"; "}), "; abcdef\r\n; xy"},
        {lc::uncomment({"; "}), "cdef\r\n"},
        {lc::cutFromChar({'d'}), "abc\r\nxy"},
        {lc::copyColumnsFront({2, 3, "|"}), "bc|abcdef\r\nxy"},
        {lc::copyColumnsBack({2, 3, "|"}), "abcdef|bc\r\nxy"},
        // A count or width of 0 and the zero byte ask for nothing.
        {lc::cutFront({0}), nullptr},
        {lc::fillBack({0}), nullptr},
        {lc::capFront({0}), nullptr},
        {lc::cutFromChar({'\0'}), nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.expected);
        REQUIRE(c.op.has_value() == (c.expected != nullptr));
        if (c.op) CHECK(runAll(text, *c.op) == c.expected);
    }
}
