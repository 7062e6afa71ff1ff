// The whole-text conversions on the edit control (line ends, joining lines,
// tabs) and the GPS list conversion.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tessel::conversions {

using Conversion = std::optional<std::string> (*)(std::string_view text);

// Copies the text, converts it and writes the result back with one
// SetWindowText, marking the document modified. No result: nothing happens.
// A result above 27500 characters is refused with "Die Textänderungen werden
// zu groß für den Tessel !" and the text stays as it was.
void RunConversion(HWND edit, Conversion convert);

// GPS -> route planner: every line but the last becomes "n;first;second"
// with decimal commas, in one replacement; the caret ends at the start. Stops
// like a line command when the edit control would be full.
void RunGpsConversion(HWND edit);

}  // namespace tessel::conversions
