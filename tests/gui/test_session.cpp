// The end of a session, the window's place, the accelerator table and the
// help command's failure, through the real main window.
#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "document/document_win.h"
#include "document/recent_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

TEST_CASE("the end of a session keeps font, colours, topmost state and recent files") {
    gui::Scratch s;
    const std::string path = s.file("sitzung.txt", "x");
    gui::App app;
    SendMessageA(app.main(), WM_SYSCOMMAND, 1, 0);  // always on top
    app.command(CMD_OPENPATH, gui::Arg(path));

    // A session that goes on (another program refused to end it) writes nothing.
    SendMessageA(app.main(), WM_ENDSESSION, FALSE, 0);
    CHECK(gui::IniValue("WINPOSITION", "TOPMOST").empty());

    // Log-off or shut-down: no WM_DESTROY follows, so the settings go out now.
    SendMessageA(app.main(), WM_ENDSESSION, TRUE, 0);
    CHECK(gui::IniValue("WINPOSITION", "TOPMOST") == "-1");
    CHECK(gui::IniValue("INITFILES", "FILE0") == gui::Upper(path));
    CHECK_FALSE(gui::IniValue("EDITCOLORS", "BCOL").empty());
    CHECK_FALSE(gui::IniValue("LOGFONT", "LGF14").empty());
    CHECK(app.alive());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a window saved maximised at -8,-8 reopens there; a top edge out of reach is brought back") {
    gui::App app;
    MoveWindow(app.main(), -8, -8, 700, 500, TRUE);
    app.command(CMD_SIZESAVE);
    MoveWindow(app.main(), 50, 60, 400, 300, TRUE);
    app.command(CMD_SIZELOAD);
    RECT r;
    GetWindowRect(app.main(), &r);
    CHECK(r.left == -8);
    CHECK(r.top == -8);

    // A title bar wholly above the screen cannot be reached: back to the top.
    gui::SetIniValue("WINDOWSIZE", "YPOS", "-200");
    app.command(CMD_SIZELOAD);
    GetWindowRect(app.main(), &r);
    CHECK(r.top == GetSystemMetrics(SM_YVIRTUALSCREEN));

    // Position plus size beyond 32 bits: the window on the screen stays there.
    gui::SetIniValue("WINDOWSIZE", "XPOS", "100");
    gui::SetIniValue("WINDOWSIZE", "YPOS", "50");
    gui::SetIniValue("WINDOWSIZE", "WIDTH", "0x7FFFFFF0");
    app.command(CMD_SIZELOAD);
    GetWindowRect(app.main(), &r);
    CHECK(r.left == 100);
    CHECK(r.top == 50);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("the accelerator table holds exactly the keys of the menu's commands") {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "Tessel32");
    REQUIRE(table);
    const int count = CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> entries(static_cast<std::size_t>(count));
    CopyAcceleratorTableA(table, entries.data(), count);

    using Entry = std::tuple<int, int, int>;  // flags, key, command
    constexpr int V = FVIRTKEY, C = FVIRTKEY | FCONTROL, S = FVIRTKEY | FSHIFT, A = FVIRTKEY | FALT;
    const std::multiset<Entry> expected = {
        {C, 'N', 10},           {C, 'O', 11},          {S, VK_F12, 12},      {V, VK_F12, 13},
        {C, 'D', 14},           {V, VK_F10, 15},       {V, VK_F9, 16},       {C, 'Z', 20},
        {A, VK_BACK, 20},       {C, 'X', 21},          {S, VK_DELETE, 21},   {C, 'C', 22},
        {C, VK_INSERT, 22},     {C, 'V', 23},          {S, VK_INSERT, 23},   {C, 'A', 25},
        {V, VK_F5, 26},         {C, 'F', 30},          {C, VK_F3, 30},       {V, VK_F3, 31},
        {C, 'H', 32},           {V, VK_F1, 52},        {V, VK_F11, 600},     {V, VK_F2, 40008},
        {V, VK_F7, 40003},      {V, VK_F4, 40012},
    };
    std::multiset<Entry> actual;
    for (const ACCEL& a : entries)
        actual.insert({a.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), a.key, a.cmd});
    CHECK(actual == expected);
}

