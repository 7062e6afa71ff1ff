#include "textops/search.h"

#include <cstring>
#include <utility>

#include "core/charmap.h"

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

namespace tessel::search {
namespace {

// The edit control takes a replacement whole when the text stays within its
// limit, or does not grow (a text loaded above the limit may still shrink).
bool fits(std::size_t textLength, std::size_t removed, std::size_t inserted, std::size_t limit) {
    return inserted <= removed || textLength - removed + inserted <= limit;
}

// The outcome's span: the smallest part of `before` that turns it into
// `after`.
void setSpan(ReplaceOutcome& out, std::string_view before, std::string_view after) {
    std::size_t head = 0;
    const std::size_t shorter = before.size() < after.size() ? before.size() : after.size();
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    out.changed = before != after;
    out.replaceStart = head;
    out.replaceEnd = before.size() - tail;
    out.replacement.assign(after.substr(head, after.size() - tail - head));
}

}  // namespace

ReplaceOutcome replaceStep(std::string_view text, EditState state, const ReplaceRequest& request) {
    ReplaceOutcome out;
    out.after = state;
    if (request.find.empty()) {
        out.report = true;
        return out;
    }
    std::size_t s = state.selStart < text.size() ? state.selStart : text.size();
    std::size_t e = state.selEnd < text.size() ? state.selEnd : text.size();
    if (s > e) std::swap(s, e);

    std::string changed;
    std::string_view current = text;
    std::size_t position;
    if (e == state.position && e - s == request.find.size()) {
        if (!fits(text.size(), e - s, request.replace.size(), request.limit)) {
            out.hitLimit = true;
            return out;
        }
        changed.reserve(text.size() - (e - s) + request.replace.size());
        changed.append(text.substr(0, s)).append(request.replace).append(text.substr(e));
        current = changed;
        out.changed = true;
        out.replaceStart = s;
        out.replaceEnd = e;
        out.replacement.assign(request.replace);
        out.replacements = 1;
        position = s + request.replace.size();
        out.after.selStart = out.after.selEnd = position;
    } else {
        position = s;
    }
    const Hit hit = find(current, request.find, position, request.options);
    out.found = hit.found;
    out.report = !hit.found;
    out.after.position = hit.position;
    if (hit.found) {
        out.after.selStart = hit.start;
        out.after.selEnd = hit.end;
    }
    return out;
}

ReplaceOutcome replaceAll(std::string_view text, EditState state, const ReplaceRequest& request) {
    ReplaceOutcome first = replaceStep(text, state, request);
    if (first.hitLimit || request.find.empty()) return first;

    // The text after the first step.
    std::string base(text);
    if (first.changed) base.replace(first.replaceStart, first.replaceEnd - first.replaceStart, first.replacement);

    ReplaceOutcome out;
    out.found = first.found;
    out.report = first.report;
    out.replacements = first.replacements;
    out.after = first.after;
    Hit hit;
    if (first.found) {
        hit.found = true;
        hit.start = first.after.selStart;
        hit.end = first.after.selEnd;
    } else {
        // After the not-found report the selection is (0,0), which is no
        // previous hit: the next step searches from the top.
        hit = find(base, request.find, 0, request.options);
        out.after = EditState{0, 0, hit.position};
    }

    // The loop: replace the selected hit, search on behind the replacement.
    // The text behind the search position is still `base`; only the left
    // neighbour of a hit right at the position comes from what was written.
    const Options options = request.options;
    const std::string folded = fold(base, options.matchCase);
    const std::string needle = fold(request.find, options.matchCase);
    const std::size_t n = needle.size();
    std::string result;
    result.reserve(base.size());
    std::size_t copied = 0;  // base is copied to `result` up to here
    std::size_t length = base.size();
    while (hit.found) {
        if (!fits(length, n, request.replace.size(), request.limit)) {
            out.hitLimit = true;  // the hit stays selected, unreplaced
            out.after.selStart = result.size() + (hit.start - copied);
            out.after.selEnd = result.size() + (hit.end - copied);
            out.after.position = out.after.selEnd;
            break;
        }
        result.append(base, copied, hit.start - copied).append(request.replace);
        copied = hit.end;
        length = length - n + request.replace.size();
        ++out.replacements;

        std::size_t pos = copied;
        hit.found = false;
        while (pos < folded.size()) {
            const std::size_t at = folded.find(needle, pos);
            if (at == std::string::npos) break;
            const std::size_t end = at + n;
            pos = end;
            if (options.wholeWord) {
                unsigned char prev;
                if (at > copied)
                    prev = static_cast<unsigned char>(folded[at - 1]);
                else if (result.empty())
                    prev = 0;
                else if (options.matchCase)
                    prev = static_cast<unsigned char>(result.back());
                else
                    prev = charmap::upper(static_cast<unsigned char>(result.back()));
                const unsigned char next = end < folded.size() ? static_cast<unsigned char>(folded[end]) : 0;
                if (isLetter(prev) && isLetter(next)) continue;
            }
            hit.found = true;
            hit.start = at;
            hit.end = end;
            break;
        }
        if (!hit.found) {
            out.after.selStart = out.after.selEnd = result.size();
            out.after.position = result.size() + (pos - copied);
        }
    }
    result.append(base, copied, std::string::npos);
    setSpan(out, text, result);
    return out;
}

void applyOutcome(std::string& text, const ReplaceOutcome& outcome) {
    if (outcome.changed)
        text.replace(outcome.replaceStart, outcome.replaceEnd - outcome.replaceStart, outcome.replacement);
}

}  // namespace tessel::search
