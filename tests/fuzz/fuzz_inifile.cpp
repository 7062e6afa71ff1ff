// The settings file is read in one pass at start-up, whatever bytes it holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tessel::inifile::File file = tessel::inifile::parse(bytes);
    for (const char* section : {"WINDOWSIZE", "LOGFONT", "INITFILES"}) {
        for (const char* key : {"XPOS", "LGF14", "FILE0"}) {
            const std::string value = tessel::inifile::readString(file, section, key, 32, "d");
            // A read never returns more than the buffer holds.
            if (value.size() > 31) __builtin_trap();
            (void)tessel::inifile::readInt(file, section, key, -1);
        }
    }
    return 0;
}
