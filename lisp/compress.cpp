#include "lisp/compress.h"

#include <cstdio>

namespace tessel::lisp {

std::string compress(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inCode = true;
    char previous = '\0';  // "no previous character" is no blank
    for (const char c : text) {
        switch (c) {
        case ' ':
        case '\t':
            if (previous != ' ' && inCode) out += c;
            break;
        case '\r':
        case '\n':
            inCode = true;
            break;
        case ';':
            inCode = false;
            break;
        case '(':
        case ')':
            if (!inCode) break;
            // The blank before the bracket was written (a blank in code after a
            // non-blank always is); the bracket takes its place.
            if (previous == ' ' && !out.empty()) out.back() = c;
            else out += c;
            break;
        default:
            if (inCode) out += c;
            break;
        }
        previous = c;
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

}  // namespace tessel::lisp
