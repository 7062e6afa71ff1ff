// Files dropped on the main window, the Sysedit menu and the INI combobox.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "resources/ids.h"

namespace tessel::drop {

// What a drop does, chosen in the menu: open the first file, the names as a
// new text, the names at the caret, or merge the first file.
enum DropAction : int { kDropOpen, kDropNamesAsText, kDropNamesAtCaret, kDropMerge, kDropActionCount };

// The menu command that chooses an action: the commands follow the actions'
// order.
constexpr unsigned DropActionCommand(DropAction action) { return CMD_DROPOPEN + static_cast<unsigned>(action); }
static_assert(DropActionCommand(kDropMerge) == CMD_DROPMERGE);

DropAction DropMode();
void SetDropMode(DropAction mode);

void HandleDrop(HWND main, HDROP drop);   // WM_DROPFILES, by the current drop mode
void FillIniCombo();                      // start-up: the INI files of the Windows directory
void OpenSelectedIniFile();               // CBN_SELCHANGE of the combobox

}  // namespace tessel::drop
