#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ui/helplines.h"

using tessel::helplines::splitHelpLines;
using Lines = std::vector<std::string>;

TEST_CASE("help lines are the CR LF lines of the text, empty ones included")
{
    CHECK(splitHelpLines("Titel\r\n=====\r\n\r\n     ## Eintrag\r\n<--EOF-->\r\n") ==
          Lines{"Titel", "=====", "", "     ## Eintrag", "<--EOF-->"});
    CHECK(splitHelpLines("\r\n\r\n") == Lines{"", ""});
    CHECK(splitHelpLines("") == Lines{});
}

TEST_CASE("text after the last line feed is not shown")
{
    CHECK(splitHelpLines("eins\r\nzwei") == Lines{"eins"});
    CHECK(splitHelpLines("ohne Zeilenende") == Lines{});
    CHECK(splitHelpLines("eins\r\nzwei\r") == Lines{"eins"});
}

TEST_CASE("a NUL byte ends the help text")
{
    const std::string text("eins\r\nzw\0ei\r\ndrei\r\n", 19);
    CHECK(splitHelpLines(text) == Lines{"eins"});
    CHECK(splitHelpLines(std::string("\0a\r\n", 4)) == Lines{});
}

TEST_CASE("bare line feeds: only a carriage return is dropped")
{
    CHECK(splitHelpLines("abc\ndef\n") == Lines{"abc", "def"});
    // An empty bare-LF line, also as the very first byte.
    CHECK(splitHelpLines("\n\nx\n") == Lines{"", "", "x"});
    // Mixed line ends; a CR elsewhere in the line stays.
    CHECK(splitHelpLines("a\rb\r\nc\n") == Lines{"a\rb", "c"});
    // A lone CR line is an empty entry.
    CHECK(splitHelpLines("\r\n") == Lines{""});
}

TEST_CASE("lines longer than 127 characters are wrapped")
{
    const std::string a(127, 'a');
    const std::string b(127, 'b');
    // Exactly 127 characters: one entry, also with the CR right after them.
    CHECK(splitHelpLines(a + "\r\n") == Lines{a});
    // 128 characters: 127 and 1.
    CHECK(splitHelpLines(a + "x\r\n") == Lines{a, "x"});
    // 300 characters: 127, 127 and 46; the next line starts fresh.
    CHECK(splitHelpLines(a + b + std::string(46, 'c') + "\r\nnext\r\n") ==
          Lines{a, b, std::string(46, 'c'), "next"});
    for (const auto& line : splitHelpLines(std::string(1000, 'z') + "\n"))
        CHECK(line.size() <= tessel::helplines::kMaxLineLength);
}

TEST_CASE("code page 1252 bytes pass unchanged")
{
    CHECK(splitHelpLines(" \xDC" "bersicht :\r\n") == Lines{" \xDC" "bersicht :"});
    CHECK(splitHelpLines("Men\xFC \xC4ndern\r\n") == Lines{"Men\xFC \xC4ndern"});
}
