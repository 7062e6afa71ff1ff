// The line frame: line model, line range of a selection, and the one-pass frame
// that must give what changing the lines one by one in the edit control gives.
#include "textops/lineframe.h"

#include <doctest/doctest.h>

#include <cstdint>
#include <string>

using namespace lineframe;

namespace {

// Changing the lines one after another, as EM_SETSEL + EM_REPLACESEL per line
// would, where a change that would carry the text past the limit is not made
// and stops the run: the reference the frame must match.
struct Reference {
    std::string text;
    bool hitLimit = false;
    std::size_t caret = 0;
};

Reference perLine(std::string text, std::size_t selStart, std::size_t selEnd, const LineOp& op, std::size_t limit)
{
    auto lineOf = [&](std::size_t pos) {
        pos = pos < text.size() ? pos : text.size();
        unsigned line = 0;
        for (std::size_t b = text.find("\r\n"); b != std::string::npos && b + 2 <= pos; b = text.find("\r\n", b + 2))
            ++line;
        return line;
    };
    Reference ref;
    const std::size_t lo = selStart < selEnd ? selStart : selEnd;
    const std::size_t hi = selStart < selEnd ? selEnd : selStart;
    const unsigned first = lineOf(lo), last = lineOf(hi);
    for (unsigned i = first; i <= last; ++i) {
        std::size_t start = 0;
        for (unsigned k = 0; k < i; ++k) start = text.find("\r\n", start) + 2;
        const std::size_t br = text.find("\r\n", start);
        const bool isFinal = br == std::string::npos;
        const std::size_t len = (isFinal ? text.size() : br) - start;
        const LineEdit e = op(std::string_view(text).substr(start, len), i - first, isFinal);
        const std::size_t off = e.offset < len ? e.offset : len;
        const std::size_t rem = e.removeCount < len - off ? e.removeCount : len - off;
        const std::string& ins = e.insert;
        const std::size_t newSize = text.size() - rem + ins.size();
        if (!ins.empty() && newSize > limit && newSize > text.size()) {
            ref.hitLimit = true;
            ref.caret = start;
            break;
        }
        text.erase(start + off, rem);
        text.insert(start + off, ins);
        ref.caret = start + off + ins.size();
    }
    ref.text = text;
    return ref;
}

std::string applied(std::string text, const FrameResult& r)
{
    applyFrameResult(text, r);
    return text;
}

LineOp insertFront(std::string s)
{
    return [s](std::string_view, unsigned, bool) { return LineEdit{0, 0, s}; };
}

LineOp removeFront(std::size_t n)
{
    return [n](std::string_view, unsigned, bool) { return LineEdit{0, n, {}}; };
}

}  // namespace

TEST_CASE("only CR LF separates lines")
{
    CHECK(lineCount("") == 1);
    CHECK(lineCount("abc") == 1);
    CHECK(lineCount("a\r\n") == 2);
    CHECK(lineCount("a\rb\nc\n\r") == 1);
    CHECK(lineCount("a\r\r\nb\r\n\r\n") == 4);

    const std::string t = "ab\r\ncd\r\n";  // lines "ab", "cd", ""
    CHECK(lineFromChar(t, 0) == 0);
    CHECK(lineFromChar(t, 2) == 0);  // at the CR
    CHECK(lineFromChar(t, 3) == 0);  // between CR and LF
    CHECK(lineFromChar(t, 4) == 1);  // at the start of the next line
    CHECK(lineFromChar(t, 8) == 2);
    CHECK(lineFromChar(t, 500) == 2);  // beyond the end: the end
    CHECK(lineStart(t, 1) == 4);
    CHECK(lineStart(t, 2) == 8);
    CHECK(lineStart(t, 9) == 8);
}

TEST_CASE("line range of a selection")
{
    const std::string t = "one\r\ntwo\r\nthree\r\nfour";
    SUBCASE("a caret is its own line")
    {
        const LineRange r = lineRangeOf(t, 6, 6);
        CHECK(r.first == 1);
        CHECK(r.last == 1);
    }
    SUBCASE("a selection ending at the start of a line includes that line")
    {
        const LineRange r = lineRangeOf(t, 0, 10);
        CHECK(r.first == 0);
        CHECK(r.last == 2);
    }
    SUBCASE("start after end means the same selection")
    {
        const LineRange r = lineRangeOf(t, 18, 1);
        CHECK(r.first == 0);
        CHECK(r.last == 3);
    }
    SUBCASE("positions beyond the end count as the end")
    {
        const LineRange r = lineRangeOf(t, 40000, 65535);
        CHECK(r.first == 3);
        CHECK(r.last == 3);
    }
}

