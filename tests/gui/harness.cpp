#include "tests/gui/harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <new>
#include <set>

#include "core/shell_win.h"
#include "app/mainwindow_win.h"
#include "core/settings_win.h"
#include "document/document_win.h"

namespace gui {
namespace {

std::deque<Step> g_steps;
std::vector<std::string> g_failures;
std::vector<std::string> g_seen;
std::set<HWND> g_handled;
bool g_inTick;
UINT_PTR g_timer;
bool (*g_failWhen)();
bool g_failed;

std::string WindowText(HWND wnd) {
    char buf[2048] = {};
    GetWindowTextA(wnd, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND wnd) {
    char buf[64] = {};
    GetClassNameA(wnd, buf, sizeof buf);
    return buf;
}

// Message boxes: the text is the static control 0xFFFF, the icon control 0x440.
std::string MessageText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

UINT MessageIcon(HWND box) {
    HWND holder = GetDlgItem(box, 0x440);
    if (!holder) return 0;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(holder, STM_GETICON, 0, 0));
    if (!icon) return 0;
    struct Known { LPCSTR id; UINT flag; };
    static const Known kKnown[] = {{IDI_HAND, MB_ICONERROR},
                                   {IDI_EXCLAMATION, MB_ICONWARNING},
                                   {IDI_ASTERISK, MB_ICONINFORMATION},
                                   {IDI_QUESTION, MB_ICONQUESTION}};
    for (const Known& k : kKnown)
        if (LoadIconA(nullptr, k.id) == icon) return k.flag;
    return 0xFFFF;
}

std::string IconName(UINT icon) {
    switch (icon) {
    case 0: return "no icon";
    case MB_ICONERROR: return "error icon";
    case MB_ICONWARNING: return "warning icon";
    case MB_ICONINFORMATION: return "information icon";
    case MB_ICONQUESTION: return "question icon";
    default: return "other icon";
    }
}

struct Found {
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialogs(HWND wnd, LPARAM param) {
    if (IsWindowVisible(wnd) && IsWindowEnabled(wnd) && ClassOf(wnd) == "#32770")
        reinterpret_cast<Found*>(param)->dialogs.push_back(wnd);
    return TRUE;
}

void Answer(HWND dialog) {
    const std::string caption = WindowText(dialog);
    const std::string text = MessageText(dialog);
    g_seen.push_back(caption + "|" + text);
    if (g_steps.empty()) {
        g_failures.push_back("unexpected dialog \"" + caption + "\": \"" + text + "\"");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    Step step = g_steps.front();
    g_steps.pop_front();
    if (step.caption != caption)
        g_failures.push_back("dialog caption \"" + caption + "\", expected \"" + step.caption + "\" (text \"" +
                             text + "\")");
    if (step.checkText && step.text != text)
        g_failures.push_back("message text \"" + text + "\", expected \"" + step.text + "\"");
    if (step.icon) {
        UINT icon = MessageIcon(dialog);
        if (icon != step.icon)
            g_failures.push_back("message \"" + text + "\" shows the " + IconName(icon) + ", expected the " +
                                 IconName(step.icon));
    }
    if (step.action)
        step.action(dialog);
    else
        Press(dialog, step.button);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_inTick) return;
    g_inTick = true;
    for (auto it = g_handled.begin(); it != g_handled.end();)
        it = IsWindow(*it) ? std::next(it) : g_handled.erase(it);
    Found found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&found));
    for (HWND dialog : found.dialogs) {
        if (g_handled.count(dialog)) continue;
        g_handled.insert(dialog);
        Answer(dialog);
        break;  // one dialog per tick: the next one may be its child
    }
    g_inTick = false;
}

void EnsureTimer() {
    if (!g_timer) g_timer = SetTimer(nullptr, 0, 10, Tick);
}

}  // namespace

void FailOneAllocation(bool (*when)()) {
    g_failWhen = when;
    g_failed = false;
}

bool AllocationFailed() { return g_failed; }

void ExpectMessage(const std::string& caption, const std::string& text, UINT icon, int button) {
    EnsureTimer();
    Step step;
    step.caption = caption;
    step.text = text;
    step.checkText = true;
    step.icon = icon;
    step.button = button;
    g_steps.push_back(step);
}

void ExpectDialog(const std::string& caption, std::function<void(HWND)> action) {
    EnsureTimer();
    Step step;
    step.caption = caption;
    step.action = std::move(action);
    g_steps.push_back(step);
}

std::vector<std::string> TakeFailures() {
    std::vector<std::string> out = g_failures;
    for (const Step& step : g_steps) out.push_back("dialog \"" + step.caption + "\" never appeared");
    g_failures.clear();
    g_steps.clear();
    return out;
}

size_t PendingSteps() { return g_steps.size(); }
const std::vector<std::string>& SeenDialogs() { return g_seen; }

