// The parameter dialogs of the line and column commands. Each one collects
// its fields and returns them as a plain record; the operations
// (lineops_win.h) take the records, so they run without a dialog too.
// Every dialog returns std::nullopt when the user cancels or closes it, or
// when it cannot be created.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace tessel::textops {

// FRONTBACKCUT: a count or width N (0 means no action).
struct CountParams {
    unsigned short count = 0;
};

// FRONTCOUNT: the text left of the counter, its start, the text right of it.
struct CounterParams {
    std::string left;
    unsigned short start = 1;
    std::string right;
};

// EDITKOMMENT: the comment prefix chosen.
struct CommentParams {
    std::string prefix;
};

// CUTFROMCHAR: the character to cut at (the zero byte for an empty field).
struct CutCharParams {
    char character = '~';
};

// COLUMNCOPY: the column range begin..end (1-based, inclusive) and the
// separator text.
struct ColumnCopyParams {
    unsigned short begin = 1;
    unsigned short end = 1;
    std::string separator = " ";
};

// The dialogs take the caption that replaces their title and the prompt of
// their label 109; `owner` is the main window, whose class icon they show.
std::optional<CountParams> AskCount(HWND owner, const char* caption, const char* prompt,
                                    unsigned short initial = 0);
std::optional<CounterParams> AskCounter(HWND owner, const char* caption, const char* prompt);
std::optional<CommentParams> AskComment(HWND owner);
std::optional<CutCharParams> AskCutChar(HWND owner, const char* caption, const char* prompt, char initial = '~');
std::optional<ColumnCopyParams> AskColumnCopy(HWND owner, const char* caption, const char* prompt);

}  // namespace tessel::textops
