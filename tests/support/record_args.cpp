// Started by the program starter's GUI tests: appends its whole command line
// and a CR LF to record_args.log beside itself, then ends.
#include <windows.h>

#include <string>

int main() {
    char module[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string log(module, n);
    std::size_t dot = log.rfind('.');
    std::size_t slash = log.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) log.resize(dot);
    log += ".log";

    std::string line = GetCommandLineA();
    line += "\r\n";
    // Written to a temporary name and moved into place, so a test polling for
    // the log never sees half a line.
    std::string temp = log + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::string old;
    HANDLE previous = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (previous != INVALID_HANDLE_VALUE) {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(previous, buf, sizeof buf, &got, nullptr) && got) old.append(buf, got);
        CloseHandle(previous);
    }
    old += line;
    DWORD written = 0;
    BOOL ok = WriteFile(file, old.data(), static_cast<DWORD>(old.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != old.size()) return 1;
    return MoveFileExA(temp.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
