#include "lisp/program.h"

#include <unordered_set>

#include "lisp/reader.h"

namespace tessel::lisp {

namespace {

// The program's tokens without comments, each "(" with the index behind its
// partner (or the end), so a form is skipped in one step.
struct Forms {
    std::string_view text;
    std::vector<Token> tokens;
    std::vector<std::size_t> behind;  // for "(": index after its ")"; otherwise index + 1

    explicit Forms(std::string_view t) : text(t) {
        Reader reader(t);
        Token token;
        while (reader.next(token))
            if (!token.isComment()) tokens.push_back(token);
        behind.resize(tokens.size());
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            behind[i] = i + 1;
            if (tokens[i].kind == TokenKind::open) {
                open.push_back(i);
            } else if (tokens[i].kind == TokenKind::close && !open.empty()) {
                behind[open.back()] = i + 1;
                open.pop_back();
            }
        }
        for (const std::size_t i : open) behind[i] = tokens.size();
    }

    std::size_t size() const { return tokens.size(); }
    bool is(std::size_t i, TokenKind kind) const { return i < tokens.size() && tokens[i].kind == kind; }
    bool isAtom(std::size_t i, std::string_view lowerWord) const {
        return is(i, TokenKind::atom) && atomIs(bytes(i), lowerWord);
    }
    std::string_view bytes(std::size_t i) const {
        return text.substr(tokens[i].start, tokens[i].end - tokens[i].start);
    }
    // The index behind the expression at i: a form, a quoted expression, or one token.
    std::size_t skip(std::size_t i) const {
        while (is(i, TokenKind::quote)) ++i;
        return i < tokens.size() ? behind[i] : tokens.size();
    }
    // The string's contents between its quotes, escapes as written.
    std::string_view contents(std::size_t i) const {
        const Token& t = tokens[i];
        const std::size_t end = t.unclosed ? t.end : t.end - 1;
        return text.substr(t.start + 1, end - t.start - 1);
    }
    // The end of the form that opens at i (exclusive of its ")").
    std::size_t inside(std::size_t open) const {
        const std::size_t end = behind[open];
        return end > open + 1 && is(end - 1, TokenKind::close) ? end - 1 : end;
    }
    // The symbol a quoted expression at i names: 'S or (quote S); empty otherwise.
    std::string_view quotedSymbol(std::size_t i) const {
        if (is(i, TokenKind::quote) && is(i + 1, TokenKind::atom)) return bytes(i + 1);
        if (is(i, TokenKind::open) && isAtom(i + 1, "quote") && is(i + 2, TokenKind::atom) && inside(i) == i + 3)
            return bytes(i + 2);
        return {};
    }
};

std::string dialogArgument(const Forms& f, std::size_t i, std::size_t formEnd) {
    if (i >= formEnd) return {};
    if (f.is(i, TokenKind::string)) return std::string(f.contents(i));
    if (f.is(i, TokenKind::atom)) return std::string(f.bytes(i));
    if (f.is(i, TokenKind::open)) {
        const std::size_t end = f.inside(i);
        for (std::size_t j = i + 1; j < end; ++j)
            if (f.is(j, TokenKind::string)) return std::string(f.contents(j));
    }
    return {};
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::vector<Definition> programDefinitions(std::string_view text) {
    const Forms f(text);
    std::vector<Definition> found;
    for (std::size_t i = 0; i + 1 < f.size(); ++i) {
        if (!f.is(i, TokenKind::open) || !f.is(i + 1, TokenKind::atom)) continue;
        const std::size_t end = f.inside(i);
        const std::size_t at = f.tokens[i].start;
        if (f.isAtom(i + 1, "defun")) {
            if (i + 2 < end && f.is(i + 2, TokenKind::atom))
                found.push_back(Definition{DefinitionKind::defun, std::string(f.bytes(i + 2)), at});
        } else if (f.isAtom(i + 1, "load_dialog")) {
            found.push_back(Definition{DefinitionKind::loadDialog, dialogArgument(f, i + 2, end), at});
        } else if (f.isAtom(i + 1, "new_dialog")) {
            found.push_back(Definition{DefinitionKind::newDialog, dialogArgument(f, i + 2, end), at});
        }
    }
    return found;
}

std::vector<Variable> programVariables(std::string_view text) {
    const Forms f(text);
    std::vector<Variable> found;
    std::unordered_set<std::string> seen;
    auto add = [&](std::string_view name, std::size_t at) {
        if (!name.empty() && seen.insert(lowered(name)).second) found.push_back(Variable{std::string(name), at});
    };
    for (std::size_t i = 0; i + 1 < f.size(); ++i) {
        if (!f.is(i, TokenKind::open) || !f.is(i + 1, TokenKind::atom)) continue;
        const std::size_t end = f.inside(i);
        if (f.isAtom(i + 1, "setq")) {
            // Variable and value in turn: every other expression is a variable.
            for (std::size_t j = i + 2; j < end; j = f.skip(f.skip(j))) {
                if (f.is(j, TokenKind::atom)) add(f.bytes(j), f.tokens[j].start);
            }
        } else if (f.isAtom(i + 1, "foreach")) {
            if (i + 2 < end && f.is(i + 2, TokenKind::atom)) add(f.bytes(i + 2), f.tokens[i + 2].start);
        } else if (f.isAtom(i + 1, "set")) {
            if (i + 2 < end) add(f.quotedSymbol(i + 2), f.tokens[i + 2].start);
        }
    }
    return found;
}

}  // namespace tessel::lisp
