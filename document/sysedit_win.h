// The Sysedit menu: the classic system files from their fixed directories.
#pragma once
#include <windows.h>

#include <string>

namespace tessel::sysedit {

enum SystemDirectory { kRootDirectory, kWindowsDirectory, kSystemDirectory };

// The directory with one backslash behind it; empty when the system gives
// none that fits a path buffer.
std::string SystemFolder(SystemDirectory where);

// Opens `name` from its fixed directory as a system file. 1 when the file
// was found and the open command was sent, 0 otherwise (reported).
int OpenSystemFile(const char* name, SystemDirectory where);

LRESULT SysEditCommand(HWND main, unsigned id, LPARAM);  // 70..86

}  // namespace tessel::sysedit
