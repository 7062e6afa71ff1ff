#include "tests/gui/unixside.h"

#include <windows.h>

#include <cstdio>

#include "tests/gui/harness.h"

namespace gui {

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toUnix = kernel ? reinterpret_cast<ToUnix>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                         : nullptr;
    if (!toUnix) return {};
    WCHAR wide[MAX_PATH * 2] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2)) return {};
    char* unix = toUnix(wide);
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Wine starts a Unix program through CreateProcess but gives no handle to
// wait on, so the script reports its end through a file.
std::string RunUnix(const std::string& script, bool* ok) {
    if (ok) *ok = false;
    static int counter;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%stessel-sh-%lu-%d", base, GetCurrentProcessId(), ++counter);
    const std::string scriptFile = std::string(name) + ".sh";
    const std::string outFile = std::string(name) + ".out";
    const std::string doneFile = std::string(name) + ".done";
    const std::string unixScript = UnixPath(scriptFile);
    if (unixScript.empty()) return {};
    const std::string unixOut = UnixPath(outFile), unixDone = UnixPath(doneFile);
    WriteFile(scriptFile, "( " + script + " ) > " + ShellQuote(unixOut) + " 2>&1\necho $? > " +
                              ShellQuote(unixDone + ".part") + "\nmv " + ShellQuote(unixDone + ".part") + " " +
                              ShellQuote(unixDone) + "\n");
    std::string line = "/bin/sh " + unixScript;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        if (pi.hProcess) CloseHandle(pi.hProcess);
        if (pi.hThread) CloseHandle(pi.hThread);
        for (int i = 0; i < 1000 && GetFileAttributesA(doneFile.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
    }
    std::string status = ReadFile(doneFile);
    std::string out = ReadFile(outFile);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    if (ok) *ok = status.rfind("0", 0) == 0 && status.size() <= 2;
    RemoveFile(scriptFile);
    RemoveFile(outFile);
    RemoveFile(doneFile);
    return out;
}

}  // namespace gui
