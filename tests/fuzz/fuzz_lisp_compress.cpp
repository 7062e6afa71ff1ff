// The compressor reads whole programs: its result is never longer than the
// text and holds no comment marker or line end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lisp/compress.h"

using namespace tessel::lisp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string out = compress(text);
    if (out.size() > size) __builtin_trap();
    if (out.find_first_of(";\r\n") != std::string::npos) __builtin_trap();
    const int saving = savingPercent(size, out.size());
    if (saving < 0 || saving > 100) __builtin_trap();
    (void)compressStatistics(size, out.size());
    return 0;
}
