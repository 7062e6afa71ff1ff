// Command 39 "Sortieren...": DLGSORTMYTEXT and the sort on the edit control.
#pragma once
#include <windows.h>

#include <optional>

#include "core/command_win.h"
#include "textops/sorting.h"

namespace tessel::sorting {

command::CommandTable Commands();

// DLGSORTMYTEXT, opened with `start` checked; nullopt on cancel.
std::optional<SortOptions> AskSortOptions(HWND owner, SortOptions start = {});

// Sorts the selection's lines with one replacement (one undo step); more than
// 4096 lines are refused with a message owned by the edit control.
void RunSort(HWND edit, const SortOptions& options);

}  // namespace tessel::sorting
