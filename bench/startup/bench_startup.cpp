// Start-up benchmark: the time from starting tessel32.exe to its main window
// shown and painted with toolbar and status bar, against a minimal program
// that registers a class and shows one window, both started the same way in
// the same run. "Painted" is the moment the program first waits for input
// (WaitForInputIdle): every paint of the first show has been handled then.
// The programs are started in turn, so both see the same machine state.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/common/benchclock.h"

namespace {

constexpr int kRuns = 21;
constexpr double kLimit = 1.5;

using bench::Now;

std::string BesideMe(const char* name) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

struct Closer {
    DWORD process;
    bool closed = false;
};

BOOL CALLBACK CloseTopWindows(HWND wnd, LPARAM param) {
    auto* c = reinterpret_cast<Closer*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    if (owner == c->process && IsWindowVisible(wnd) && !GetParent(wnd)) {
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        c->closed = true;
    }
    return TRUE;
}

// Milliseconds from CreateProcess to the first wait for input; -1 on failure.
double TimeStart(const std::string& program) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + program + "\"";
    const double t0 = Now();
    if (!CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    const DWORD idle = WaitForInputIdle(pi.hProcess, 30000);
    const double ms = Now() - t0;
    // Closed through its window, as a user would; not timed.
    Closer closer{pi.dwProcessId};
    EnumWindows(CloseTopWindows, reinterpret_cast<LPARAM>(&closer));
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return idle == 0 ? ms : -1;
}

// Every start reads the same settings, those of a user with four recent
// files (the file menu's items are the costliest part of them), whatever
// earlier runs or tests left beside the program; what was there is put back.
class KnownSettings {
public:
    explicit KnownSettings(const std::string& program) : ini_(program.substr(0, program.rfind('.')) + ".INI") {
        had_ = Read(ini_, saved_);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string text = "[INITFILES]\r\n";
        for (int i = 0; i < 4; ++i) {
            files_.push_back(std::string(temp) + "Tessel-Startmessung-" + std::to_string(i) + ".txt");
            Write(files_.back(), "Text\r\n");
            text += "FILE" + std::to_string(i) + "=" + files_.back() + "\r\n";
        }
        Write(ini_, text);
    }
    ~KnownSettings() {
        if (had_)
            Write(ini_, saved_);
        else
            DeleteFileA(ini_.c_str());
        for (const std::string& file : files_) DeleteFileA(file.c_str());
    }
    KnownSettings(const KnownSettings&) = delete;
    KnownSettings& operator=(const KnownSettings&) = delete;

private:
    static bool Read(const std::string& path, std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        bytes.assign(GetFileSize(h, nullptr), '\0');
        DWORD got = 0;
        const bool read = bytes.empty() || ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(h);
        bytes.resize(got);
        return read;
    }
    static void Write(const std::string& path, const std::string& bytes) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    std::string ini_;
    std::string saved_;
    bool had_ = false;
    std::vector<std::string> files_;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

// Optional argument: another build of the editor (for instance the one before
// a change), started in the same rounds, so both are measured under the same
// machine state; its figures follow.
int main(int argc, char** argv) {
    const std::string editor = BesideMe("tessel32.exe");
    const std::string minimal = BesideMe("minimal_window.exe");
    const std::string other = argc > 1 ? argv[1] : "";
    std::vector<double> otherRuns;
    KnownSettings settings(editor);
    std::optional<KnownSettings> otherSettings;
    if (!other.empty()) otherSettings.emplace(other);
    // One start of each first, unmeasured: the first start of a program pays
    // for loading files that later starts find cached.
    TimeStart(minimal);
    TimeStart(editor);
    if (!other.empty()) TimeStart(other);
    std::vector<double> editorRuns, minimalRuns;
    for (int i = 0; i < kRuns; ++i) {
        const double m = TimeStart(minimal);
        const double e = TimeStart(editor);
        if (m < 0 || e < 0) {
            std::printf("a program did not start or never waited for input\n");
            return 1;
        }
        minimalRuns.push_back(m);
        editorRuns.push_back(e);
        if (!other.empty()) otherRuns.push_back(TimeStart(other));
    }
    const double m = Median(minimalRuns), e = Median(editorRuns);
    // On a loaded machine single starts vary by a factor of three or more;
    // each pair ran back to back, so the ratio within a pair shares its
    // machine state, and the median of those ratios is the steadier figure.
    std::vector<double> pairRatios;
    for (int i = 0; i < kRuns; ++i) pairRatios.push_back(editorRuns[i] / minimalRuns[i]);
    std::printf("Start-up to a shown, painted main window, median of %d starts each:\n", kRuns);
    std::printf("  minimal window   %8.1f ms  (fastest %.1f, slowest %.1f)\n", m,
                *std::min_element(minimalRuns.begin(), minimalRuns.end()),
                *std::max_element(minimalRuns.begin(), minimalRuns.end()));
    std::printf("  tessel32.exe     %8.1f ms  (fastest %.1f, slowest %.1f)\n", e,
                *std::min_element(editorRuns.begin(), editorRuns.end()),
                *std::max_element(editorRuns.begin(), editorRuns.end()));
    const double paired = Median(pairRatios);
    const double fastest = *std::min_element(editorRuns.begin(), editorRuns.end()) /
                           *std::min_element(minimalRuns.begin(), minimalRuns.end());
    std::printf("  ratio of the medians %.2f, median of the paired ratios %.2f, of the fastest starts %.2f\n",
                e / m, paired, fastest);
    std::printf("  limit %.1f: %s\n", kLimit, e / m <= kLimit ? "within" : "ABOVE");
    if (!other.empty()) {
        std::vector<double> otherRatios;
        for (int i = 0; i < kRuns; ++i) otherRatios.push_back(otherRuns[i] / minimalRuns[i]);
        std::printf("  %s: %8.1f ms, ratio of the medians %.2f, median of the paired ratios %.2f\n", other.c_str(),
                    Median(otherRuns), Median(otherRuns) / m, Median(otherRatios));
    }
    return e / m <= kLimit ? 0 : 1;
}