TEST_CASE("the frame changes only the lines of the range")
{
    const std::string t = "one\r\ntwo\r\nthree\r\nfour";
    SUBCASE("caret only")
    {
        const FrameResult r = runLineFrame(t, 6, 6, insertFront("x"), 30000, false);
        CHECK(r.changed);
        CHECK_FALSE(r.hitLimit);
        CHECK(applied(t, r) == "one\r\nxtwo\r\nthree\r\nfour");
        CHECK(r.replaceStart >= 5);
        CHECK(r.replaceEnd <= 8);
    }
    SUBCASE("dragged to the start of the third line")
    {
        const FrameResult r = runLineFrame(t, 0, 10, insertFront("> "), 30000, false);
        CHECK(applied(t, r) == "> one\r\n> two\r\n> three\r\nfour");
    }
    SUBCASE("the final line is a line like the others")
    {
        const FrameResult r = runLineFrame(t, 0, 21, insertFront("#"), 30000, false);
        CHECK(applied(t, r) == "#one\r\n#two\r\n#three\r\n#four");
    }
    SUBCASE("after a final CR LF the final line is the empty one")
    {
        const std::string u = "a\r\nb\r\n";
        const FrameResult r = runLineFrame(u, 0, 6, insertFront("-"), 30000, false);
        CHECK(applied(u, r) == "-a\r\n-b\r\n-");
    }
    SUBCASE("nothing to change")
    {
        const FrameResult r = runLineFrame(t, 0, 21, insertFront(""), 30000, false);
        CHECK_FALSE(r.changed);
        CHECK_FALSE(r.hitLimit);
        CHECK(r.replacement.empty());
    }
}

TEST_CASE("a set capacity flag changes nothing")
{
    const FrameResult r = runLineFrame("abc\r\ndef", 0, 8, insertFront("x"), 30000, true);
    CHECK_FALSE(r.changed);
    CHECK_FALSE(r.hitLimit);
}

TEST_CASE("an empty document has one empty line")
{
    FrameResult r = runLineFrame("", 0, 0, insertFront("x"), 30000, false);
    CHECK(applied("", r) == "x");
    r = runLineFrame("", 0, 0, removeFront(3), 30000, false);
    CHECK_FALSE(r.changed);
}

TEST_CASE("a full edit control stops the run")
{
    const std::string t = "aa\r\nbb\r\ncc\r\ndd";  // 14 characters
    SUBCASE("lines before are changed, the line that would pass the limit and the rest not")
    {
        // Inserting "123" into each line: 17, 20, then line 3 would need 23.
        const FrameResult r = runLineFrame(t, 0, 14, insertFront("123"), 21, false);
        CHECK(r.hitLimit);
        CHECK(r.changed);
        const std::string n = applied(t, r);
        CHECK(n == "123aa\r\n123bb\r\ncc\r\ndd");
        CHECK(n.size() == 20);
        CHECK(r.caret == 14);  // at the start of the line left unchanged
    }
    SUBCASE("a counter or a prefix is never cut short")
    {
        const LineOp counter = [](std::string_view, unsigned i, bool) {
            return LineEdit{0, 0, std::to_string(12340 + i)};
        };
        const FrameResult r = runLineFrame(t, 0, 14, counter, 26, false);
        CHECK(r.hitLimit);
        CHECK(applied(t, r) == "12340aa\r\n12341bb\r\ncc\r\ndd");
    }
    SUBCASE("a text that ends exactly at the limit fits")
    {
        const FrameResult r = runLineFrame(t, 0, 14, insertFront("1"), 18, false);
        CHECK_FALSE(r.hitLimit);
        CHECK(applied(t, r) == "1aa\r\n1bb\r\n1cc\r\n1dd");
    }
    SUBCASE("a text already over the limit takes no insertion")
    {
        const FrameResult r = runLineFrame(t, 0, 14, insertFront("x"), 10, false);
        CHECK(r.hitLimit);
        CHECK_FALSE(r.changed);
        CHECK(r.caret == 0);
    }
    SUBCASE("removals always succeed")
    {
        const FrameResult r = runLineFrame(t, 0, 14, removeFront(1), 10, false);
        CHECK_FALSE(r.hitLimit);
        CHECK(applied(t, r) == "a\r\nb\r\nc\r\nd");
    }
    SUBCASE("a replacement that does not fit leaves its line whole")
    {
        const LineOp replace = [](std::string_view line, unsigned, bool) {
            return LineEdit{0, line.size(), "<" + std::string(line) + ">"};
        };
        const FrameResult r = runLineFrame(t, 0, 14, replace, 18, false);
        CHECK(r.hitLimit);
        CHECK(applied(t, r) == "<aa>\r\n<bb>\r\ncc\r\ndd");
    }
    SUBCASE("above the limit, changes that do not lengthen the text still apply")
    {
        // A text loaded above the limit: shrinking and same-length replacements
        // go through; the first one that lengthens it stops the run.
        const std::string big = "abcd\r\nabcd\r\nab\r\nab";
        const LineOp shrink = [](std::string_view line, unsigned, bool) {
            return LineEdit{0, line.size(), line.size() > 2 ? "xyz" : "xyz!"};
        };
        const FrameResult r = runLineFrame(big, 0, big.size(), shrink, 10, false);
        CHECK(r.hitLimit);
        CHECK(applied(big, r) == "xyz\r\nxyz\r\nab\r\nab");
    }
}

