#include "lisp/reader.h"

namespace tessel::reader {

namespace {

// Bytes that end an atom: separators, brackets, quotes and the comment mark.
constexpr bool endsAtom(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '(' || c == ')' || c == '\'' || c == '"' ||
           c == ';';
}

struct AtomTable {
    bool ends[256] = {};
    constexpr AtomTable() {
        for (int c = 0; c < 256; ++c) ends[c] = endsAtom(static_cast<unsigned char>(c));
    }
};
constexpr AtomTable kAtom;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Reader::next(Token& token) {
    const std::size_t n = text_.size();
    const char* p = text_.data();
    std::size_t i = at_;
    while (i < n && isSeparator(p[i])) ++i;
    if (i >= n) {
        at_ = n;
        return false;
    }
    token = Token{};
    token.start = i;
    switch (p[i]) {
    case '(': token.kind = TokenKind::open; ++i; break;
    case ')': token.kind = TokenKind::close; ++i; break;
    case '\'': token.kind = TokenKind::quote; ++i; break;
    case '"':
        token.kind = TokenKind::string;
        token.unclosed = true;
        for (++i; i < n; ++i) {
            if (p[i] == '\\') {
                if (++i >= n) break;  // a backslash at the very end escapes nothing
            } else if (p[i] == '"') {
                ++i;
                token.unclosed = false;
                break;
            }
        }
        if (i > n) i = n;
        break;
    case ';':
        if (i + 1 < n && p[i + 1] == '|') {
            token.kind = TokenKind::blockComment;
            const std::size_t close = text_.find("|;", i + 2);
            token.unclosed = close == std::string_view::npos;
            i = token.unclosed ? n : close + 2;
        } else {
            token.kind = TokenKind::lineComment;
            while (i < n && p[i] != '\r' && p[i] != '\n') ++i;
        }
        break;
    default:
        token.kind = TokenKind::atom;
        while (i < n && !kAtom.ends[static_cast<unsigned char>(p[i])]) ++i;
        break;
    }
    token.end = i;
    at_ = i;
    return true;
}

bool atomIs(std::string_view atom, std::string_view lowerWord) {
    if (atom.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < atom.size(); ++i)
        if (lower(atom[i]) != lowerWord[i]) return false;
    return true;
}

bool isProtected(std::string_view text) {
    constexpr std::string_view kHeader = "autocad protected lisp file";
    return text.size() >= kHeader.size() && atomIs(text.substr(0, kHeader.size()), kHeader);
}

}  // namespace tessel::reader
