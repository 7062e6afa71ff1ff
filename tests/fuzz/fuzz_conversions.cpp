// The whole-text conversions and the GPS record conversion over any text,
// also texts around the 27500-character result limit.  Checked:
//  - no result exactly when there is nothing to do;
//  - each result's length and line-end bytes, and every other byte kept in
//    its order;
//  - the round trips: UNIX -> DOS -> UNIX on texts without CR, DOS -> UNIX ->
//    DOS and PC -> MAC -> PC on texts whose only line ends are CR LF pairs,
//    MAC -> PC -> MAC on texts without LF;
//  - GPS: each line as described, the frame as changing the lines one by one
//    (tests/unit/lineframe_reference.h), the last line untouched, the limit
//    kept.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tests/fuzz/check.h"
#include "tests/unit/lineframe_reference.h"
#include "textops/conversions.h"
#include "textops/lineframe.h"

namespace {

// The checks' own loops need no coverage feedback; on texts of 27500
// characters they would otherwise cost most of the time.
#define NO_COVERAGE __attribute__((no_sanitize("coverage"), noinline))

using Result = std::optional<std::string>;

NO_COVERAGE std::size_t count(std::string_view s, char c)
{
    std::size_t n = 0;
    for (char x : s) n += x == c;
    return n;
}

bool hasPair(std::string_view s) { return s.find("\r\n") != std::string_view::npos; }

// Every CR is followed by an LF and every LF follows a CR.
NO_COVERAGE bool onlyPairs(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')) return false;
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) return false;
    }
    return true;
}

// The bytes no conversion touches, in their order.
NO_COVERAGE std::string untouched(std::string_view s)
{
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n' && c != ' ' && c != ',' && c != '\t') out.push_back(c);
    return out;
}

NO_COVERAGE std::string replaceAll(std::string_view s, std::string_view from, std::string_view to)
{
    std::string out;
    std::size_t i = 0;
    for (std::size_t p = s.find(from); p != std::string_view::npos; p = s.find(from, i)) {
        out.append(s.substr(i, p - i)).append(to);
        i = p + from.size();
    }
    out.append(s.substr(i));
    return out;
}

void checkResult(const std::string& kept, const Result& r, std::size_t expectedSize)
{
    REQUIRE(r.has_value());
    REQUIRE(r->size() == expectedSize);
    REQUIRE(untouched(*r) == kept);
    REQUIRE(conversions::fitsConvertedLimit(r->size()) == (r->size() <= 27500));
}

void checkConversions(std::string_view t)
{
    using namespace conversions;
    const std::size_t n = t.size(), cr = count(t, '\r'), lf = count(t, '\n'), tab = count(t, '\t');
    const std::string kept = untouched(t);
    if (t.empty()) {
        REQUIRE(!dosToUnix(t) && !unixToDos(t) && !macToPc(t) && !pcToMac(t) && !crlfToBlank(t) &&
                !crlfToBlankComma(t) && !tabToTwoBlanks(t));
        return;
    }

    const Result d2u = dosToUnix(t);
    REQUIRE(d2u.has_value() == hasPair(t));
    if (d2u) {
        checkResult(kept, d2u, n - lf);
        REQUIRE(count(*d2u, '\r') == 0 && count(*d2u, '\n') == cr);
    }
    const Result u2d = unixToDos(t);
    checkResult(kept, u2d, n + lf);
    REQUIRE(count(*u2d, '\n') == lf && count(*u2d, '\r') == cr + lf);

    const Result m2p = macToPc(t);
    checkResult(kept, m2p, n + cr);
    REQUIRE(count(*m2p, '\r') == cr && count(*m2p, '\n') == cr + lf);

    const Result p2m = pcToMac(t);
    REQUIRE(p2m.has_value() == hasPair(t));
    if (p2m) {
        checkResult(kept, p2m, n - lf);
        REQUIRE(count(*p2m, '\n') == 0 && count(*p2m, '\r') == cr);
    }

    const Result blank = crlfToBlank(t);
    checkResult(kept, blank, n - cr);
    REQUIRE(count(*blank, '\r') == 0 && count(*blank, '\n') == 0 && count(*blank, ' ') == count(t, ' ') + lf);

    const Result comma = crlfToBlankComma(t);
    checkResult(kept, comma, n - cr + lf);
    REQUIRE(count(*comma, '\r') == 0 && count(*comma, '\n') == 0 && count(*comma, ',') == count(t, ',') + lf);

    const Result tabs = tabToTwoBlanks(t);
    checkResult(kept, tabs, n + tab);
    REQUIRE(count(*tabs, '\t') == 0 && count(*tabs, ' ') == count(t, ' ') + 2 * tab);

    // Round trips.
    if (cr == 0 && lf > 0) REQUIRE(dosToUnix(*u2d) == std::string(t));
    if (lf == 0 && cr > 0) REQUIRE(pcToMac(*m2p) == std::string(t));
    if (hasPair(t) && onlyPairs(t)) {
        REQUIRE(unixToDos(*d2u) == std::string(t));
        REQUIRE(macToPc(*p2m) == std::string(t));
        REQUIRE(*blank == replaceAll(t, "\r\n", " "));
        REQUIRE(*comma == replaceAll(t, "\r\n", " ,"));
    }
}

