// The number reader of the numeric sort takes any line. Checked against the
// library's strtod on the prefix that a separate scanner accepts: blanks, a
// sign, digits with a point (at least one digit), an exponent only with
// digits; no hex, inf or nan.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "tests/fuzz/check.h"
#include "textops/sorting.h"

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

double reference(std::string_view line)
{
    std::size_t i = line.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) return 0.0;
    const std::size_t start = i;
    if (line[i] == '+' || line[i] == '-') ++i;
    const std::size_t integral = i;
    while (i < line.size() && digit(line[i])) ++i;
    bool any = i > integral;
    if (i < line.size() && line[i] == '.') {
        const std::size_t fraction = ++i;
        while (i < line.size() && digit(line[i])) ++i;
        any = any || i > fraction;
    }
    if (!any) return 0.0;
    if (i + 1 < line.size() && (line[i] | 0x20) == 'e') {
        std::size_t j = i + 1;
        if (line[j] == '+' || line[j] == '-') ++j;
        if (j < line.size() && digit(line[j])) {
            while (j < line.size() && digit(line[j])) ++j;
            i = j;
        }
    }
    const std::string number(line.substr(start, i - start));
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    REQUIRE(end == number.c_str() + number.size());  // the whole prefix is one number
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const double value = tessel::sorting::readNumber(line);
    const double expected = reference(line);
    REQUIRE(!std::isnan(value));
    REQUIRE(std::memcmp(&value, &expected, sizeof value) == 0);  // -0.0 too
    return 0;
}
