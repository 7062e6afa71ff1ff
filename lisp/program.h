// What a program defines and sets, read as AutoLISP reads it (lisp/reader.h):
// never from comments or strings, keywords in any case. The command-line
// checks use it; the editor's own scans (lisp/scan.h) stay keyword searches.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::program {

enum class DefinitionKind : unsigned char { defun, loadDialog, newDialog };

struct Definition {
    DefinitionKind kind;
    std::string name;    // may be empty: an argument that names nothing
    std::size_t at = 0;  // offset of the form's "("
};

// In text order: every (defun NAME ...), with NAME as written; every
// (load_dialog ARG ...) and (new_dialog ARG ...), with the string ARG's
// contents, a symbol ARG itself, or the first string inside a form ARG.
std::vector<Definition> programDefinitions(std::string_view text);

struct Variable {
    std::string name;
    std::size_t at = 0;  // offset of its first setting
};

// The symbols a program sets, each once (AutoLISP ignores case; the first
// spelling is kept), in text order: every variable of (setq A x B y ...), the
// variable of (foreach V ...), and the quoted symbol of (set 'S x) or
// (set (quote S) x).
std::vector<Variable> programVariables(std::string_view text);

}  // namespace tessel::program
