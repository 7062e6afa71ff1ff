// Sorting any selection of any text: the merge sort against the exchange
// sort, and the block never longer than what it replaces.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/unit/sort_reference.h"
#include "textops/sorting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size > 2000) return 0;
    using namespace tessel::sorting;
    const SortOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0};
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::size_t a = data[1] * text.size() / 255, b = data[2] * text.size() / 255;
    const SortResult r = sortSelection(text, a, b, options);
    if (r.status == SortStatus::Sorted) {
        if (r.replaceStart > r.replaceEnd || r.replaceEnd > text.size()) __builtin_trap();
        if (r.block.size() > r.replaceEnd - r.replaceStart) __builtin_trap();
        if (r.caret != r.replaceStart + r.block.size()) __builtin_trap();
    }
    // The lines of the whole text, in both sorts.
    std::vector<std::string_view> lines;
    std::string_view rest(text);
    for (std::size_t brk; (brk = rest.find("\r\n")) != std::string_view::npos; rest.remove_prefix(brk + 2))
        lines.push_back(rest.substr(0, brk));
    lines.push_back(rest);
    const auto got = sortLines(lines, options);
    const auto want = reference::exchangeSort(lines, options);
    for (std::size_t i = 0; i < got.size(); ++i)
        if (got[i].data() != want[i].data()) __builtin_trap();
    return 0;
}
