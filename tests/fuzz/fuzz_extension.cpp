// The extension replacement derives the INI, ATX and BI4 paths from paths the
// user chose; the result must always fit a path buffer and end in the new
// extension.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    for (const char* ext : {"INI", "ATX", "BI4", ""}) {
        const auto result = tessel::paths::replaceExtension(path, ext);
        if (!result) continue;
        if (result->size() > tessel::limits::kMaxPath) __builtin_trap();
        const std::string suffix = std::string(".") + ext;
        if (result->size() < suffix.size() || result->compare(result->size() - suffix.size(), suffix.size(), suffix) != 0)
            __builtin_trap();
    }
    (void)tessel::paths::directoryOf(path);
    return 0;
}
