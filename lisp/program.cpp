#include "lisp/program.h"

#include <cstdint>
#include <unordered_set>

#include "lisp/reader.h"

namespace tessel::program {

namespace {

constexpr std::uint32_t kNone = UINT32_MAX;

enum class FormKind : unsigned char { other, defun, loadDialog, newDialog, setq, foreach, set, quote };

// One open form while the program streams by. Kept small: a deeply nested
// program holds one per level. Counts and indices are 32 bits wide, as no
// text the tools read comes near 4 GB.
struct Frame {
    std::size_t at = 0;               // offset of its "("
    const char* quoted1 = nullptr;    // (quote S): S
    std::uint32_t quoted1Length = 0;
    std::uint32_t elements = 0;       // elements begun so far, the head included
    std::uint32_t plainAbove = 0;     // plain forms open inside it (collapseIfPlain)
    std::uint32_t dialog = kNone;     // its entry in the definitions (dialog forms)
    std::uint32_t searching = kNone;  // a dialog entry whose name is the first string inside this form
    FormKind kind = FormKind::other;
    std::uint8_t quotes = 0;          // the "'" waiting for the next element (0, 1 or 2 for more)
    bool setArgument = false;         // this form is the argument of (set ...): (quote S) names S
};

FormKind kindOf(std::string_view head) {
    if (reader::atomIs(head, "defun")) return FormKind::defun;
    if (reader::atomIs(head, "load_dialog")) return FormKind::loadDialog;
    if (reader::atomIs(head, "new_dialog")) return FormKind::newDialog;
    if (reader::atomIs(head, "setq")) return FormKind::setq;
    if (reader::atomIs(head, "foreach")) return FormKind::foreach;
    if (reader::atomIs(head, "set")) return FormKind::set;
    if (reader::atomIs(head, "quote")) return FormKind::quote;
    return FormKind::other;
}

// The string's contents between its quotes, escapes as written.
std::string_view contents(std::string_view text, const reader::Token& t) {
    const std::size_t end = t.unclosed ? t.end : t.end - 1;
    return text.substr(t.start + 1, end - t.start - 1);
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Walks the program's forms once, token by token, without keeping them.
struct Walker {
    std::string_view text;
    std::vector<Definition> definitions;
    std::vector<Variable> variables;
    std::unordered_set<std::string> seen;
    std::vector<Frame> stack;                // the forms that matter, innermost last
    std::uint32_t basePlain = 0;              // plain forms below the first frame
    std::vector<std::size_t> searching;      // frames waiting for their first string, outermost first

    explicit Walker(std::string_view t) : text(t) {}

    void variable(std::string_view name, std::size_t at) {
        if (!name.empty() && seen.insert(lowered(name)).second) variables.push_back(Variable{std::string(name), at});
    }

    // An atom or string that is element `index` of the top form.
    // `quotes` counts the "'" before it.
    void element(Frame& f, std::size_t index, std::size_t quotes, const reader::Token& t) {
        const bool quoted = quotes != 0;
        const std::string_view bytes = text.substr(t.start, t.end - t.start);
        const bool atom = t.kind == reader::TokenKind::atom;
        if (index == 0) {
            if (atom && !quoted) {
                f.kind = kindOf(bytes);
                if (f.kind == FormKind::loadDialog || f.kind == FormKind::newDialog) {
                    f.dialog = definitions.size() < kNone ? static_cast<std::uint32_t>(definitions.size()) : kNone;
                    definitions.push_back(Definition{f.kind == FormKind::loadDialog ? DefinitionKind::loadDialog
                                                                                     : DefinitionKind::newDialog,
                                                     std::string(), f.at});
                }
            }
            return;
        }
        switch (f.kind) {
        case FormKind::defun:
            if (index == 1 && atom && !quoted)
                definitions.push_back(Definition{DefinitionKind::defun, std::string(bytes), f.at});
            break;
        case FormKind::loadDialog:
        case FormKind::newDialog:
            if (index != 1 || quoted || f.dialog == kNone) break;
            if (atom) definitions[f.dialog].name = std::string(bytes);
            else definitions[f.dialog].name = std::string(contents(text, t));
            break;
        case FormKind::setq:
            if (index % 2 == 1 && atom && !quoted) variable(bytes, t.start);
            break;
        case FormKind::foreach:
            if (index == 1 && atom && !quoted) variable(bytes, t.start);
            break;
        case FormKind::set:
            if (index == 1 && atom && quotes == 1) variable(bytes, t.start);  // ''S is no symbol
            break;
        case FormKind::quote:
            if (index == 1 && atom && !quoted) {
                f.quoted1 = bytes.data();
                f.quoted1Length = static_cast<std::uint32_t>(bytes.size());
            }
            break;
        case FormKind::other: break;
        }
    }

    // The innermost form, or null when it is a plain one (or there is none).
    Frame* innermost() { return stack.empty() || stack.back().plainAbove > 0 ? nullptr : &stack.back(); }
    std::uint32_t& plainCount() { return stack.empty() ? basePlain : stack.back().plainAbove; }

    // A form whose head is known and that means nothing to the lists needs
    // no frame, only its depth: a program of a million "(" costs a counter.
    void collapseIfPlain() {
        Frame& f = stack.back();
        if (f.elements == 0 || f.searching != kNone || f.setArgument) return;
        if (f.kind != FormKind::other && f.kind != FormKind::quote) return;
        stack.pop_back();
        ++plainCount();
    }

    void open(const reader::Token& t) {
        Frame child;
        child.at = t.start;
        if (Frame* parent = innermost()) {
            const std::size_t index = parent->elements++;
            const bool quoted = parent->quotes != 0;
            parent->quotes = 0;
            if ((parent->kind == FormKind::loadDialog || parent->kind == FormKind::newDialog) && index == 1 &&
                !quoted && parent->dialog != kNone) {
                child.searching = parent->dialog;
                searching.push_back(stack.size());
            }
            child.setArgument = parent->kind == FormKind::set && index == 1 && !quoted;
            collapseIfPlain();
        }
        stack.push_back(child);
    }

    void close() {
        if (stack.empty() && basePlain == 0) return;  // a stray ")"
        std::uint32_t& plain = plainCount();
        if (plain > 0) {
            --plain;
            return;
        }
        const Frame done = stack.back();
        stack.pop_back();
        if (!searching.empty() && searching.back() == stack.size()) searching.pop_back();
        if (done.setArgument && done.kind == FormKind::quote && done.elements == 2 && done.quotes == 0 && done.quoted1)
            variable(std::string_view(done.quoted1, done.quoted1Length), done.at);
    }

    // The first string inside a dialog form's argument form names the entry:
    // every such form still open holds this string.
    void string(const reader::Token& t) {
        for (const std::size_t i : searching) {
            definitions[stack[i].searching].name = std::string(contents(text, t));
            stack[i].searching = kNone;
        }
        searching.clear();
    }

    void run() {
        reader::Reader reader(text);
        reader::Token t;
        while (reader.next(t)) {
            switch (t.kind) {
            case reader::TokenKind::lineComment:
            case reader::TokenKind::blockComment: break;
            case reader::TokenKind::open: open(t); break;
            case reader::TokenKind::close: close(); break;
            case reader::TokenKind::quote:
                if (Frame* f = innermost())
                    if (f->quotes < 2) ++f->quotes;
                break;
            case reader::TokenKind::string: string(t); [[fallthrough]];
            case reader::TokenKind::atom:
                if (Frame* f = innermost()) {
                    const std::size_t index = f->elements++;
                    const std::size_t quotes = f->quotes;
                    f->quotes = 0;
                    element(*f, index, quotes, t);
                    collapseIfPlain();
                }
                break;
            }
        }
        // Forms the text ends inside end with it.
        while (!stack.empty() || basePlain > 0) close();
    }
};

}  // namespace

std::vector<Definition> programDefinitions(std::string_view text) {
    Walker w(text);
    w.run();
    return std::move(w.definitions);
}

std::vector<Variable> programVariables(std::string_view text) {
    Walker w(text);
    w.run();
    return std::move(w.variables);
}

}  // namespace tessel::program
