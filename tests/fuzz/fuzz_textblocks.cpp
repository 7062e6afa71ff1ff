// The text-block reader takes the ATX file beside the program as it is.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textops/textblocks.h"

using namespace tessel::textblocks;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto blocks = readBlocks(bytes);
    if (blocks.size() > kMaxBlocks) __builtin_trap();
    Table table(blocks);
    const std::string written = table.fileBytes();
    // What was read is a prefix of the file, minus junk after the names' NULs,
    // and reads back to the same blocks.
    if (written.size() > size) __builtin_trap();
    const auto again = readBlocks(written);
    if (again.size() != blocks.size()) __builtin_trap();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].name.size() > kMaxName) __builtin_trap();
        if (again[i].name != blocks[i].name || again[i].text != blocks[i].text) __builtin_trap();
    }
    return 0;
}
