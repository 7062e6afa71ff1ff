// The text search and the escapes of the find and replace fields, over any
// text, needle, position and options.  Checked:
//  - the escapes are what one pass from left to right gives ("^a" -> CR LF,
//    "^t" -> TAB, everything else as it is), the C-string form gives the same
//    and never writes past the text;
//  - a hit is the first place at or after the position where the folded
//    needle matches the folded text, whole-word hits rejected only between
//    two letters (the search going on behind a rejected hit); with no hit the
//    position moves only past rejected hits;
//  - the search on an already folded text gives the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "tests/fuzz/check.h"
#include "textops/search.h"

namespace {

namespace ts = tessel::search;

std::string describedEscapes(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '^' && i + 1 < s.size() && s[i + 1] == 'a') {
            out += "\r\n";
            ++i;
        } else if (s[i] == '^' && i + 1 < s.size() && s[i + 1] == 't') {
            out += '\t';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

ts::Hit describedFind(std::string_view text, std::string_view needle, std::size_t position, ts::Options options)
{
    ts::Hit hit;
    hit.position = position;
    if (needle.empty() || position >= text.size()) return hit;
    const std::string t = ts::fold(text, options.matchCase);
    const std::string n = ts::fold(needle, options.matchCase);
    std::size_t p = position;
    while (p + n.size() <= t.size()) {
        if (std::memcmp(t.data() + p, n.data(), n.size()) != 0) {
            ++p;
            continue;
        }
        const std::size_t end = p + n.size();
        const bool letterBefore = p > 0 && ts::isLetter(static_cast<unsigned char>(t[p - 1]));
        const bool letterAfter = end < t.size() && ts::isLetter(static_cast<unsigned char>(t[end]));
        if (options.wholeWord && letterBefore && letterAfter) {
            hit.position = end;
            p = end;
            continue;
        }
        hit.found = true;
        hit.start = p;
        hit.end = end;
        hit.position = end;
        return hit;
    }
    return hit;
}

bool same(const ts::Hit& a, const ts::Hit& b)
{
    return a.found == b.found && a.position == b.position && (!a.found || (a.start == b.start && a.end == b.end));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    ts::Options options;
    options.matchCase = in.ConsumeBool();
    options.wholeWord = in.ConsumeBool();
    const auto rawPosition = in.ConsumeIntegral<std::uint16_t>();
    std::string needle = in.ConsumeRandomLengthString(24);
    const std::string text = in.ConsumeRemainingBytesAsString();

    // The find field as typed, then its escapes.
    const std::string typed = needle;
    ts::convertEscapes(needle);
    REQUIRE(needle == describedEscapes(typed));
    if (typed.find('\0') == std::string::npos) {
        const std::unique_ptr<char[]> buffer(new char[typed.size() + 1]);
        std::memcpy(buffer.get(), typed.c_str(), typed.size() + 1);
        ts::convertEscapes(buffer.get());
        REQUIRE(needle == buffer.get());
    }

    const std::size_t position = rawPosition % (text.size() + 3);
    const ts::Hit hit = ts::find(text, needle, position, options);
    REQUIRE(same(hit, describedFind(text, needle, position, options)));
    if (hit.found) REQUIRE(hit.start >= position && hit.end <= text.size() && hit.end - hit.start == needle.size());
    if (position < text.size())
        REQUIRE(same(hit, ts::findFolded(ts::fold(text, options.matchCase), needle, position, options)));
    return 0;
}
