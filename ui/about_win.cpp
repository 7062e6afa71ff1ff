#include "ui/about_win.h"

#include <new>
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
constexpr Message kNotAvailable{"Systeminformationsprogramm zur Zeit nicht verfügbar.", kCaptionNote,
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

// State of the one open box.
struct AboutState {
    HWND owner = nullptr;
    const char* name = "";
    const char* description = "";
    const char* title = nullptr;
    HFONT nameFont = nullptr;
    bitmap::Record picture;
};
AboutState g_about;

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

void Release() {
    bitmap::Free(g_about.picture);
    if (g_about.nameFont) DeleteObject(g_about.nameFont);
    g_about.nameFont = nullptr;
}

void OnInit(HWND dialog) {
    ui::CentreWindow(dialog);
    LOGFONTA lf{};
    lf.lfHeight = 24;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    g_about.nameFont = CreateFontIndirectA(&lf);
    if (g_about.title) SetWindowTextA(dialog, g_about.title);
    SetDlgItemTextA(dialog, IDC_ABOUT_LEGAL, kLegalNotice);
    SetLine(dialog, IDC_ABOUT_VERSION, versionLine(FileVersion()));
    SetDlgItemTextA(dialog, IDC_ABOUT_NAME, "");
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, g_about.description);
    FillSystemLines(dialog);
    bitmap::Free(g_about.picture);
    bitmap::Load(dialog, "MYKITE", g_about.picture);
}

// The name line and the picture are owner-drawn statics.
void DrawItem(const DRAWITEMSTRUCT& item) {
    RECT r;
    GetClientRect(item.hwndItem, &r);
    if (item.CtlID == IDC_ABOUT_NAME) {
        SetBkMode(item.hDC, TRANSPARENT);
        HGDIOBJ old = SelectObject(item.hDC, g_about.nameFont);
        TextOutA(item.hDC, 0, 0, g_about.name, lstrlenA(g_about.name));
        SelectObject(item.hDC, old);
    } else if (item.CtlID == IDC_ABOUT_PICTURE && g_about.picture.loaded) {
        bitmap::Draw(item.hDC, item.hwndItem, g_about.picture, 0, 0, 0, 0, r.right, r.bottom, bitmap::kFitted,
                     nullptr, nullptr);
    }
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_INITDIALOG:
            g_about.owner = reinterpret_cast<HWND>(lParam);
            OnInit(dialog);
            return TRUE;
        case WM_PAINT:
            ui::PaintDialogIcon(dialog, IDC_ABOUT_ICON, ui::ClassIcon(g_about.owner));
            return TRUE;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case IDOK:
            case IDCANCEL:
                Release();
                EndDialog(dialog, 1);
                return TRUE;
            case IDC_ABOUT_SYSINFO:
                LaunchSystemInfo();
                return TRUE;
            default:
                break;
            }
            break;
        case WM_DESTROY:
            Release();  // whichever way the box ends
            break;
        default:
            break;
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(dialog);
        if (msg == WM_INITDIALOG) EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

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

constexpr CommandEntry kCommands[] = {
    {CMD_ABOUT, AboutCommand},
};

}  // namespace

int ShowAboutBox(HWND owner, const char* name, const char* description, const char* title) {
    g_about.name = name ? name : "";
    g_about.description = description ? description : "";
    g_about.title = title;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    DialogBoxParamA(instance, "ABOUTBOX32", owner, AboutProc, reinterpret_cast<LPARAM>(owner));
    Release();
    return 1;
}

int LaunchSystemInfo() {
    std::string value;
    for (const RegistryValue& where : kLocations) {
        if (!ReadRegistryString(where, value)) continue;
        for (const std::string& path : candidates(value)) {
            if (!ui::FileTest(path.c_str())) continue;
            if (WinExec(commandLine(path).c_str(), SW_SHOW) > 31) return 1;
        }
    }
    Show(kNotAvailable);
    return 0;
}

CommandTable Commands() { return MakeTable(kCommands); }

}  // namespace tessel::about
