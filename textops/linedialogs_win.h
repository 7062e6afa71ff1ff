// The parameter dialogs of the line and column commands. Each one collects
// its fields and returns them as a plain record (linecommands.h), from which
// the pure operations build the change, so they run without a dialog too.
// Every dialog returns std::nullopt when the user cancels or closes it, or
// when it cannot be created.
#pragma once
#include <windows.h>

#include <optional>

#include "textops/linecommands.h"

namespace tessel::linedialogs {

using linecommands::ColumnCopyParams;
using linecommands::CommentParams;
using linecommands::CountParams;
using linecommands::CounterParams;
using linecommands::CutCharParams;
using linecommands::TextParams;

// The dialogs take the caption that replaces their title and the prompt of
// their label 109 (the comment dialog keeps its own); `owner` is the main
// window, whose class icon they show. Each starts from its record's defaults.
std::optional<TextParams> AskText(HWND owner, const char* caption, const char* prompt);   // INPUT
std::optional<CountParams> AskCount(HWND owner, const char* caption, const char* prompt);
std::optional<CounterParams> AskCounter(HWND owner, const char* caption, const char* prompt);
std::optional<CommentParams> AskComment(HWND owner, const char* caption, const char* prompt);
std::optional<CutCharParams> AskCutChar(HWND owner, const char* caption, const char* prompt);
std::optional<ColumnCopyParams> AskColumnCopy(HWND owner, const char* caption, const char* prompt);

}  // namespace tessel::linedialogs
