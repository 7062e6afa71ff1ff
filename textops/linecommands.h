// The line and column commands as their dialogs leave them: the records the
// dialogs return, and for each command the operation for the line frame
// (lineframe.h) built from its record. The command table (textcommands_win)
// pairs each command with its dialog and one of these operations.
#pragma once

#include "textops/lineframe.h"

#include <optional>
#include <string>

namespace tessel::linecommands {

using lineframe::LineOp;

// The text to insert ("Vorne einfügen", "Hinten anfügen").
struct TextParams {
    std::string text;
};

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

// No operation: the record asks for nothing (a count or width of 0, the zero
// byte as the cut character) and the command leaves the text alone.
using Operation = std::optional<LineOp>;

Operation insertFront(const TextParams& p);
Operation insertBack(const TextParams& p);
Operation counterFront(const CounterParams& p);
Operation counterBack(const CounterParams& p);
Operation cutFront(const CountParams& p);
Operation cutBack(const CountParams& p);
Operation fillFront(const CountParams& p);
Operation fillBack(const CountParams& p);
Operation capFront(const CountParams& p);
Operation capBack(const CountParams& p);
Operation comment(const CommentParams& p);
Operation uncomment(const CommentParams& p);
Operation cutFromChar(const CutCharParams& p);
Operation copyColumnsFront(const ColumnCopyParams& p);
Operation copyColumnsBack(const ColumnCopyParams& p);

}  // namespace tessel::linecommands
