#include "lisp/brackets.h"

#include <cstdio>

#include "lisp/reader.h"

namespace tessel::brackets {

bool BracketCheck::bracketsPass() const {
    for (const Fault& f : faults)
        if (f.kind != FaultKind::unclosedString) return false;
    return true;
}

std::optional<Fault> BracketCheck::firstFault() const {
    if (faults.empty()) return std::nullopt;
    if (faults.front().kind == FaultKind::strayClose) return faults.front();
    for (const Fault& f : faults)
        if (f.kind == FaultKind::unclosedString || f.kind == FaultKind::unclosedComment) return f;
    return faults.front();
}

BracketCheck checkBrackets(std::string_view text) {
    BracketCheck check;
    std::vector<std::size_t> open;
    std::optional<Fault> swallowed;  // an unclosed string or block comment ends the text
    reader::Reader reader(text);
    reader::Token t;
    while (reader.next(t)) {
        switch (t.kind) {
        case reader::TokenKind::open:
            ++check.counts.left;
            open.push_back(t.start);
            break;
        case reader::TokenKind::close:
            ++check.counts.right;
            if (!open.empty()) open.pop_back();
            else check.faults.push_back(Fault{FaultKind::strayClose, t.start, 1});
            break;
        case reader::TokenKind::string:
            check.counts.quotes += t.unclosed ? 1 : 2;
            if (t.unclosed) swallowed = Fault{FaultKind::unclosedString, t.start, 1};
            break;
        case reader::TokenKind::blockComment:
            if (t.unclosed) swallowed = Fault{FaultKind::unclosedComment, t.start, 2};
            break;
        default: break;
        }
    }
    // The open brackets, then the swallowing token, keep the text order: every
    // stray ")" came before them, and the swallowing token is the last token.
    for (const std::size_t at : open) check.faults.push_back(Fault{FaultKind::unclosedOpen, at, 1});
    if (swallowed) check.faults.push_back(*swallowed);
    return check;
}

std::string bracketReport(const BracketCheck& check) {
    const BracketCounts& counts = check.counts;
    char numbers[160];
    std::snprintf(numbers, sizeof numbers,
                  "Linke Klammern :\t %d\nRechte Klammern :\t %d\nAnf\xFChrungszeichen :\t %d\n\n",
                  static_cast<int>(counts.left), static_cast<int>(counts.right), static_cast<int>(counts.quotes));
    std::string report = numbers;
    report += check.bracketsPass() ? "Klammerntest \tOK\n" : "Klammerntest \tFEHLER\n";
    report += check.quotesPass() ? "Anf\xFChrungszeichen \tOK" : "Anf\xFChrungszeichen \tFEHLER";
    return report;
}

EditorDiagnosis editorCounts(std::string_view text) {
    EditorDiagnosis d;
    std::vector<std::size_t> open;
    std::size_t lastQuote = 0;
    bool inCode = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '\r':
        case '\n': inCode = true; break;
        case ';': inCode = false; break;
        case '(':
            if (!inCode) break;
            ++d.counts.left;
            open.push_back(i);
            break;
        case ')':
            if (!inCode) break;
            ++d.counts.right;
            if (!open.empty()) open.pop_back();
            else if (!d.strayClose) d.strayClose = i;
            break;
        case '"':
            if (!inCode) break;
            ++d.counts.quotes;
            lastQuote = i;
            break;
        default: break;
        }
    }
    if (!open.empty()) d.unclosedOpen = open.back();
    if (!d.counts.quotesPass()) d.unpairedQuote = lastQuote;
    return d;
}

LineColumn LineCounter::at(std::size_t offset) {
    if (offset > text_.size()) offset = text_.size();
    if (offset < pos_) {  // not in order: count again from the start
        pos_ = 0;
        line_ = 1;
        lineStart_ = 0;
    }
    const char* p = text_.data();
    const std::size_t n = text_.size();
    for (; pos_ < offset; ++pos_) {
        const char c = p[pos_];
        if (c == '\n' || (c == '\r' && (pos_ + 1 >= n || p[pos_ + 1] != '\n'))) {
            ++line_;
            lineStart_ = pos_ + 1;
        }
    }
    return LineColumn{line_, offset - lineStart_ + 1};
}

LineColumn lineColumnOf(std::string_view text, std::size_t offset) { return LineCounter(text).at(offset); }

}  // namespace tessel::brackets
