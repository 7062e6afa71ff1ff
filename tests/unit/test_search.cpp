#include <doctest/doctest.h>

#include <string>

#include "textops/search.h"

using namespace tessel::search;

namespace {
Hit findIn(const std::string& text, const std::string& needle, std::size_t from, bool matchCase, bool wholeWord) {
    return find(text, needle, from, Options{matchCase, wholeWord});
}
}  // namespace

TEST_CASE("whole word rejects a hit only when both neighbours are letters") {
    CHECK(findIn("cats", "cat", 0, true, true).found);
    const Hit scats = findIn("scats", "cat", 0, true, true);
    CHECK_FALSE(scats.found);
    CHECK(scats.position == 4);  // the rejected hit moved the position on
    CHECK_FALSE(findIn("\xC4" "cat\xFC", "cat", 0, true, true).found);
    CHECK(findIn("1cat_", "cat", 0, true, true).found);  // digits and '_' are no letters
    const Hit second = findIn("scats cat", "cat", 0, true, true);
    CHECK(second.found);
    CHECK(second.start == 6);
    CHECK(second.position == 9);
}

TEST_CASE("case folding uses the ANSI upper case: umlauts fold, the sharp s stays") {
    CHECK_FALSE(findIn("Stra\xDF" "e", "STRASSE", 0, false, false).found);
    CHECK(findIn("\xE4", "\xC4", 0, false, false).found);
    CHECK_FALSE(findIn("\xE4", "\xC4", 0, true, false).found);
    CHECK(findIn("Hallo Welt", "WELT", 0, false, false).start == 6);
}

TEST_CASE("the search runs forward from the position and never wraps") {
    CHECK_FALSE(findIn("abxab", "ab", 4, true, false).found);
    CHECK(findIn("abxab", "ab", 1, true, false).start == 3);
    const Hit none = findIn("abc", "zz", 1, true, false);
    CHECK_FALSE(none.found);
    CHECK(none.position == 1);
    CHECK_FALSE(findIn("abc", "", 0, true, false).found);  // an empty needle finds nothing
    CHECK_FALSE(findIn("abc", "abcd", 0, true, false).found);
    CHECK_FALSE(findIn("abc", "a", 3, true, false).found);
}

TEST_CASE("escapes: line breaks before tabs, lower case only") {
    std::string s = "x^ay^tz^A^T";
    convertEscapes(s);
    CHECK(s == "x\r\ny\tz^A^T");
    s = "^^a";
    convertEscapes(s);
    CHECK(s == "^\r\n");
    s = "^t^t^";
    convertEscapes(s);
    CHECK(s == "\t\t^");
    char buffer[16] = "a^tb";
    convertEscapes(buffer);
    CHECK(std::string(buffer) == "a\tb");
    convertEscapes(static_cast<char*>(nullptr));
}
