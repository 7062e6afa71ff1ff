// The frame shared by every line-by-line command: which lines a selection
// covers, and how a per-line change is applied to each of them.
//
// Line model (that of the multi-line edit control without word wrap):
//  - lines are separated by CR LF only; a lone CR or a lone LF is an ordinary
//    character of its line;
//  - the final line has no line break; in a text that ends with CR LF it is the
//    empty line after the last break;
//  - positions are byte offsets into the text.
//
// The frame computes, in one pass and without touching the edit control, exactly
// the text that changing the lines one after another with EM_SETSEL and
// EM_REPLACESEL would produce.  At the edit control's limit a line's change is
// applied whole or not at all: a change that would carry the text past the
// limit leaves its line as it is and stops the run there (the edit control
// itself would cut the insertion short, a silently wrong line).  The command
// layer then changes the edit control once:
//
//     FrameResult r = runLineFrame(text, selStart, selEnd, op, 30000, capacityFlag);
//     if (r.changed) {
//         // The frame already applied the text limit.  The edit control must take
//         // the replacement whole, so lift its limit around this one replacement
//         // (EM_SETLIMITTEXT) and restore it afterwards: a text loaded above the
//         // limit would otherwise get the replacement cut short.
//         EM_SETSEL(r.replaceStart, r.replaceEnd); EM_REPLACESEL(TRUE, r.replacement);
//     }
//     if (r.hitLimit) { show "Kapazitätsgrenzen erreicht.", set the capacity flag,
//                       EM_SETSEL(r.caret, r.caret); }
//     else if (!capacityFlag) select the whole text;
//
// One replacement means the command undoes in one step.
#pragma once

#include "core/limits.h"
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tessel::lineframe {

// The edit control's text limit while typing.

// Lines from the line holding the selection start to the line holding the
// selection end, both included (0-based line numbers).
struct LineRange {
    unsigned first;
    unsigned last;
};

// Number of lines of the text (an empty text has one, empty, line).
unsigned lineCount(std::string_view text);

// Line holding position pos (EM_LINEFROMCHAR).  A position at the start of a
// line belongs to that line; a position beyond the end counts as the end.
unsigned lineFromChar(std::string_view text, std::size_t pos);

// Offset of the first character of a line (EM_LINEINDEX); the end of the text
// for a line number beyond the last line.
std::size_t lineStart(std::string_view text, unsigned line);

// The line range of a selection.  selStart > selEnd is treated as the same
// selection the other way round; with no selection it is the caret's line; a
// selection that ends at the very start of a line includes that line.
LineRange lineRangeOf(std::string_view text, std::size_t selStart, std::size_t selEnd);

// The change to one line, relative to the line start: removeCount characters
// from offset are replaced by insert.  Usually either a removal or an insertion
// (or neither); the frame clamps both to the line.
struct LineEdit {
    std::size_t offset = 0;
    std::size_t removeCount = 0;
    std::string insert;
};

// A per-line operation.  lineText is the line's current text without its line
// break; indexInRange counts the lines of the range from 0; isFinalLine is true
// for the final line of the text (the one without a line break).
using LineOp = std::function<LineEdit(std::string_view lineText, unsigned indexInRange, bool isFinalLine)>;

struct FrameResult {
    // The span of the ORIGINAL text to replace, and its new text.
    std::size_t replaceStart = 0;
    std::size_t replaceEnd = 0;
    std::string replacement;
    // The edit control was full: the line whose change would have carried the
    // text past the limit and the lines after it were not changed.
    bool hitLimit = false;
    // False when the new text equals the old one; the edit control is then left
    // alone.
    bool changed = false;
    // Where, in the new text, the run stopped: the start of the line that was
    // left unchanged.  Only meaningful when hitLimit is set: otherwise the
    // command selects the whole text.
    std::size_t caret = 0;
};

// Applies op to every line of the selection's line range in ascending order.
// limit is the edit control's text limit: a line whose change would make the
// whole text longer than limit, and longer than it is, stays unchanged, and the
// run stops there.  Changes that do not lengthen the text always succeed, also
// on a text loaded above the limit.  capacityFlagAlreadySet: the edit control
// reported that it is full before the command started; nothing is changed.
FrameResult runLineFrame(std::string_view text, std::size_t selStart, std::size_t selEnd, const LineOp& op,
                         std::size_t limit, bool capacityFlagAlreadySet);

// The same over an explicit range of lines (line numbers beyond the text's
// lines are not processed).
FrameResult runLineFrameOnLines(std::string_view text, LineRange range, const LineOp& op, std::size_t limit,
                                bool capacityFlagAlreadySet);

// Applies a frame result to the text it was computed from.
void applyFrameResult(std::string& text, const FrameResult& result);

}  // namespace tessel::lineframe
