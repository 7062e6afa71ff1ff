#include <doctest/doctest.h>

#include <random>
#include <string>

#include "tests/unit/replace_reference.h"
#include "textops/search.h"

using namespace tessel::search;

namespace {

ReplaceRequest Request(const std::string& find, const std::string& replace, bool matchCase = true,
                       bool wholeWord = false, std::size_t limit = 30000) {
    return ReplaceRequest{find, replace, Options{matchCase, wholeWord}, limit};
}

std::string Applied(const std::string& text, const ReplaceOutcome& o) {
    std::string t = text;
    applyOutcome(t, o);
    return t;
}

}  // namespace

TEST_CASE("the replace step replaces only the previous hit") {
    const std::string find = "ab", replace = "cd";
    const ReplaceRequest r = Request(find, replace);
    SUBCASE("the selected previous hit is replaced and the next one selected") {
        const ReplaceOutcome o = replaceStep("ab ab", EditState{0, 2, 2}, r);
        CHECK(Applied("ab ab", o) == "cd ab");
        CHECK(o.found);
        CHECK(o.after.selStart == 3);
        CHECK(o.after.selEnd == 5);
        CHECK(o.after.position == 5);
    }
    SUBCASE("after a not-found report (selection 0,0, position kept) nothing is inserted") {
        // Find Next found (0,2); the next Find Next reported and reset the selection.
        const ReplaceOutcome o = replaceStep("abxyz", EditState{0, 0, 2}, r);
        CHECK_FALSE(o.changed);
        CHECK(o.found);
        CHECK(o.after.selStart == 0);
        CHECK(o.after.selEnd == 2);
    }
    SUBCASE("a selection that only ends at the position is not the hit") {
        const ReplaceOutcome o = replaceStep("xxab ab", EditState{0, 4, 4}, r);
        CHECK_FALSE(o.changed);
        CHECK(o.after.selStart == 2);  // searched again from the selection's start
    }
    SUBCASE("the last hit replaced, nothing behind: not found, the caret behind the replacement") {
        const ReplaceOutcome o = replaceStep("x ab", EditState{2, 4, 4}, r);
        CHECK(Applied("x ab", o) == "x cd");
        CHECK_FALSE(o.found);
        CHECK(o.after.selStart == 4);
        CHECK(o.after.selEnd == 4);
    }
    SUBCASE("an empty find text finds and replaces nothing") {
        const ReplaceOutcome o = replaceStep("abc", EditState{1, 1, 1}, Request("", "x"));
        CHECK_FALSE(o.changed);
        CHECK_FALSE(o.found);
        const ReplaceOutcome all = replaceAll("abc", EditState{1, 1, 1}, Request("", "x"));
        CHECK_FALSE(all.changed);
        CHECK_FALSE(all.found);
    }
    SUBCASE("a replacement that does not fit changes nothing and stops") {
        const ReplaceOutcome o = replaceStep("ab ab", EditState{0, 2, 2}, Request("ab", "abcd", true, false, 6));
        CHECK(o.hitLimit);
        CHECK_FALSE(o.changed);
        CHECK(o.after.selStart == 0);
        CHECK(o.after.selEnd == 2);
    }
}

