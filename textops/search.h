// The text search behind Find, F3, Replace, Next Defun and the jump to a
// definition, and the escape conversion of the find and replace texts.
// Pure: works on a copy of the text; the caller selects the hit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel::search {

struct Options {
    bool matchCase = false;
    bool wholeWord = false;
};

struct Hit {
    bool found = false;
    std::size_t start = 0;     // the hit is [start, end)
    std::size_t end = 0;
    std::size_t position = 0;  // the search position afterwards (unchanged when not found)
};

// A letter for the whole-word rule: A-Z, a-z and the umlauts and sharp s of
// code page 1252. Digits and '_' are not letters.
bool isLetter(unsigned char c);

// The text as the search compares it: as it is with match case, otherwise
// upper-cased with the platform's ANSI case mapping (umlauts fold, the sharp
// s stays).
std::string fold(std::string_view text, bool matchCase);

// Searches `needle` forward from `position` to the end of `text`. With whole
// word a hit is rejected only when the characters on both sides are letters;
// the search then goes on behind the rejected hit. An empty needle or a
// position at or past the end finds nothing.
Hit find(std::string_view text, std::string_view needle, std::size_t position, Options options);

// The same on a text already passed through fold(text, options.matchCase),
// for callers that search one text many times. The needle is folded here.
Hit findFolded(std::string_view folded, std::string_view needle, std::size_t position, Options options);

// The escapes of the find and replace texts, in place: first every "^a"
// becomes CR LF (same length), then every "^t" becomes one TAB. Only the
// lower-case letters are escapes; "^^a" gives "^" CR LF.
void convertEscapes(std::string& text);
void convertEscapes(char* text);  // NUL-terminated; null or empty is left alone

}  // namespace tessel::search

namespace tessel::search {

// The edit control as the replace step sees it: the text, the selection and
// the stored search position.
struct EditState {
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    std::size_t position = 0;
};

struct ReplaceRequest {
    std::string_view find;     // after escape conversion
    std::string_view replace;  // after escape conversion
    Options options;
    // A replacement that would make the text longer than this (and longer
    // than it was) does not fit; the edit control's text limit.
    std::size_t limit = 30000;
};

// What a replace step or Replace All does to the edit control, as one
// replacement of the span [replaceStart, replaceEnd) of the original text.
struct ReplaceOutcome {
    bool changed = false;
    std::size_t replaceStart = 0;
    std::size_t replaceEnd = 0;
    std::string replacement;
    unsigned replacements = 0;
    // Replace: the step's search found a hit. Replace All: its first step did;
    // when not, the not-found report (selection (0,0) first) comes between the
    // first step and the loop, which then starts from the top.
    bool found = false;
    // The not-found report is due: after the step (Replace), or between the
    // first step and the loop (Replace All).
    bool report = false;
    // A replacement did not fit whole: it and everything after it was left
    // undone; the caller shows the capacity message once.
    bool hitLimit = false;
    // Selection and search position afterwards, in the new text. For Replace
    // All after the not-found report this is where the loop ended.
    EditState after;
};

// One replace step: the selection is replaced only when it is exactly the
// previous hit (it ends at the search position and is as long as the find
// text); otherwise the search restarts at the selection's start. Then one
// search. An empty find text replaces nothing and finds nothing.
ReplaceOutcome replaceStep(std::string_view text, EditState state, const ReplaceRequest& request);

// Replace All: one replace step, then (after the not-found report when it
// found nothing, with the selection at (0,0)) replace steps until one finds
// nothing -- computed in one pass over the text, with the same result as
// running the steps one by one.
ReplaceOutcome replaceAll(std::string_view text, EditState state, const ReplaceRequest& request);

// Applies an outcome to the text it was computed from.
void applyOutcome(std::string& text, const ReplaceOutcome& outcome);

}  // namespace tessel::search
