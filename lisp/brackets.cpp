#include "lisp/brackets.h"

#include <cstdio>
#include <vector>

namespace tessel::lisp {

BracketCounts countBrackets(std::string_view text) {
    BracketCounts counts;
    bool inCode = true;
    for (const char c : text) {
        switch (c) {
        case '\r':
        case '\n': inCode = true; break;
        case ';': inCode = false; break;
        case '(': if (inCode) ++counts.left; break;
        case ')': if (inCode) ++counts.right; break;
        case '"': if (inCode) ++counts.quotes; break;
        default: break;
        }
    }
    return counts;
}

std::string bracketReport(const BracketCounts& counts) {
    char numbers[160];
    std::snprintf(numbers, sizeof numbers,
                  "Linke Klammern :\t %d\nRechte Klammern :\t %d\nAnf\xFChrungszeichen :\t %d\n\n",
                  static_cast<int>(counts.left), static_cast<int>(counts.right), static_cast<int>(counts.quotes));
    std::string report = numbers;
    report += counts.bracketsPass() ? "Klammerntest \tOK\n" : "Klammerntest \tFEHLER\n";
    report += counts.quotesPass() ? "Anf\xFChrungszeichen \tOK" : "Anf\xFChrungszeichen \tFEHLER";
    return report;
}

namespace {

// The editor's scan, remembering positions as it counts.
BracketDiagnosis diagnoseAsEditor(std::string_view text) {
    BracketDiagnosis d;
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

// Strings and block comments are opaque.
BracketDiagnosis diagnoseWithStrings(std::string_view text) {
    BracketDiagnosis d;
    std::vector<std::size_t> open;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == ';') {
            if (i + 1 < n && text[i + 1] == '|') {  // ;| ... |;
                const std::size_t end = text.find("|;", i + 2);
                i = end == std::string_view::npos ? n : end + 2;
            } else {
                while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
            }
        } else if (c == '"') {
            ++d.counts.quotes;
            const std::size_t start = i++;
            bool closed = false;
            while (i < n) {
                if (text[i] == '\\') {
                    i += 2;
                } else if (text[i] == '"') {
                    ++i;
                    closed = true;
                    break;
                } else {
                    ++i;
                }
            }
            if (closed) ++d.counts.quotes;
            else d.unpairedQuote = start;
            if (i > n) i = n;
        } else {
            if (c == '(') {
                ++d.counts.left;
                open.push_back(i);
            } else if (c == ')') {
                ++d.counts.right;
                if (!open.empty()) open.pop_back();
                else if (!d.strayClose) d.strayClose = i;
            }
            ++i;
        }
    }
    if (!open.empty()) d.unclosedOpen = open.back();
    return d;
}

}  // namespace

BracketDiagnosis diagnoseBrackets(std::string_view text, bool opaqueStrings) {
    return opaqueStrings ? diagnoseWithStrings(text) : diagnoseAsEditor(text);
}

LineColumn lineColumnOf(std::string_view text, std::size_t offset) {
    LineColumn at;
    std::size_t lineStart = 0;
    if (offset > text.size()) offset = text.size();
    for (std::size_t i = 0; i < offset; ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++at.line;
            lineStart = i + 1;
        }
    }
    at.column = offset - lineStart + 1;
    return at;
}

}  // namespace tessel::lisp