TEST_CASE("help that cannot be loaded is reported") {
    gui::App app;
    // A module without the help dialog and text stands in for a damaged program.
    const LONG_PTR own = GetWindowLongPtrA(app.main(), GWLP_HINSTANCE);
    SetWindowLongPtrA(app.main(), GWLP_HINSTANCE, reinterpret_cast<LONG_PTR>(GetModuleHandleA("kernel32.dll")));
    gui::ExpectMessage("Warnung", "Fehler beim Laden der Hilfe", MB_ICONERROR);
    app.command(CMD_HELP);
    SetWindowLongPtrA(app.main(), GWLP_HINSTANCE, own);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a settings write that fails says so: once at the end of the session, once per command") {
    // A folder where the settings file belongs: no write can succeed there.
    gui::RemoveFile(gui::IniPath());
    REQUIRE(CreateDirectoryA(gui::IniPath().c_str(), nullptr));
    const std::string text = "Die Einstellungen konnten nicht gespeichert werden:\n" + gui::IniPath() +
                             "\n\nGeänderte Einstellungen gelten nur bis zum Programmende.";
    {
        gui::App app("", true);
        gui::ExpectMessage("Warnung", text, MB_ICONERROR);
        app.command(CMD_SIZESAVE);
        CHECK(gui::PendingSteps() == 0);
        gui::ExpectMessage("Warnung", text, MB_ICONERROR);
        CHECK(app.close());
        CHECK(gui::PendingSteps() == 0);
    }
    RemoveDirectoryA(gui::IniPath().c_str());
    CHECK_DIALOGS_ANSWERED();
}

namespace {

// The program as a process of its own, started and closed as a user would.
struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;

    explicit Started(const std::string& program) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + program + "\"";
        if (!CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
            return;
        WaitForInputIdle(process.hProcess, 30000);
        for (HWND w = FindWindowA("Tessel32", nullptr); w; w = FindWindowExA(nullptr, w, "Tessel32", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == process.dwProcessId) window = w;
        }
    }
    // True when it ended by itself, with no message box in the way.
    bool close() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) return true;
        TerminateProcess(process.hProcess, 1);
        return false;
    }
    ~Started() {
        if (!process.hProcess) return;
        if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

std::string ValueIn(const std::string& ini, const char* section, const char* key) {
    char buffer[256] = {};
    GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, ini.c_str());
    return buffer;
}

}  // namespace

TEST_CASE("run from a folder it cannot write to, the program keeps its settings in %APPDATA%\\Tessel") {
    // The test command puts the program and a settings file with TOPMOST=-1
    // into a folder, both made immutable (chattr +i), where even root cannot write.
    const std::string folder = gui::ReadOnlyProgramFolder();
    if (folder.empty()) {
        MESSAGE("no read-only program folder (TESSEL_READONLY_PROGRAM, root and chattr): skipped");
        return;
    }
    char appData[MAX_PATH] = {};
    REQUIRE(GetEnvironmentVariableA("APPDATA", appData, MAX_PATH) > 0);
    const std::string ini = std::string(appData) + "\\Tessel\\TESSEL32.INI";
    gui::RemoveFile(ini);
    {
        // The settings found beside the program are the start: always on top.
        Started first(folder + "TESSEL32.EXE");
        REQUIRE(first.window);
        CHECK((GetWindowLongA(first.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        CHECK(first.close());
    }
    CHECK(ValueIn(ini, "WINPOSITION", "TOPMOST") == "-1");
    CHECK(ValueIn(ini, "LOGFONT", "LGF14") == "Fixedsys");
    CHECK(ValueIn(folder + "TESSEL32.INI", "LOGFONT", "LGF14").empty());

    // The next start reads them from there.
    const char* size[][2] = {{"XPOS", "0x00C8"}, {"YPOS", "0x0064"}, {"WIDTH", "0x0258"}, {"HEIGHT", "0x01C2"}};
    for (const auto& kv : size) WritePrivateProfileStringA("WINDOWSIZE", kv[0], kv[1], ini.c_str());
    {
        Started second(folder + "TESSEL32.EXE");
        REQUIRE(second.window);
        RECT r{};
        GetWindowRect(second.window, &r);
        CHECK(r.left == 200);
        CHECK(r.top == 100);
        CHECK(r.right - r.left == 600);
        CHECK(second.close());
    }
    gui::RemoveFile(ini);
    CHECK_DIALOGS_ANSWERED();
}
