#include "document/sysedit_win.h"

#include "core/limits.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "document/filetypes.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"
#include "core/shell_win.h"

namespace tessel::sysedit {
namespace {

constexpr msgbox::Message kMissingSystemFile{"Die Datei '%s' existiert nicht !", msgbox::kCaptionWarning, MB_ICONERROR};

struct SystemFile {
    const char* name;
    SystemDirectory where;
};

constexpr SystemFile kSystemFiles[] = {
    {"AUTOEXEC.BAT", kRootDirectory},    {"CONFIG.SYS", kRootDirectory},      {"WIN.INI", kWindowsDirectory},
    {"SYSTEM.INI", kWindowsDirectory},   {"PROGMAN.INI", kWindowsDirectory},  {"CONTROL.INI", kWindowsDirectory},
    {"WINFILE.INI", kWindowsDirectory},  {"SCHDPLUS.INI", kWindowsDirectory}, {"MSMAIL.INI", kWindowsDirectory},
    {"SERIALNO.INI", kWindowsDirectory}, {"MSDOS.SYS", kRootDirectory},       {"OEMINFO.INI", kSystemDirectory},
    {"DBLSPACE.INI", kRootDirectory},    {"DOSSTART.BAT", kWindowsDirectory}, {"WINSTART.BAT", kWindowsDirectory},
    {"WININIT.INI", kWindowsDirectory},  {"WININIT.BAK", kWindowsDirectory},
};
static_assert(sizeof kSystemFiles / sizeof kSystemFiles[0] == CMD_SYSEDIT_LAST - CMD_SYSEDIT_FIRST + 1);

}  // namespace

std::string SystemFolder(SystemDirectory where) {
    char directory[limits::kPathBuffer] = {};
    UINT n = 0;
    switch (where) {
    case kRootDirectory:
        lstrcpynA(directory, "C:\\", sizeof directory);
        n = 3;
        break;
    case kWindowsDirectory:
        n = GetWindowsDirectoryA(directory, sizeof directory);
        break;
    case kSystemDirectory:
        n = GetSystemDirectoryA(directory, sizeof directory);
        break;
    }
    if (n == 0 || n >= sizeof directory) return {};
    std::string path = directory;
    filetypes::appendDirectorySeparator(path, sizeof directory);
    return path;
}

int OpenSystemFile(const char* name, SystemDirectory where) {
    std::string path = SystemFolder(where);
    if (!path.empty()) path += name;
    if (!path.empty() && path.size() < limits::kPathBuffer && dialogutil::FileTest(path.c_str())) {
        document::SetSystemFile(true);
        shell::SendCommand(CMD_OPENPATH, reinterpret_cast<LPARAM>(path.c_str()));
        return 1;
    }
    msgbox::Show(kMissingSystemFile, nullptr, name);
    return 0;
}

LRESULT SysEditCommand(HWND, unsigned id, LPARAM) {
    if (id < CMD_SYSEDIT_FIRST || id > CMD_SYSEDIT_LAST) return 0;
    const SystemFile& file = kSystemFiles[id - CMD_SYSEDIT_FIRST];
    OpenSystemFile(file.name, file.where);
    return 0;
}

}  // namespace tessel::sysedit