TEST_CASE("a line of 30000 characters")
{
    const std::string t(30000, 'x');
    FrameResult r = runLineFrame(t, 5, 5, insertFront("y"), kEditTextLimit, false);
    CHECK(r.hitLimit);
    CHECK_FALSE(r.changed);
    r = runLineFrame(t, 5, 5, removeFront(2), kEditTextLimit, false);
    CHECK(applied(t, r) == std::string(29998, 'x'));
    const LineOp appendEnd = [](std::string_view line, unsigned, bool) { return LineEdit{line.size(), 0, "z"}; };
    r = runLineFrame(t.substr(0, 29999), 0, 0, appendEnd, kEditTextLimit, false);
    CHECK_FALSE(r.hitLimit);
    CHECK(r.replacement == "z");
    CHECK(r.replaceStart == 29999);
}

TEST_CASE("an insertion holding a line break shifts the following lines as in the edit control")
{
    // After "x\r\n" is inserted in front of line 0, line 1 is the old line 0 and
    // gets the next insertion; the old line 1 is then beyond the range.
    const std::string t = "a\r\nb\r\nc";
    const LineOp op = [](std::string_view, unsigned i, bool) { return LineEdit{0, 0, i == 0 ? "x\r\n" : "y"}; };
    const FrameResult r = runLineFrame(t, 0, 3, op, 30000, false);
    CHECK(applied(t, r) == "x\r\nya\r\nb\r\nc");
    CHECK(applied(t, r) == perLine(t, 0, 3, op, 30000).text);
}

TEST_CASE("the one-pass frame equals changing the lines one by one")
{
    // Pseudo-random texts, selections, limits and per-line edits (including CR and
    // LF in insertions and removals that join a CR to an LF).
    std::uint32_t seed = 12345;
    auto rnd = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\t', '\xE4'};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::uint32_t len = rnd(40);
        for (std::uint32_t i = 0; i < len; ++i) {
            text += rnd(4) == 0 ? std::string("\r\n") : std::string(1, alphabet[rnd(sizeof alphabet)]);
        }
        const std::size_t s = rnd(static_cast<std::uint32_t>(text.size() + 3));
        const std::size_t e = rnd(static_cast<std::uint32_t>(text.size() + 3));
        const long slack = static_cast<long>(rnd(20)) - (rnd(4) == 0 ? static_cast<long>(rnd(25)) : 0);
        const long wanted = static_cast<long>(text.size()) + slack;
        const std::size_t limit = wanted < 0 ? 0 : static_cast<std::size_t>(wanted);
        const std::uint32_t opSeed = rnd(1000000);
        // The edit depends only on the arguments, so both frames see the same one.
        const LineOp op = [opSeed, &alphabet](std::string_view line, unsigned index, bool isFinal) {
            std::uint32_t h = opSeed + index * 7919u + (isFinal ? 17u : 0u);
            for (char c : line) h = h * 31u + static_cast<unsigned char>(c);
            auto pick = [&h](std::uint32_t n) {
                h = h * 2654435761u + 1u;
                return (h >> 7) % n;
            };
            LineEdit edit;
            edit.offset = pick(static_cast<std::uint32_t>(line.size() + 2));
            if (pick(2)) edit.removeCount = pick(4);
            if (pick(3)) {
                const std::uint32_t n = pick(5);
                for (std::uint32_t i = 0; i < n; ++i) edit.insert += alphabet[pick(sizeof alphabet)];
            }
            return edit;
        };
        CAPTURE(round);
        CAPTURE(text);
        const FrameResult r = runLineFrame(text, s, e, op, limit, false);
        const Reference ref = perLine(text, s, e, op, limit);
        REQUIRE(applied(text, r) == ref.text);
        CHECK(r.hitLimit == ref.hitLimit);
        CHECK(r.changed == (ref.text != text));
        if (r.hitLimit) CHECK(r.caret == ref.caret);
        if (r.changed) {
            // The span never splits a CR LF pair of the old text.
            CHECK_FALSE((r.replaceStart > 0 && text[r.replaceStart - 1] == '\r' && text[r.replaceStart] == '\n'));
            CHECK_FALSE((r.replaceEnd > 0 && r.replaceEnd < text.size() && text[r.replaceEnd - 1] == '\r' &&
                         text[r.replaceEnd] == '\n'));
        }
    }
}
