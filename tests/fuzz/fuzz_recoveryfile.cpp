// The recovery and backup file reader on any bytes. Checked:
//  - it never reads outside the input and refuses what does not check;
//  - a record it accepts holds no NUL, keeps its limits, and encodes back to
//    exactly the bytes it was read from (so nothing unchecked is taken in);
//  - the rewritten-file reader accepts only a whole record in the file;
//  - encoding any record and reading it back gives the record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/recoveryfile.h"
#include "tests/fuzz/check.h"

using namespace tessel::recoveryfile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Record record;
    if (Decode(bytes, record) == ReadResult::kRead) {
        REQUIRE(record.path.size() <= kMaxPath && record.text.size() <= kMaxText);
        REQUIRE(record.path.find('\0') == std::string::npos && record.text.find('\0') == std::string::npos);
        REQUIRE(Encode(record) == bytes);
    }
    // What the rewritten-file reader accepts was written whole somewhere in it.
    Record leading;
    if (DecodeRewritten(bytes, leading) == ReadResult::kRead) REQUIRE(bytes.find(Encode(leading)) != std::string_view::npos);

    // The input as a record of its own: it survives the round trip.
    Record made;
    made.kind = size % 2 ? Kind::kBackup : Kind::kRecovery;
    made.modified = size % 3 == 0;
    const std::size_t split = size ? data[0] % (size + 1) : 0;
    made.path.assign(bytes.substr(0, split));
    made.text.assign(bytes.substr(split));
    Record back;
    const ReadResult r = Decode(Encode(made), back);
    if (made.path.find('\0') == std::string::npos && made.text.find('\0') == std::string::npos) {
        REQUIRE(r == ReadResult::kRead);
        REQUIRE(back.path == made.path && back.text == made.text && back.modified == made.modified &&
                back.kind == made.kind);
    } else {
        REQUIRE(r == ReadResult::kDamaged);
    }
    return 0;
}
