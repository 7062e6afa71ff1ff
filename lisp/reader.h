// The AutoLISP reader: the tokens a program reads as, each with its byte
// offsets, in one pass over 8-bit text. It is the one reader behind the
// compressor, the bracket test and the command-line checks.
//
//  - "(" and ")" and the quote "'" are tokens of one byte;
//  - a string runs from a double quote to the next double quote that no
//    backslash escapes; a backslash escapes any byte, a line end included,
//    and a string may span lines;
//  - ";|" opens a block comment that "|;" closes (the search starts behind
//    the "|" of the opening, so ";|;" stays open);
//  - any other ";" opens a comment that runs to the next CR or LF;
//  - blank, TAB, CR and LF separate tokens;
//  - every other run of bytes is an atom (a symbol or a number); it ends at
//    a separator, a bracket, a quote, a double quote or a ";".
// A string or block comment still open at the end of the text is a token
// that runs to the end, marked unclosed.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessel::reader {

enum class TokenKind : unsigned char {
    open,          // (
    close,         // )
    quote,         // '
    string,        // "..." with its quotes
    atom,          // symbol or number
    lineComment,   // ; to the line end, the line end not included
    blockComment,  // ;| ... |;
};

struct Token {
    TokenKind kind = TokenKind::atom;
    bool unclosed = false;  // a string or block comment that the text ends inside
    std::size_t start = 0;  // byte offsets, end exclusive
    std::size_t end = 0;

    bool isComment() const { return kind == TokenKind::lineComment || kind == TokenKind::blockComment; }
};

bool isSeparator(char c);

// Reads the tokens of a text one by one, comments included.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}
    // The next token, or false at the end of the text.
    bool next(Token& token);
    std::string_view text() const { return text_; }
    std::string_view bytes(const Token& token) const { return text_.substr(token.start, token.end - token.start); }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Whether an atom is a given word, ignoring ASCII case as AutoLISP does for
// symbols ("DEFUN", "Defun" and "defun" are one symbol).
bool atomIs(std::string_view atom, std::string_view lowerWord);

// The first line of an encrypted ("protected") program, which no reader can
// make sense of: "AutoCAD PROTECTED LISP file" at the very start, in any case.
bool isProtected(std::string_view text);

}  // namespace tessel::reader
