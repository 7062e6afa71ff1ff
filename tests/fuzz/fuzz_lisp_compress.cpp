// The compressor reads whole programs: its result is never longer than the
// text and holds no comment marker or line end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/compress.h"
#include "tests/fuzz/check.h"

using namespace tessel::lisp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string out = compress(text);
    REQUIRE(out.size() <= size);
    REQUIRE(out.find_first_of(";\r\n") == std::string::npos);
    const int saving = savingPercent(size, out.size());
    REQUIRE(saving >= 0 && saving <= 100);
    (void)compressStatistics(size, out.size());
    return 0;
}
