// The list of dropped file names: any number of files with names of any
// length and bytes.  Checked:
//  - no list for no files or more than 2048, and then no name is asked for;
//  - the names are asked for in drop order and only as far as the list goes;
//  - each name appears cut to 255 characters and followed by CR LF, and the
//    list stops right after the name that crosses 24500 characters;
//  - the text always fits the 25000-byte buffer with its terminator.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/check.h"
#include "document/droplist.h"

namespace {

namespace dl = tessel::drop;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 2100);
    if (in.ConsumeIntegralInRange<int>(0, 15) == 0) count = in.ConsumeIntegral<std::uint32_t>();

    // A few names, each stretched to some length; file i has name i modulo
    // their number.
    std::vector<std::string> names;
    const int kinds = in.ConsumeIntegralInRange<int>(1, 6);
    for (int k = 0; k < kinds; ++k) {
        const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 400);
        std::string base = in.ConsumeRandomLengthString(64);
        std::string name;
        if (!base.empty())
            while (name.size() < length) name.append(base, 0, length - name.size());
        names.push_back(std::move(name));
    }

    std::size_t asked = 0;
    bool inOrder = true;
    const dl::DropList list = dl::buildDropList(count, [&](std::size_t i) {
        inOrder = inOrder && i == asked;
        ++asked;
        return names[i % names.size()];
    });
    REQUIRE(inOrder);

    if (count == 0 || count > dl::kMaxFiles) {
        REQUIRE(!list.listed && list.text.empty() && !list.stoppedAfter && asked == 0);
        return 0;
    }
    REQUIRE(list.listed);
    REQUIRE(list.text.size() + 1 <= dl::kBufferSize);

    std::string expected;
    std::size_t last = count - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = names[i % names.size()];
        expected += name.substr(0, dl::kMaxNameLength);
        expected += "\r\n";
        if (expected.size() > dl::kSoftLimit) {
            last = i;
            break;
        }
    }
    REQUIRE(list.text == expected);
    REQUIRE(asked == last + 1);
    REQUIRE(list.stoppedAfter.has_value() == (expected.size() > dl::kSoftLimit));
    if (list.stoppedAfter) {
        REQUIRE(*list.stoppedAfter == last);
        const std::string message = dl::limitMessage(*list.stoppedAfter);
        const std::string number = " " + std::to_string(last) + " ";
        REQUIRE(message.find(number) != std::string::npos);
    }
    return 0;
}
