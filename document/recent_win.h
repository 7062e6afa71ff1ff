// The recent-files list in the "&Datei" menu and the settings file.
#pragma once
#include <windows.h>
#include <string>

namespace tessel::recent {

void Load();   // INITFILES/FILE0..FILE3 into the list (window creation)
void Save();   // the list back to the settings file (window destruction)

// Enters the path as the most recent file and returns the entry (the path
// upper-cased; unchanged when the list cannot hold it). The caller sends
// command 139 afterwards.
std::string Enter(const char* path);

LRESULT RebuildMenu(HWND main, unsigned, LPARAM);   // command 139
LRESULT Reopen(HWND main, unsigned id, LPARAM);  // commands 140..143

// Path in a slot, for the tests and the menu.
const char* SlotPath(int slot);

}  // namespace tessel::recent
