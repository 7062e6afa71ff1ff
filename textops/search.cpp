#include "textops/search.h"

#include <cstring>

#include "textops/charmap.h"

namespace tessel::search {

bool isLetter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
    case 0xC4: case 0xD6: case 0xDC: case 0xE4: case 0xF6: case 0xFC: case 0xDF:
        return true;
    default:
        return false;
    }
}

std::string fold(std::string_view text, bool matchCase) {
    std::string copy(text);
    if (!matchCase) charmap::upperInPlace(copy);
    return copy;
}

Hit findFolded(std::string_view folded, std::string_view needle, std::size_t position, Options options) {
    Hit hit;
    hit.position = position;
    if (needle.empty()) return hit;
    const std::string n = fold(needle, options.matchCase);
    std::size_t p = position;
    while (p < folded.size()) {
        const std::size_t at = folded.find(n, p);
        if (at == std::string_view::npos) return hit;  // the position stays
        const std::size_t end = at + n.size();
        p = end;
        if (options.wholeWord) {
            const unsigned char prev = at > 0 ? static_cast<unsigned char>(folded[at - 1]) : 0;
            const unsigned char next = end < folded.size() ? static_cast<unsigned char>(folded[end]) : 0;
            if (isLetter(prev) && isLetter(next)) {
                hit.position = p;  // a rejected hit still moves the position on
                continue;
            }
        }
        hit.found = true;
        hit.start = at;
        hit.end = end;
        hit.position = end;
        return hit;
    }
    return hit;
}

Hit find(std::string_view text, std::string_view needle, std::size_t position, Options options) {
    if (position >= text.size() || needle.empty()) {
        Hit none;
        none.position = position;
        return none;
    }
    return findFolded(fold(text, options.matchCase), needle, position, options);
}

void convertEscapes(std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '^' && text[i + 1] == 'a') {
            text[i] = '\r';
            text[i + 1] = '\n';
        }
    }
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '^' && text[i + 1] == 't') text.replace(i, 2, 1, '\t');
    }
}

void convertEscapes(char* text) {
    if (!text || !*text) return;
    std::string s(text);
    convertEscapes(s);
    std::memcpy(text, s.c_str(), s.size() + 1);  // never longer than before
}

}  // namespace tessel::search
