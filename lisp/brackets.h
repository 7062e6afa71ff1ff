// The bracket and quote test over AutoLISP text, read as AutoLISP reads it:
// brackets and string quotes count only in code, never inside strings or
// comments, and the test names every fault with its offset.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::brackets {

struct BracketCounts {
    std::size_t left = 0;
    std::size_t right = 0;
    std::size_t quotes = 0;

    bool bracketsPass() const { return left == right; }
    bool quotesPass() const { return quotes % 2 == 0; }
    bool passed() const { return bracketsPass() && quotesPass(); }
};

enum class FaultKind : unsigned char {
    strayClose,       // a ")" before any partner
    unclosedOpen,     // a "(" never closed
    unclosedString,   // the double quote of a string the text ends inside
    unclosedComment,  // the ";|" of a block comment never closed
};

struct Fault {
    FaultKind kind;
    std::size_t at;      // byte offset
    std::size_t length;  // bytes the fault's mark covers (1, or 2 for ";|")
};

struct BracketCheck {
    BracketCounts counts;       // left and right brackets in code, and the quotes of strings
    std::vector<Fault> faults;  // in text order

    bool passed() const { return faults.empty(); }
    // The report's two verdicts: the brackets fail also for a ")" before its
    // partner and for a block comment that hides the rest of the program.
    bool bracketsPass() const;
    bool quotesPass() const { return counts.quotesPass(); }
    // Where the user should look first: the first stray ")"; else the string
    // or block comment that swallows the rest of the text (the brackets open
    // before it lost their partners to it); else the first "(" never closed.
    std::optional<Fault> firstFault() const;
};

BracketCheck checkBrackets(std::string_view text);

// The report of the bracket test: counts, then the bracket verdict, then the
// quote verdict (code page 1252 text).
std::string bracketReport(const BracketCheck& check);

// The editor's old count, kept for tessel-lisp's --editor-counts: one pass
// with one state bit, CR or LF starts code and ";" a comment; strings are not
// known, so a ";" inside a string hides the rest of its line and brackets
// inside strings count. With the positions it finds: the first stray ")",
// the last "(" left open, and the last quote when the quotes are odd.
struct EditorDiagnosis {
    BracketCounts counts;
    std::optional<std::size_t> strayClose;
    std::optional<std::size_t> unclosedOpen;
    std::optional<std::size_t> unpairedQuote;

    bool passed() const { return counts.passed() && !strayClose; }
};
EditorDiagnosis editorCounts(std::string_view text);

// 1-based line and column (in bytes) of an offset. CR LF, LF and a lone CR
// each end a line.
struct LineColumn {
    std::size_t line = 1;
    std::size_t column = 1;
};
LineColumn lineColumnOf(std::string_view text, std::size_t offset);

// Line and column of many offsets, given in increasing order, in one pass.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}
    LineColumn at(std::size_t offset);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t lineStart_ = 0;
};

}  // namespace tessel::brackets
