// The computed Replace All against the step-by-step loop, on any text, find
// and replace texts, options, selection, position and limit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/unit/replace_reference.h"
#include "textops/search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7 || size > 600) return 0;
    using namespace tessel::search;
    const Options options{(data[0] & 1) != 0, (data[0] & 2) != 0};
    const std::size_t findLength = data[1] % 6, replaceLength = data[2] % 8;
    std::string_view rest(reinterpret_cast<const char*>(data + 7), size - 7);
    const std::string find(rest.substr(0, findLength));
    rest.remove_prefix(find.size());
    const std::string replace(rest.substr(0, replaceLength));
    rest.remove_prefix(replace.size());
    const std::string text(rest);
    std::size_t a = data[3] % (text.size() + 1), b = data[4] % (text.size() + 1);
    if (a > b) std::swap(a, b);
    const EditState start{a, b, data[5] % (text.size() + 2)};
    const std::size_t limit = (data[6] & 0x80) ? 30000 : text.size() + (data[6] & 0x7F);
    const ReplaceRequest request{find, replace, options, limit};

    bool firstFound = false;
    const reference::State want = reference::replaceAll(text, start, request, firstFound);
    const ReplaceOutcome got = replaceAll(text, start, request);
    std::string result = text;
    applyOutcome(result, got);
    if (result != want.text || got.found != firstFound || got.hitLimit != want.hitLimit ||
        got.replacements != want.replacements || got.after.selStart != want.edit.selStart ||
        got.after.selEnd != want.edit.selEnd || got.after.position != want.edit.position)
        __builtin_trap();
    if (result.size() > text.size() && result.size() > limit) __builtin_trap();
    return 0;
}
