// The bracket test and its diagnosis read whole programs: counts and every
// reported position must agree with the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lisp/brackets.h"

using namespace tessel::lisp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BracketCounts counts = countBrackets(text);
    if (counts.left + counts.right + counts.quotes > size) __builtin_trap();
    (void)bracketReport(counts);
    for (const bool strings : {false, true}) {
        const BracketDiagnosis d = diagnoseBrackets(text, strings);
        if (!strings && (d.counts.left != counts.left || d.counts.right != counts.right ||
                         d.counts.quotes != counts.quotes))
            __builtin_trap();
        if (d.strayClose && (*d.strayClose >= size || text[*d.strayClose] != ')')) __builtin_trap();
        if (d.unclosedOpen && (*d.unclosedOpen >= size || text[*d.unclosedOpen] != '(')) __builtin_trap();
        if (d.unpairedQuote && (*d.unpairedQuote >= size || text[*d.unpairedQuote] != '"')) __builtin_trap();
        if (d.counts.bracketsPass() && !d.strayClose && d.unclosedOpen) __builtin_trap();
        if (d.strayClose) {
            const LineColumn at = lineColumnOf(text, *d.strayClose);
            if (at.line < 1 || at.column < 1 || at.column > size) __builtin_trap();
        }
    }
    return 0;
}
