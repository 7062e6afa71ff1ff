#include "lisp/compress.h"

#include <cstdio>

#include "lisp/reader.h"

namespace tessel::compress {

namespace {

// Whether two tokens that stood apart need a blank so as not to join.
bool needsBlank(reader::TokenKind before, reader::TokenKind after) {
    if (before == reader::TokenKind::open || before == reader::TokenKind::close || before == reader::TokenKind::quote)
        return false;
    if (after == reader::TokenKind::open || after == reader::TokenKind::close) return false;
    return after != reader::TokenKind::blockComment;  // only an unclosed one is kept; its ";" ends any atom
}

}  // namespace

std::string compress(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    reader::Reader reader(text);
    reader::Token token;
    reader::Token previous;
    bool first = true;
    while (reader.next(token)) {
        if (token.isComment() && !token.unclosed) continue;
        if (!first && token.start != previous.end && needsBlank(previous.kind, token.kind)) out += ' ';
        out.append(text.data() + token.start, token.end - token.start);
        previous = token;
        first = false;
    }
    return out;
}

int savingPercent(std::size_t before, std::size_t after) {
    if (before == 0) return 0;
    const double saving = (1.0 - static_cast<double>(after) / static_cast<double>(before)) * 100.0;
    return static_cast<int>(saving);  // truncates toward zero
}

std::string compressStatistics(std::size_t before, std::size_t after) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "Die Datei wurde komprimiert gespeichert als : '%s'\n\nDateigr\xF6\xDF" "e vorher :\t %d Byte\n"
                  "Dateigr\xF6\xDF" "e naher :\t %d Byte\nEinsparung :\t %d %%",
                  "*.BI4", static_cast<int>(before), static_cast<int>(after), savingPercent(before, after));
    return text;
}

}  // namespace tessel::compress