void Press(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string ItemText(HWND dialog, int id) {
    char buf[1024] = {};
    GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

void ChooseFile(HWND dialog, const std::string& path) {
    // The explorer-style dialog has the file combobox cmb13; the old style edt1.
    const int kCombo = 0x47C, kEdit = 0x480;
    if (GetDlgItem(dialog, kCombo))
        SetDlgItemTextA(dialog, kCombo, path.c_str());
    if (GetDlgItem(dialog, kEdit))
        SetDlgItemTextA(dialog, kEdit, path.c_str());
    Press(dialog, IDOK);
}

// ------------------------------------------------------------ application

App::App(const std::string& cmdLine, bool keepSettings) {
    if (!keepSettings) {
        RemoveFile(IniPath());
        RemoveFile(RecoveryPath());
    }
    EnsureTimer();
    main_ = tessel::mainwindow::StartApplication(GetModuleHandleA(nullptr), nullptr, cmdLine.c_str(), SW_SHOWNORMAL);
    Pump();
}

App::~App() {
    if (alive()) {
        // Leave without the change prompt; a test that wants it calls close().
        tessel::document::SetModified(false);
        DestroyWindow(main_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            tessel::mainwindow::ProcessMessage(msg);
        }
    }
    tessel::mainwindow::EndApplication();
}

HWND App::edit() const { return tessel::shell::EditControl(); }

LRESULT App::command(unsigned id, LPARAM arg) {
    // As the program sends its own commands: a string in `arg` is taken.
    LRESULT result = tessel::shell::SendCommand(id, arg);
    Pump();
    return result;
}

std::string App::text() const {
    int n = GetWindowTextLengthA(edit());
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(edit(), s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void App::setText(const std::string& text) {
    SetWindowTextA(edit(), text.c_str());
    Pump();
    tessel::document::SetModified(false);
}

void App::type(const std::string& text) {
    SendMessageA(edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    Pump();
}

void App::select(int start, int end) {
    SendMessageA(edit(), EM_SETSEL, start, end);
}

std::pair<int, int> App::selection() const {
    DWORD start = 0, end = 0;
    SendMessageA(edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

std::string App::caption() const { return WindowText(main_); }

bool App::close() {
    SendMessageA(main_, WM_CLOSE, 0, 0);
    Pump();
    if (alive()) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) break;
        tessel::mainwindow::ProcessMessage(msg);
    }
    return true;
}

bool App::alive() const { return main_ && IsWindow(main_); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for close()
            break;
        }
        tessel::mainwindow::ProcessMessage(msg);
    }
}

// ------------------------------------------------------------ files

std::string IniPath() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    size_t dot = path.rfind('.');
    return path.substr(0, dot) + ".INI";
}

std::string RecoveryPath() {
    const std::string ini = IniPath();
    return ini.substr(0, ini.size() - 3) + "RCV";
}

std::string ReadFile(const std::string& path) {
    std::string out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::string TempDir() {
    static int counter;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    char dir[MAX_PATH];
    std::snprintf(dir, sizeof dir, "%stessel-gui-%lu-%d\\", base, GetCurrentProcessId(), ++counter);
    CreateDirectoryA(dir, nullptr);
    return dir;
}

std::string IniValue(const char* section, const char* key) {
    char buf[1024] = {};
    GetPrivateProfileStringA(section, key, "", buf, sizeof buf, IniPath().c_str());
    return buf;
}

void SetIniValue(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, IniPath().c_str());
}

std::string Scratch::file(const std::string& name, const std::string& bytes) const {
    WriteFile(dir + name, bytes);
    return dir + name;
}

void Scratch::RemoveTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(directory + name + "\\");
            else
                RemoveFile(directory + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

std::string Upper(std::string s) {
    CharUpperA(s.data());
    return s;
}

std::string Prompt(const std::string& title) {
    return title + " \nwurde geändert.\n\nMöchten Sie die Änderungen speichern ?";
}

void SetClipboard(const char* text) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    if (text) {
        size_t n = std::strlen(text) + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, n);
        std::memcpy(GlobalLock(block), text, n);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

std::string ClipboardText() {
    std::string out;
    if (!OpenClipboard(nullptr)) return out;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* text = static_cast<const char*>(GlobalLock(data))) {
            out = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return out;
}

namespace {

std::string FolderFromEnvironment(const char* variable) {
    char unixDir[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(variable, unixDir, sizeof unixDir);
    if (n == 0 || n >= sizeof unixDir) return {};
    std::string drive = std::string("Z:") + unixDir;
    for (char& c : drive)
        if (c == '/') c = '\\';
    if (drive.back() != '\\') drive += '\\';
    return drive;
}

}  // namespace

std::string FullDrive() { return FolderFromEnvironment("TESSEL_FULL_DRIVE"); }
std::string ReadOnlyProgramFolder() { return FolderFromEnvironment("TESSEL_READONLY_PROGRAM"); }

}  // namespace gui

// Every allocation of the test program, the application's included, comes
// here; the matching delete is the library's, which frees malloc's memory.
void* operator new(std::size_t size) {
    if (gui::g_failWhen && !gui::g_inTick) {
        bool (*when)() = gui::g_failWhen;
        gui::g_failWhen = nullptr;   // `when` runs unarmed
        if (when()) {
            gui::g_failed = true;
            throw std::bad_alloc();
        }
        gui::g_failWhen = when;
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
