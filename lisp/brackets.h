// The bracket and quote test over AutoLISP text: one pass, one state bit.
// CR or LF starts code, ";" starts a comment that runs to the line end;
// brackets and double quotes are counted only in code. Strings are not
// known: a ";" inside a string hides the rest of its line, and brackets
// inside strings count.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::lisp {

struct BracketCounts {
    std::size_t left = 0;
    std::size_t right = 0;
    std::size_t quotes = 0;

    bool bracketsPass() const { return left == right; }
    bool quotesPass() const { return quotes % 2 == 0; }
    bool passed() const { return bracketsPass() && quotesPass(); }
};

BracketCounts countBrackets(std::string_view text);

// The report of the bracket test: counts, then the bracket verdict, then the
// quote verdict (code page 1252 text).
std::string bracketReport(const BracketCounts& counts);

// Where a text's brackets and quotes go wrong, for the command-line checker.
// Without `opaqueStrings` the scan counts exactly as countBrackets does; with
// it, "..." strings (with backslash escapes) and ;| ... |; comments are
// skipped, so brackets and semicolons inside strings are no faults.
struct BracketDiagnosis {
    BracketCounts counts;
    std::optional<std::size_t> strayClose;     // first ")" without an opening partner
    std::optional<std::size_t> unclosedOpen;   // last "(" left open at the end
    std::optional<std::size_t> unpairedQuote;  // the quote without a partner

    // The counts pass, and no closing bracket comes before its partner.
    bool passed() const { return counts.passed() && !strayClose; }
};

BracketDiagnosis diagnoseBrackets(std::string_view text, bool opaqueStrings);

// 1-based line and column (in bytes) of an offset. CR LF, LF and a lone CR
// each end a line.
struct LineColumn {
    std::size_t line = 1;
    std::size_t column = 1;
};
LineColumn lineColumnOf(std::string_view text, std::size_t offset);

}  // namespace tessel::lisp
