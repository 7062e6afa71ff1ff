// The per-line changes of the line commands, as operations for the line frame
// (lineframe.h), and the helpers that turn dialog input into their parameters.
//
// Every factory returns a lineframe::LineOp; the command layer runs it with
// lineframe::runLineFrame over the selection's lines.  "Final line" is the line
// without a line break at the end of the text.
#pragma once

#include "resources/ids.h"
#include "textops/lineframe.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lineops {

using lineframe::LineOp;

// Insert text at the line start; the final line too.
LineOp insertAtStart(std::string text);

// Insert text at the line end; on the final line at the end of the text.
LineOp insertAtEnd(std::string text);

// Insert left, the counter in decimal ("%s%d%s"), right at the line start or
// end (placed like insertAtStart/insertAtEnd).  The counter is start for the
// first line of the range and grows by one per line, empty lines included, as
// an unsigned 16-bit value: 65535 is followed by 0.
LineOp counter(std::string left, unsigned short start, std::string right, bool atEnd);

// The text counter() inserts for one counter value.
std::string counterText(std::string_view left, unsigned short value, std::string_view right);

// Remove the first min(count, line length) characters; the final line too.
LineOp removeAtStart(std::size_t count);

// Remove the last min(count, line length) characters before the line break;
// the final line is left unchanged.
LineOp removeAtEnd(std::size_t count);

// Remove the run of blanks (0x20 only, not TAB) at the line start; the final
// line too.
LineOp removeLeadingBlanks();

// Remove the run of blanks (0x20 only) before the line break; the final line is
// left unchanged.
LineOp removeTrailingBlanks();

// Remove everything from the first byte equal to k to the line end (on the
// final line: to the end of the text); lines without k stay unchanged.
LineOp cutFromChar(char k);

// The fixed commands: indent by two blanks, outdent by two characters, insert
// the AutoLISP comment "; ".
LineOp indentTwo();
LineOp outdentTwo();
LineOp insertLispComment();

// Comment lines with a prefix, and uncomment them by removing as many
// characters as the prefix is long (without comparing them with the prefix).
LineOp comment(std::string prefix);
LineOp uncomment(std::string_view prefix);

// Reads a count or counter field: leading blanks and TABs are skipped, then the
// leading decimal digits are read and anything after them is ignored; no digit
// at all reads 0.  The value keeps its low 16 bits (the fields take five digits,
// so 99999 reads 34463, and a six-digit 123456 reads 57920).  So "12abc" reads
// 12, " 7" reads 7, "-5", "+5" and "abc" read 0.
unsigned short parseCount(std::string_view field);

// The cut character of the "Abschneiden ab Zeichen" field: its first byte, the
// zero byte for an empty field (the command then does nothing).
char cutCharFromField(std::string_view field);

// Radio buttons of the comment-symbol dialog.
constexpr int kCommentRem = IDC_COMMENT_REM;
constexpr int kCommentSemicolon = IDC_COMMENT_SEMI;
constexpr int kCommentSlashes = IDC_COMMENT_SLASHES;
constexpr int kCommentApostrophe = IDC_COMMENT_APOS;
constexpr int kCommentFree = IDC_COMMENT_OTHER;
constexpr std::size_t kFreeCommentMax = 29;

// The prefix for a comment choice: "REM ", "; ", "// ", "' ", or for the free
// choice the first 29 characters of freeText followed by one blank.  An unknown
// id gives the empty prefix (commenting then changes nothing).
std::string commentPrefix(int choiceId, std::string_view freeText);

}  // namespace lineops
