#include <doctest/doctest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/unit/sort_reference.h"
#include "textops/sorting.h"

using namespace tessel::sorting;

namespace {

std::string Sorted(const std::string& text, std::size_t s, std::size_t e, SortOptions o = {}) {
    const SortResult r = sortSelection(text, s, e, o);
    if (r.status != SortStatus::Sorted) return text;
    std::string out = text;
    out.replace(r.replaceStart, r.replaceEnd - r.replaceStart, r.block);
    return out;
}

std::string Lines(unsigned count) {
    std::string text;
    for (unsigned i = 0; i < count; ++i) text += std::to_string((i * 7919u) % count) + "\r\n";
    return text;
}

}  // namespace

TEST_CASE("the number reader takes the stated grammar and nothing else") {
    CHECK(readNumber("1.5e1") == 15.0);
    CHECK(readNumber("  -3 apples") == -3.0);
    CHECK(readNumber("\t+7") == 7.0);
    CHECK(readNumber(".5") == 0.5);
    CHECK(readNumber("5.") == 5.0);
    CHECK(readNumber("5e") == 5.0);
    CHECK(readNumber("5e+") == 5.0);
    CHECK(readNumber("2E-1x") == doctest::Approx(0.2));
    CHECK(readNumber("-") == 0.0);
    CHECK(readNumber(".") == 0.0);
    CHECK(readNumber("nan") == 0.0);
    CHECK(readNumber("inf") == 0.0);
    CHECK(readNumber("0x10") == 0.0);
    CHECK(readNumber("3,5") == 3.0);  // no decimal comma
    CHECK(readNumber("x1") == 0.0);
    CHECK(std::isinf(readNumber("1e999")));
    CHECK(readNumber("1e999") > 0);
    CHECK(readNumber("1e-999") == 0.0);
    CHECK(readNumber(std::string(30000, '9')) > 1e300);
}

TEST_CASE("comparison: bytes unsigned; numbers, with bytes deciding between zeros") {
    CHECK(compareBytes("Zebra", "apfel") < 0);
    CHECK(compareBytes("apfel", "\xC4pfel") < 0);  // above 127 after ASCII
    CHECK(compareBytes("ab", "abc") < 0);
    CHECK(compareBytes("ab", "ab") == 0);
    auto num = [](std::string_view a, std::string_view b) {
        return compareLines(a, readNumber(a), b, readNumber(b), true);
    };
    CHECK(num("9", "10") < 0);
    CHECK(num("x", "9") < 0);
    CHECK(num("0", "abc") < 0);
    CHECK(num("-3", "1.5e1") < 0);
    CHECK(num("5", "5.0") == 0);
    CHECK(num("-0", "0") < 0);  // both zero: the bytes decide
}

TEST_CASE("sorting a selection") {
    const std::string text = "b\r\nc\r\na\r\nrest";
    SUBCASE("three whole lines ending at the next line's start: a, b, c each with CR LF") {
        CHECK(Sorted(text, 0, 9) == "a\r\nb\r\nc\r\nrest");
        const SortResult r = sortSelection(text, 0, 9, {});
        CHECK(r.caret == 9);
    }
    SUBCASE("from the start of b to the end of a: no break after the block") {
        CHECK(Sorted(text, 0, 7) == "a\r\nb\r\nc\r\nrest");
        const SortResult r = sortSelection(text, 0, 7, {});
        CHECK(r.replaceEnd == 7);
        CHECK(r.block == "a\r\nb\r\nc");
    }
    SUBCASE("a selection starting and ending inside lines sorts the whole lines, losing nothing") {
        CHECK(Sorted("zz\r\nyy\r\nxx", 1, 9) == "xx\r\nyy\r\nzz");
    }
    SUBCASE("ending at the start of an empty line keeps the break before it") {
        CHECK(Sorted("b\r\na\r\n\r\nx", 0, 6) == "a\r\nb\r\n\r\nx");
    }
    SUBCASE("empty lines between the selected lines are gone") {
        CHECK(Sorted("b\r\n\r\na\r\n", 0, 9) == "a\r\nb\r\n");
        CHECK(Sorted("\r\n\r\n\r\nx", 0, 6) == "x");  // only empty lines: removed with their breaks
        CHECK(Sorted("\r\n\r\n", 0, 4) == "");
    }
    SUBCASE("within one line nothing happens") {
        CHECK(sortSelection(text, 0, 1, {}).status == SortStatus::OneLine);
        CHECK(sortSelection(text, 3, 3, {}).status == SortStatus::OneLine);
    }
    SUBCASE("the examples: lexicographic and numeric") {
        CHECK(Sorted("Zebra\r\n\xC4pfel\r\napfel", 0, 18) == "Zebra\r\napfel\r\n\xC4pfel");
        CHECK(Sorted("10\r\n9\r\n100\r\nx", 0, 14, {true, false}) == "x\r\n9\r\n10\r\n100");
        CHECK(Sorted("abc\r\n0", 0, 6, {true, false}) == "0\r\nabc");
        CHECK(Sorted("1.5e1\r\n-3", 0, 10, {true, false}) == "-3\r\n1.5e1");
    }
    SUBCASE("descending reverses the ascending order, equal lines included") {
        CHECK(Sorted("5 a\r\n5 b\r\n1", 0, 11, {true, true}) == "5 b\r\n5 a\r\n1");
    }
}

TEST_CASE("4096 lines sort, 4097 are refused") {
    const std::string lines4096 = Lines(4096) + "tail";
    // Ending at the start of the line after them: exactly 4096 lines.
    const std::size_t end = lines4096.size() - 4;
    CHECK(sortSelection(lines4096, 0, end, {true, false}).status == SortStatus::Sorted);
    // One more line: refused; the text is left alone.
    CHECK(sortSelection(lines4096, 0, lines4096.size(), {}).status == SortStatus::TooManyLines);
    const std::string lines4097 = Lines(4097);
    CHECK(sortSelection(lines4097, 0, lines4097.size(), {}).status == SortStatus::TooManyLines);
    const SortResult r = sortSelection(lines4096, 0, end, {true, false});
    CHECK(r.block.substr(0, 9) == "0\r\n1\r\n2\r\n");
    // Thousands of empty lines: an empty block.
    std::string crlf;
    for (int i = 0; i < 4000; ++i) crlf += "\r\n";
    CHECK(Sorted(crlf + "x", 0, crlf.size()) == "x");
}

TEST_CASE("the merge sort orders exactly as the exchange sort") {
    std::mt19937 rng(33);
    const char* pieces[] = {"0", "1", "-", ".", "e", "5", " ", "a", "A", "\xE4", "+", "x", "9", "00", "-0"};
    for (int round = 0; round < 1500; ++round) {
        std::vector<std::string> store(rng() % 40);
        for (std::string& line : store) {
            const unsigned parts = 1 + rng() % 4;
            for (unsigned i = 0; i < parts; ++i) line += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        }
        std::vector<std::string_view> lines(store.begin(), store.end());
        for (const SortOptions o : {SortOptions{false, false}, SortOptions{false, true}, SortOptions{true, false},
                                    SortOptions{true, true}}) {
            const auto want = reference::exchangeSort(lines, o);
            const auto got = sortLines(lines, o);
            REQUIRE(got.size() == want.size());
            // Same order of the very entries, not only equal strings.
            for (std::size_t i = 0; i < got.size(); ++i) REQUIRE(got[i].data() == want[i].data());
        }
    }
}
