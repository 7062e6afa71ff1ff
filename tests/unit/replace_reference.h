// Replace All the slow way: replace steps one after another on a copy of the
// text, each searching the whole current text, exactly as the dialog's loop
// would drive the edit control. The computed Replace All must agree with it.
#pragma once

#include <string>

#include "textops/search.h"

namespace reference {

struct State {
    std::string text;
    tessel::search::EditState edit;
    bool found = false;
    bool hitLimit = false;
    unsigned replacements = 0;
};

inline void step(State& s, const tessel::search::ReplaceRequest& r) {
    const tessel::search::ReplaceOutcome o = tessel::search::replaceStep(s.text, s.edit, r);
    tessel::search::applyOutcome(s.text, o);
    s.edit = o.after;
    s.found = o.found;
    s.hitLimit = o.hitLimit;
    s.replacements += o.replacements;
}

// Returns the state afterwards; `firstFound` tells whether the first step
// found a hit (when not, the not-found report reset the selection to (0,0)).
inline State replaceAll(const std::string& text, tessel::search::EditState edit,
                        const tessel::search::ReplaceRequest& r, bool& firstFound) {
    State s{text, edit};
    step(s, r);
    firstFound = s.found;
    if (s.hitLimit || r.find.empty()) return s;
    if (!s.found) s.edit.selStart = s.edit.selEnd = 0;
    do {
        step(s, r);
    } while (s.found && !s.hitLimit);
    return s;
}

}  // namespace reference
