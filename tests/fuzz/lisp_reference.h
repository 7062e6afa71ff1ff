// A second AutoLISP reader for the fuzz targets, written apart from
// lisp/reader.cpp as a byte-by-byte state machine: what the compressor and
// the bracket test produce is checked against what this reader sees.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace reference {

// Kinds: ( ) ' S (string) A (atom) C (; comment) B (;| |; comment).
struct Tok {
    char kind;
    std::size_t start, end;
    bool unclosed;
};

inline bool EndsAtom(char c) { return c != '\0' && std::strchr(" \t\r\n()'\";", c) != nullptr; }

inline std::vector<Tok> Read(std::string_view s) {
    enum { between, atom, string, escape, line, block } state = between;
    std::vector<Tok> out;
    std::size_t start = 0;
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[i];
        switch (state) {
        case atom:
            if (!EndsAtom(c)) continue;
            out.push_back({'A', start, i, false});
            state = between;
            break;  // c starts something new
        case string:
            if (c == '\\') state = escape;
            else if (c == '"') out.push_back({'S', start, i + 1, false}), state = between;
            continue;
        case escape: state = string; continue;
        case line:
            if (c == '\r' || c == '\n') out.push_back({'C', start, i, false}), state = between;
            continue;
        case block:
            if (c == ';' && i >= start + 3 && s[i - 1] == '|') out.push_back({'B', start, i + 1, false}), state = between;
            continue;
        case between: break;
        }
        start = i;
        if (c == '(' || c == ')' || c == '\'') {
            out.push_back({c, i, i + 1, false});
        } else if (c == '"') {
            state = string;
        } else if (c == ';') {
            if (i + 1 < n && s[i + 1] == '|') state = block, ++i;
            else state = line;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            state = atom;
        }
    }
    switch (state) {
    case atom: out.push_back({'A', start, n, false}); break;
    case string:
    case escape: out.push_back({'S', start, n, true}); break;
    case line: out.push_back({'C', start, n, false}); break;
    case block: out.push_back({'B', start, n, true}); break;
    case between: break;
    }
    return out;
}

}  // namespace reference
