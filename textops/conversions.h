// Whole-text conversions: line-end styles, joining lines, tab expansion, and the
// GPS coordinate list for the route planner.
//
// The seven pure conversions take the whole text and give the new text, or no
// result (std::nullopt) when there is nothing to do; with no result the command
// does nothing at all.  A result longer than kMaxConvertedLength is refused by
// the command ("Die Textänderungen werden zu groß für den Tessel !"); see
// fitsConvertedLimit.  The whole length of the text is converted (a text of any
// length, also 65536 characters or more).
#pragma once

#include "textops/lineframe.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace conversions {

// Longest result a whole-text conversion may put into the edit control.
constexpr std::size_t kMaxConvertedLength = 27500;

// True when a result of this length may be put into the edit control
// (27500 passes, 27501 is refused).
constexpr bool fitsConvertedLimit(std::size_t length) { return length <= kMaxConvertedLength; }

// CR LF -> LF: a CR becomes LF and an LF is removed (so a lone CR becomes LF and a
// lone LF disappears).  No result for an empty text or one without a CR LF pair.
std::optional<std::string> dosToUnix(std::string_view text);

// LF -> CR LF, without looking for existing pairs (CR LF becomes CR CR LF).
// No result for an empty text.
std::optional<std::string> unixToDos(std::string_view text);

// CR -> CR LF (an existing CR LF becomes CR LF LF).  No result for an empty text.
std::optional<std::string> macToPc(std::string_view text);

// Every LF is removed, paired or not.  No result for an empty text or one
// without a CR LF pair.
std::optional<std::string> pcToMac(std::string_view text);

// CR removed, LF becomes one blank.  No result for an empty text.
std::optional<std::string> crlfToBlank(std::string_view text);

// CR removed, LF becomes a blank and a comma.  No result for an empty text.
std::optional<std::string> crlfToBlankComma(std::string_view text);

// TAB becomes two blanks.  No result for an empty text.
std::optional<std::string> tabToTwoBlanks(std::string_view text);

// One GPS record for the route planner: "<lineNumber1Based>;" followed by the
// line with each comma turned into a semicolon and each full stop into a comma,
// cut at the second comma (it and the rest are dropped).  So "48.5,16.25,Home"
// as line 1 gives "1;48,5;16,25".  Lines of any length are converted whole.
std::string gpsConvertLine(std::string_view line, unsigned lineNumber1Based);

// The GPS command over the whole text: lines 0 to count-2 are converted in
// ascending order, each replaced as a whole; the last line of the text is never
// touched.  Same capacity behaviour as lineframe::runLineFrame (a record whose
// new text would carry the text past the limit stays unchanged and the run
// stops there).  The command leaves the caret at position 0 (caret is 0).
lineframe::FrameResult runGpsFrame(std::string_view text, std::size_t limit, bool capacityFlagAlreadySet);

}  // namespace conversions
