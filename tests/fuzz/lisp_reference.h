// A second AutoLISP reader for the fuzz targets, written apart from
// lisp/reader.cpp as a byte-by-byte state machine: what the compressor and
// the bracket test produce is checked against what this reader sees.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>
#include <string_view>
#include <vector>

#include "lisp/program.h"

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


// What a program defines and sets, from the second reader's tokens kept in a
// vector with each form's partner (lisp/program.cpp streams instead).
using tessel::program::Definition;
using tessel::program::DefinitionKind;
using tessel::program::Variable;

inline bool SameWord(std::string_view atom, std::string_view lowerWord) {
    if (atom.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < atom.size(); ++i) {
        const char c = atom[i] >= 'A' && atom[i] <= 'Z' ? static_cast<char>(atom[i] - 'A' + 'a') : atom[i];
        if (c != lowerWord[i]) return false;
    }
    return true;
}


// The program's tokens without comments, each "(" with the index behind its
// partner (or the end), so a form is skipped in one step.
struct Forms {
    std::string_view text;
    std::vector<Tok> tokens;
    std::vector<std::size_t> behind;  // for "(": index after its ")"; otherwise index + 1

    explicit Forms(std::string_view t) : text(t) {
        for (const Tok& token : Read(t))
            if (token.kind != 'C' && token.kind != 'B') tokens.push_back(token);
        behind.resize(tokens.size());
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            behind[i] = i + 1;
            if (tokens[i].kind == '(') {
                open.push_back(i);
            } else if (tokens[i].kind == ')' && !open.empty()) {
                behind[open.back()] = i + 1;
                open.pop_back();
            }
        }
        for (const std::size_t i : open) behind[i] = tokens.size();
    }

    std::size_t size() const { return tokens.size(); }
    bool is(std::size_t i, char kind) const { return i < tokens.size() && tokens[i].kind == kind; }
    bool isAtom(std::size_t i, std::string_view lowerWord) const {
        return is(i, 'A') && SameWord(bytes(i), lowerWord);
    }
    std::string_view bytes(std::size_t i) const {
        return text.substr(tokens[i].start, tokens[i].end - tokens[i].start);
    }
    // The index behind the expression at i: a form, a quoted expression, or one token.
    std::size_t skip(std::size_t i) const {
        while (is(i, '\'')) ++i;
        return i < tokens.size() ? behind[i] : tokens.size();
    }
    // The string's contents between its quotes, escapes as written.
    std::string_view contents(std::size_t i) const {
        const Tok& t = tokens[i];
        const std::size_t end = t.unclosed ? t.end : t.end - 1;
        return text.substr(t.start + 1, end - t.start - 1);
    }
    // The end of the form that opens at i (exclusive of its ")").
    std::size_t inside(std::size_t open) const {
        const std::size_t end = behind[open];
        return end > open + 1 && is(end - 1, ')') ? end - 1 : end;
    }
    // The symbol a quoted expression at i names: 'S or (quote S); empty otherwise.
    std::string_view quotedSymbol(std::size_t i) const {
        if (is(i, '\'') && is(i + 1, 'A')) return bytes(i + 1);
        if (is(i, '(') && isAtom(i + 1, "quote") && is(i + 2, 'A') && inside(i) == i + 3)
            return bytes(i + 2);
        return {};
    }
};

inline std::string dialogArgument(const Forms& f, std::size_t i, std::size_t formEnd) {
    if (i >= formEnd) return {};
    if (f.is(i, 'S')) return std::string(f.contents(i));
    if (f.is(i, 'A')) return std::string(f.bytes(i));
    if (f.is(i, '(')) {
        const std::size_t end = f.inside(i);
        for (std::size_t j = i + 1; j < end; ++j)
            if (f.is(j, 'S')) return std::string(f.contents(j));
    }
    return {};
}

inline std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}


inline std::vector<Definition> Definitions(std::string_view text) {
    const Forms f(text);
    std::vector<Definition> found;
    for (std::size_t i = 0; i + 1 < f.size(); ++i) {
        if (!f.is(i, '(') || !f.is(i + 1, 'A')) continue;
        const std::size_t end = f.inside(i);
        const std::size_t at = f.tokens[i].start;
        if (f.isAtom(i + 1, "defun")) {
            if (i + 2 < end && f.is(i + 2, 'A'))
                found.push_back(Definition{DefinitionKind::defun, std::string(f.bytes(i + 2)), at});
        } else if (f.isAtom(i + 1, "load_dialog")) {
            found.push_back(Definition{DefinitionKind::loadDialog, dialogArgument(f, i + 2, end), at});
        } else if (f.isAtom(i + 1, "new_dialog")) {
            found.push_back(Definition{DefinitionKind::newDialog, dialogArgument(f, i + 2, end), at});
        }
    }
    return found;
}

inline std::vector<Variable> Variables(std::string_view text) {
    const Forms f(text);
    std::vector<Variable> found;
    // Every setting first; then in text order, each name once.
    auto add = [&](std::string_view name, std::size_t at) {
        if (!name.empty()) found.push_back(Variable{std::string(name), at});
    };
    for (std::size_t i = 0; i + 1 < f.size(); ++i) {
        if (!f.is(i, '(') || !f.is(i + 1, 'A')) continue;
        const std::size_t end = f.inside(i);
        if (f.isAtom(i + 1, "setq")) {
            // Variable and value in turn: every other expression is a variable.
            for (std::size_t j = i + 2; j < end; j = f.skip(f.skip(j))) {
                if (f.is(j, 'A')) add(f.bytes(j), f.tokens[j].start);
            }
        } else if (f.isAtom(i + 1, "foreach")) {
            if (i + 2 < end && f.is(i + 2, 'A')) add(f.bytes(i + 2), f.tokens[i + 2].start);
        } else if (f.isAtom(i + 1, "set")) {
            if (i + 2 < end) add(f.quotedSymbol(i + 2), f.tokens[i + 2].start);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Variable& a, const Variable& b) { return a.at < b.at; });
    std::vector<Variable> once;
    std::unordered_set<std::string> seen;
    for (const Variable& v : found)
        if (seen.insert(lowered(v.name)).second) once.push_back(v);
    return once;
}


}  // namespace reference