// One GPS record as described: the line number, ';', then the line up to its
// second comma with commas turned into semicolons and full stops into commas.
std::string describedGps(std::string_view line, unsigned number)
{
    std::string s(line);
    const std::size_t first = s.find(',');
    if (first != std::string::npos) {
        const std::size_t second = s.find(',', first + 1);
        if (second != std::string::npos) s.resize(second);
    }
    std::replace(s.begin(), s.end(), ',', ';');
    std::replace(s.begin(), s.end(), '.', ',');
    return std::to_string(number) + ";" + s;
}

void checkGps(std::string_view text, std::size_t limit, bool capacityFlag)
{
    const lineframe::FrameResult r = conversions::runGpsFrame(text, limit, capacityFlag);
    const unsigned lines = lineframe::lineCount(text);
    if (capacityFlag || lines < 2) {
        REQUIRE(!r.changed && !r.hitLimit);
        return;
    }
    REQUIRE(r.caret == 0);
    const auto op = [](std::string_view line, unsigned index, bool) {
        const std::string record = conversions::gpsConvertLine(line, index + 1);
        REQUIRE(record == describedGps(line, index + 1));
        return lineframe::LineEdit{0, line.size(), record};
    };
    std::string result(text);
    lineframe::applyFrameResult(result, r);
    // The line-by-line reference takes time quadratic in the lines; the texts
    // around the result limit are checked by the rest.
    if (text.size() <= 2048) {
        const lineframe_reference::Reference ref =
            lineframe_reference::perLineOnLines(std::string(text), 0, lines - 2, op, limit);
        REQUIRE(result == ref.text);
        REQUIRE(r.hitLimit == ref.hitLimit);
    }
    REQUIRE(r.changed == (result != text));
    REQUIRE(lineframe::lineCount(result) == lines);
    // The last line is never touched.
    const std::size_t lastStart = lineframe::lineStart(text, lines - 1);
    const std::size_t tail = text.size() - lastStart;
    REQUIRE(result.size() >= tail && result.compare(result.size() - tail, tail, text, lastStart, tail) == 0);
    if (text.size() <= limit) REQUIRE(result.size() <= limit);
    else REQUIRE(result.size() <= text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // One input in 32 has its text repeated up to around the result limit;
    // chosen by a hash of the whole input, so that the long runs keep that
    // share of the time however the inputs evolve.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    const bool repeat = (hash & 31u) == 0;
    const int around = in.ConsumeIntegralInRange<int>(-300, 300);
    const int slack = in.ConsumeIntegralInRange<int>(-40, 200);
    const bool editLimit = in.ConsumeBool();
    const bool capacityFlag = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    std::string text = in.ConsumeRemainingBytesAsString();
    // Longer texts find nothing that a kilobyte does not, but cost time; the
    // repeated ones cover the lengths that matter.
    if (text.size() > 1024) text.resize(1024);
    if (repeat && !text.empty()) {
        const std::size_t target = static_cast<std::size_t>(27500 + around);
        std::string big;
        big.reserve(target);
        while (big.size() < target) big.append(text, 0, target - big.size());
        text = std::move(big);
    }

    checkConversions(text);

    const long wanted = static_cast<long>(text.size()) + slack;
    const std::size_t limit = editLimit ? lineframe::kEditTextLimit : wanted < 0 ? 0 : static_cast<std::size_t>(wanted);
    checkGps(text, limit, capacityFlag);
    return 0;
}
