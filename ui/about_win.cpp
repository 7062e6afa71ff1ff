#include "ui/about_win.h"

#include <string>
#include <vector>

#include "core/msgbox_win.h"
#include "resources/ids.h"
#include "ui/about.h"
#include "ui/bitmap_win.h"
#include "core/dialogutil_win.h"

namespace tessel::about {
namespace {

const char kLegalNotice[] =
    "Dieses Programm ist urheberrechtlich und durch internationale Verträge geschützt. "
    "Unerlaubte Vervielfältigung oder Verbreitung dieses Programms oder von Teilen davon "
    "wird zivil- und strafrechtlich verfolgt.";
constexpr msgbox::Message kNotAvailable{"Systeminformationsprogramm zur Zeit nicht verfügbar.", msgbox::kCaptionNote,
                                        MB_ICONINFORMATION};

// The places the system information program is registered, in order.
struct RegistryValue {
    const char* key;
    const char* value;
};
constexpr RegistryValue kLocations[] = {
    {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"},
    {"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"},
};

// What the open box shows and holds.
struct AboutBox {
    const char* name = "";
    const char* description = "";
    const char* title = nullptr;
    HFONT nameFont = nullptr;
    bitmap::Record picture;
};

std::string FileVersion() {
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return {};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(module, &handle);
    if (!size) return {};
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(module, 0, size, info.data())) return {};
    void* value = nullptr;
    UINT valueLength = 0;
    if (!VerQueryValueA(info.data(), "\\StringFileInfo\\0C0704B0\\FileVersion", &value, &valueLength) || !value)
        return {};
    return registryString(static_cast<const char*>(value), valueLength);
}

void SetLine(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void FillSystemLines(HWND dialog) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version)) {
        SetLine(dialog, IDC_ABOUT_WINVER,
                windowsVersionLine(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber));
        const std::string pack = registryString(version.szCSDVersion, sizeof version.szCSDVersion);
        SetLine(dialog, IDC_ABOUT_PLATFORM, platformLine(version.dwMajorVersion, version.dwPlatformId, pack));
    }
    if (HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
        const int bits = GetDeviceCaps(ic, PLANES) * GetDeviceCaps(ic, BITSPIXEL);
        SetLine(dialog, IDC_ABOUT_SCREEN, screenLine(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bits));
        DeleteDC(ic);
    }
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory)) {
        SetLine(dialog, IDC_ABOUT_MEMORY, memoryLine(memory.ullTotalPhys));
        SetLine(dialog, IDC_ABOUT_FREE, freeLine(memory.dwMemoryLoad));
    }
}

void Release(AboutBox& box) {
    bitmap::Free(box.picture);
    if (box.nameFont) DeleteObject(box.nameFont);
    box.nameFont = nullptr;
}

BOOL OnInit(HWND dialog, AboutBox& box) {
    LOGFONTA lf{};
    lf.lfHeight = 24;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    box.nameFont = CreateFontIndirectA(&lf);
    if (box.title) SetWindowTextA(dialog, box.title);
    SetDlgItemTextA(dialog, IDC_ABOUT_LEGAL, kLegalNotice);
    SetLine(dialog, IDC_ABOUT_VERSION, versionLine(FileVersion()));
    SetDlgItemTextA(dialog, IDC_ABOUT_NAME, "");
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, box.description);
    FillSystemLines(dialog);
    bitmap::Free(box.picture);
    bitmap::Load(dialog, "MYKITE", box.picture);
    return TRUE;
}

// The name line and the picture are owner-drawn statics.
void DrawItem(const DRAWITEMSTRUCT& item, const AboutBox& box) {
    RECT r;
    GetClientRect(item.hwndItem, &r);
    if (item.CtlID == IDC_ABOUT_NAME) {
        SetBkMode(item.hDC, TRANSPARENT);
        HGDIOBJ old = SelectObject(item.hDC, box.nameFont);
        TextOutA(item.hDC, 0, 0, box.name, lstrlenA(box.name));
        SelectObject(item.hDC, old);
    } else if (item.CtlID == IDC_ABOUT_PICTURE && box.picture.loaded) {
        bitmap::Draw(item.hDC, item.hwndItem, box.picture, 0, 0, 0, 0, r.right, r.bottom, bitmap::kFitted,
                     nullptr, nullptr);
    }
}

// OK and cancel both close the box.
const dialogutil::DialogKind<AboutBox> kAboutDialog{
    "ABOUTBOX32", IDC_ABOUT_ICON, OnInit, nullptr,
    [](HWND, WPARAM wParam, AboutBox&) -> INT_PTR {
        if (LOWORD(wParam) != IDC_ABOUT_SYSINFO) return FALSE;
        LaunchSystemInfo();
        return TRUE;
    },
    [](HWND, UINT msg, WPARAM, LPARAM lParam, AboutBox& box) -> INT_PTR {
        if (msg != WM_DRAWITEM) return FALSE;
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), box);
        return TRUE;
    }};

// A REG_SZ value, read into a 1024-byte buffer and ended at its returned size.
bool ReadRegistryString(const RegistryValue& where, std::string& out) {
    out.clear();
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, where.key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char buffer[1024];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(key, where.value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return false;
    out = registryString(buffer, size <= sizeof buffer ? size : sizeof buffer);
    return !out.empty();
}

LRESULT AboutCommand(HWND main, unsigned, LPARAM) {
    ShowAboutBox(main, "Tessel 2002", "Ein kleiner Texteditor mit speziellen Funktionen", "Über Tessel...");
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_ABOUT, AboutCommand},
};

}  // namespace

int ShowAboutBox(HWND owner, const char* name, const char* description, const char* title) {
    AboutBox box;
    box.name = name ? name : "";
    box.description = description ? description : "";
    box.title = title;
    dialogutil::Run(owner, kAboutDialog, box);
    Release(box);
    return 1;
}

int LaunchSystemInfo() {
    std::string value;
    for (const RegistryValue& where : kLocations) {
        if (!ReadRegistryString(where, value)) continue;
        for (const std::string& path : candidates(value)) {
            if (!dialogutil::FileTest(path.c_str())) continue;
            if (WinExec(commandLine(path).c_str(), SW_SHOW) > 31) return 1;
        }
    }
    msgbox::Show(kNotAvailable);
    return 0;
}

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::about
