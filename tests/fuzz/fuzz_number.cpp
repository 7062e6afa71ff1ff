// The number reader of the numeric sort takes any line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "textops/sorting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const double value = tessel::sorting::readNumber(line);
    if (std::isnan(value)) __builtin_trap();
    // A letter that belongs to no number ends the reading: appending one
    // changes nothing.
    std::string longer(line);
    longer += 'x';
    if (tessel::sorting::readNumber(longer) != value) __builtin_trap();
    return 0;
}
