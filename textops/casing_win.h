// Command 41 "Groß-/Kleinschreibung...": GROSSKLEIN and the conversion of
// the selection.
#pragma once
#include <windows.h>

#include <optional>

#include "core/command_win.h"
#include "textops/casing.h"

namespace tessel::casing {

command::CommandTable Commands();

// GROSSKLEIN, opened with `start` checked; nullopt on cancel.
std::optional<Conversion> AskConversion(HWND owner, Conversion start = Conversion::SentenceStarts);

// Converts the selected text and puts it in place of the selection (one
// undo step); the caret ends behind it. An empty selection is left alone.
void RunConversion(HWND edit, Conversion conversion);

}  // namespace tessel::casing