TEST_CASE("Replace All from the middle, after a not-found report, and at the limit") {
    SUBCASE("from a hit in the middle only the hits from there on are replaced") {
        const std::string text = "ab ab ab";
        const ReplaceOutcome o = replaceAll(text, EditState{3, 5, 5}, Request("ab", "X"));
        CHECK(Applied(text, o) == "ab X X");
        CHECK(o.found);
        CHECK(o.replacements == 2);
        CHECK(o.after.selStart == 6);
        CHECK(o.after.selEnd == 6);
        CHECK(o.after.position == 6);
    }
    SUBCASE("a caret behind the last hit: reported, then every hit from the top") {
        const std::string text = "ab ab ab";
        const ReplaceOutcome o = replaceAll(text, EditState{8, 8, 8}, Request("ab", "X"));
        CHECK_FALSE(o.found);
        CHECK(Applied(text, o) == "X X X");
        CHECK(o.replacements == 3);
    }
    SUBCASE("the one edit spans only the first to the last change") {
        const std::string text = "..ab..ab..";
        const ReplaceOutcome o = replaceAll(text, EditState{0, 0, 0}, Request("ab", "Y"));
        CHECK(o.replaceStart == 2);
        CHECK(o.replaceEnd == 8);
        CHECK(o.replacement == "Y..Y");
    }
    SUBCASE("a replacement containing the find text is not searched again") {
        const std::string text = "a a";
        const ReplaceOutcome o = replaceAll(text, EditState{0, 0, 0}, Request("a", "aa"));
        CHECK(Applied(text, o) == "aa aa");
    }
    SUBCASE("at the limit the first replacement that does not fit stops the run, selected") {
        const std::string text = "ab ab ab ab";  // 11 characters, limit 13: two growths of one fit
        const ReplaceOutcome o = replaceAll(text, EditState{0, 0, 0}, Request("ab", "abc", true, false, 13));
        CHECK(o.hitLimit);
        CHECK(Applied(text, o) == "abc abc ab ab");
        CHECK(o.replacements == 2);
        CHECK(o.after.selStart == 8);
        CHECK(o.after.selEnd == 10);
    }
    SUBCASE("whole word sees the end of the previous replacement as the left neighbour") {
        // "catcat": the second cat follows the replacement "x" directly.
        const std::string text = "cat catcat";
        const ReplaceOutcome o = replaceAll(text, EditState{0, 0, 0}, Request("cat", "x", true, true));
        // cat at 0 replaced; at 4 prev ' ' -> replaced; at 7 prev is the 'x' just written, next none -> replaced.
        CHECK(Applied(text, o) == "x xx");
        const ReplaceOutcome o2 = replaceAll("catcats", EditState{0, 0, 0}, Request("cat", "y", true, true));
        // the second hit has the letter 'y' before it and 's' behind it: rejected.
        CHECK(Applied("catcats", o2) == "ycats");
    }
}

TEST_CASE("the computed Replace All equals the step-by-step loop on random input") {
    std::mt19937 rng(9);
    const char alphabet[] = {'a', 'b', 'A', 'B', ' ', '\xE4', '\xC4', '\xDF', '_', '1', '\r', '\n'};
    auto pick = [&](std::size_t maxLength, std::size_t letters) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[rng() % letters];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string text = pick(40, sizeof alphabet);
        const std::size_t letters = 2 + rng() % (sizeof alphabet - 1);
        const std::string find = pick(3, letters);
        const std::string replace = pick(4, letters);
        const Options options{rng() % 2 == 0, rng() % 2 == 0};
        const std::size_t limit = rng() % 3 == 0 ? text.size() + rng() % 8 : 30000;
        const ReplaceRequest r{find, replace, options, limit};
        std::size_t a = rng() % (text.size() + 1), b = rng() % (text.size() + 1);
        if (a > b) std::swap(a, b);
        // Half the runs start on a previous hit, as after Find Next.
        EditState start{a, b, rng() % 2 ? b : rng() % (text.size() + 2)};
        if (rng() % 2) {
            const Hit h = find.empty() ? Hit{} : tessel::search::find(text, find, a, options);
            if (h.found) start = EditState{h.start, h.end, h.end};
        }
        bool firstFound = false;
        const reference::State want = reference::replaceAll(text, start, r, firstFound);
        const ReplaceOutcome got = replaceAll(text, start, r);
        INFO("text \"", text, "\" find \"", find, "\" replace \"", replace, "\" case ", options.matchCase,
             " word ", options.wholeWord, " limit ", limit, " sel ", start.selStart, "-", start.selEnd, " pos ",
             start.position);
        REQUIRE(Applied(text, got) == want.text);
        REQUIRE(got.found == firstFound);
        REQUIRE(got.hitLimit == want.hitLimit);
        REQUIRE(got.replacements == want.replacements);
        REQUIRE(got.after.selStart == want.edit.selStart);
        REQUIRE(got.after.selEnd == want.edit.selEnd);
        REQUIRE(got.after.position == want.edit.position);
    }
}
