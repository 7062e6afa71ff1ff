// The bracket test and its diagnosis read whole programs: counts and every
// reported position must agree with the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lisp/brackets.h"
#include "tests/fuzz/check.h"

using namespace tessel::lisp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BracketCounts counts = countBrackets(text);
    REQUIRE(counts.left + counts.right + counts.quotes <= size);
    (void)bracketReport(counts);
    for (const bool strings : {false, true}) {
        const BracketDiagnosis d = diagnoseBrackets(text, strings);
        if (!strings)
            REQUIRE(d.counts.left == counts.left && d.counts.right == counts.right && d.counts.quotes == counts.quotes);
        REQUIRE(!d.strayClose || (*d.strayClose < size && text[*d.strayClose] == ')'));
        REQUIRE(!d.unclosedOpen || (*d.unclosedOpen < size && text[*d.unclosedOpen] == '('));
        REQUIRE(!d.unpairedQuote || (*d.unpairedQuote < size && text[*d.unpairedQuote] == '"'));
        // Balanced counts with no stray ")" leave no "(" open.
        REQUIRE(!(d.counts.bracketsPass() && !d.strayClose && d.unclosedOpen));
        if (d.strayClose) {
            const LineColumn at = lineColumnOf(text, *d.strayClose);
            REQUIRE(at.line >= 1 && at.column >= 1 && at.column <= size);
        }
    }
    return 0;
}
