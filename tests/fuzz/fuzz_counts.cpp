// The line dialogs' fields as typed: the count and counter fields, the cut
// character field and the comment-symbol choice with its free text.
// Checked:
//  - a count is the leading decimal digits after blanks and TABs, kept to
//    their low 16 bits (no digit reads 0), and whatever follows the digits
//    changes nothing;
//  - every 16-bit value written in decimal reads back as itself;
//  - the cut character is the field's first byte;
//  - a comment prefix is one of the four fixed ones, or at most 29 characters
//    of the free text and a blank, or empty for an unknown choice.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/check.h"
#include "textops/lineops.h"

namespace {

std::uint32_t describedCount(std::string_view field)
{
    std::size_t i = field.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0;
    std::uint64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = (value * 10 + static_cast<std::uint64_t>(field[i] - '0')) % 65536u;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int choice = in.ConsumeIntegral<int>();
    const std::string junk = in.ConsumeRandomLengthString(8);
    const std::string field = in.ConsumeRemainingBytesAsString();

    const unsigned short count = lineops::parseCount(field);
    REQUIRE(count == describedCount(field));
    // Whatever follows the digits (or the first character that is none) is ignored.
    const bool onlyBlanks = field.find_first_not_of(" \t") == std::string::npos;
    const bool junkIsDigit = !junk.empty() && junk[0] >= '0' && junk[0] <= '9';
    if (!onlyBlanks && !junkIsDigit) REQUIRE(lineops::parseCount(field + junk) == count);
    REQUIRE(lineops::parseCount(" \t" + field) == count);
    REQUIRE(lineops::parseCount(std::to_string(count)) == count);
    REQUIRE(lineops::counterText("[", count, "]") == "[" + std::to_string(count) + "]");

    REQUIRE(lineops::cutCharFromField(field) == (field.empty() ? '\0' : field[0]));

    for (const int id : {choice, lineops::kCommentRem + (choice & 7) - 1}) {
        const std::string prefix = lineops::commentPrefix(id, field);
        switch (id) {
        case lineops::kCommentRem: REQUIRE(prefix == "REM "); break;
        case lineops::kCommentSemicolon: REQUIRE(prefix == "; "); break;
        case lineops::kCommentSlashes: REQUIRE(prefix == "// "); break;
        case lineops::kCommentApostrophe: REQUIRE(prefix == "' "); break;
        case lineops::kCommentFree:
            REQUIRE(prefix.size() <= lineops::kFreeCommentMax + 1 && prefix.back() == ' ');
            REQUIRE(prefix == field.substr(0, lineops::kFreeCommentMax) + " ");
            break;
        default: REQUIRE(prefix.empty()); break;
        }
    }
    return 0;
}
