// Find and replace: the modeless common Find and Replace dialogs, F3, the
// replace step and Replace All on the edit control, the not-found report and
// the escape help. The module owns its dialog, buffers, records, search
// position and registered messages; the main window only routes to it.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string_view>

#include "core/command_win.h"
#include "textops/search.h"

namespace tessel::search {

// Commands 30 (Find), 31 (F3) and 32 (Replace).
command::CommandTable Commands();

// The message loop gives every message to the open dialog first: true when
// the dialog took it.
bool PreTranslate(MSG& msg);

// The dialog's registered messages ("commdlg_FindReplace", "commdlg_help")
// arriving at the main window: true when it was one of them.
bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// True while the Find or Replace dialog is open (the menu greys 30, 31, 32).
bool DialogOpen();

// The text search on the edit control: on a hit the hit is selected and
// scrolled into view and `position` moves behind it. Not found: `position`
// stays (behind the last rejected whole-word hit, if any).
bool SearchEdit(HWND edit, std::size_t& position, std::string_view needle, Options options);

// The Replace and Replace All buttons with their record: one replace step,
// or steps until one finds nothing, computed at once and written to the edit
// control as one replacement (one undo step). Reports are owned by `owner`.
void RunReplace(HWND owner, const ReplaceRequest& request, bool all);

// The stored search position (where Find Next goes on).
std::size_t SearchPosition();
void SetSearchPosition(std::size_t position);

// The not-found report: the caret to the start of the text, then
// "\"F\" kann nicht gefunden werden" owned by `owner`.
void ReportNotFound(HWND owner, HWND edit, std::string_view needle);

}  // namespace tessel::search
