#include "app/mainwindow_win.h"

#include <cstring>
#include <new>
#include <string>

#include "app/commands_win.h"
#include "core/docstate_win.h"
#include "core/msgbox_win.h"
#include "core/paths.h"
#include "core/settings_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "document/drop_win.h"
#include "document/recent_win.h"
#include "document/recovery_win.h"
#include "lisp/dde_win.h"
#include "resources/ids.h"
#include "textops/search_win.h"
#include "textops/lineops_win.h"
#include "ui/colours_win.h"
#include "core/dialogutil_win.h"
#include "ui/font_win.h"
#include "ui/statusbar_win.h"
#include "ui/toolbar_win.h"

namespace tessel::mainwindow {
namespace {

const char kClassName[] = "Tessel32";
constexpr msgbox::Message kInvalidCommandLine{"Befehlszeilenargument ungültig", msgbox::kCaptionWarning, MB_ICONERROR};

HACCEL g_accelerators;
int g_topmost = 1;
HFONT g_comboFont;
int g_clientWidth;
WNDPROC g_editProc;

// Sent to itself: the edit control reports every key and mouse button before
// it handles them, so the status line follows the caret.
LRESULT CALLBACK EditSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool key = msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
    if (key || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK)) {
        shell::SendCommand(CMD_STATUS);
    } else if (msg == WM_UNDO || msg == EM_UNDO) {
        return lineops::UndoWhole(wnd, g_editProc, msg, wParam, lParam);
    } else if (msg == WM_MOUSEMOVE) {
        // Hover reset of the toolbar, which lies above the edit control.
        if (HIWORD(lParam) < toolbar::kMainThickness) toolbar::ResetHover(toolbar::MainWindow());
    }
    return CallWindowProcA(g_editProc, wnd, msg, wParam, lParam);
}


// The main window's own settings.
constexpr char kSizeSection[] = "WINDOWSIZE";
constexpr const char* kSizeKeys[] = {"XPOS", "YPOS", "WIDTH", "HEIGHT"};
constexpr char kTopmostSection[] = "WINPOSITION";
constexpr char kTopmostKey[] = "TOPMOST";

void LoadWindowSize(HWND wnd) {
    const int unset = static_cast<int>(CW_USEDEFAULT);
    int x = settings::ReadInt(kSizeSection, kSizeKeys[0], unset);
    int y = settings::ReadInt(kSizeSection, kSizeKeys[1], unset);
    int w = settings::ReadInt(kSizeSection, kSizeKeys[2], unset);
    int h = settings::ReadInt(kSizeSection, kSizeKeys[3], unset);
    if (x == unset) return;
    // A stored size that cannot be a window falls back to the system's choice
    // of size, and a position far off every screen is brought back, so the
    // window can never open where nobody can reach it.
    if (w <= 0 || h <= 0 || w > 0x7FFF || h > 0x7FFF) {
        RECT r;
        GetWindowRect(wnd, &r);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    // In 64 bits: the stored values may be anything.
    const long long vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const long long vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (vw > 0 && vh > 0) {
        if (static_cast<long long>(x) + w < vx + 32 || x > vx + vw - 32) x = static_cast<int>(vx);
        // A top edge slightly above the screen is kept as long as the title
        // bar stays within reach (a window saved maximised lies at -8,-8).
        const long long reach = GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER) +
                                GetSystemMetrics(SM_CYCAPTION) / 2;
        if (y < vy - reach || y > vy + vh - 32) y = static_cast<int>(vy);
    }
    MoveWindow(wnd, x, y, w, h, TRUE);
}

void SaveWindowSize(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    const LONG values[] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    settings::Batch batch;
    for (int i = 0; i < 4; ++i) settings::WriteHex04(kSizeSection, kSizeKeys[i], static_cast<unsigned>(values[i]));
}

void ResetWindowSize() {
    settings::Batch batch;
    for (const char* key : kSizeKeys) settings::WriteHex04(kSizeSection, key, 0x80000000u);
}

void SaveTopmost() { settings::WriteInt(kTopmostSection, kTopmostKey, g_topmost); }

// The sections the modules own: read at window creation in this order, and
// written back when the window is destroyed or the session ends in the order
// the settings file has always had. The window size is read by command 47 and
// the topmost state by the start-up command.
using SettingsStep = void (*)();
constexpr SettingsStep kLoads[] = {colours::Load, font::Load, recent::Load};
constexpr SettingsStep kSaves[] = {font::Save, colours::Save, SaveTopmost, recent::Save};

void ToggleTopmost(HWND wnd) {
    HMENU sys = GetSystemMenu(wnd, FALSE);
    if (g_topmost == -1) {
        g_topmost = 1;
        CheckMenuItem(sys, SYSCMD_TOPMOST, MF_BYCOMMAND | MF_UNCHECKED);
        SetWindowPos(wnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        // Some window managers keep the topmost attribute on HWND_BOTTOM.
        SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        BringWindowToTop(wnd);
    } else {
        g_topmost = -1;
        CheckMenuItem(sys, SYSCMD_TOPMOST, MF_BYCOMMAND | MF_CHECKED);
        SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
}

LRESULT OnCreate(HWND wnd) {
    g_topmost = 1;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(wnd, GWLP_HINSTANCE));

    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                                    ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 0, 0, wnd, reinterpret_cast<HMENU>(IDC_EDIT), instance, nullptr);
    HWND combo = CreateWindowExA(0, "combobox", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_SORT | CBS_DROPDOWNLIST,
                                 0, 0, 0, 0, wnd, reinterpret_cast<HMENU>(IDC_INICOMBO), instance, nullptr);
    SendMessageA(edit, EM_LIMITTEXT, limits::kEditText, 0);
    shell::Attach(instance, wnd, edit, combo);

    LOGFONTA bold{};
    bold.lfHeight = 16;
    bold.lfWeight = FW_BOLD;
    std::strcpy(bold.lfFaceName, "Arial");
    g_comboFont = CreateFontIndirectA(&bold);
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(g_comboFont), 0);

    document::Initialise();
    docstate::Attach(document::Path, document::Modified);
    document::UpdateCaption();

    settings::Open();
    for (SettingsStep load : kLoads) load();
    shell::SendCommand(CMD_RECENTMENU);
    shell::SendCommand(CMD_SIZELOAD);
    drop::SetDropMode(drop::kDropNamesAtCaret);

    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclassProc)));
    return 0;
}

// What the session leaves in the settings file: font, colours, topmost
// state and recent files.
void SaveSessionSettings() {
    settings::Batch batch;
    for (SettingsStep save : kSaves) save();
}

void OnDestroy(HWND) {
    dde::EndConversations();
    recovery::Forget();
    colours::Release();
    SaveSessionSettings();
    font::Release();
    SendMessageA(shell::IniCombo(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);
    if (g_comboFont) DeleteObject(g_comboFont);
    g_comboFont = nullptr;
    PostQuitMessage(0);
}

void OnSize(int width, int height) {
    g_clientWidth = width;
    MoveWindow(shell::EditControl(), 0, toolbar::kMainThickness + 3, width,
               height - statusbar::Main().height - toolbar::kMainThickness - 4, TRUE);
    const int strip = toolbar::kMainStripWidth;
    const int margin = 6;
    int comboWidth = width - 3 * margin - strip;
    if (comboWidth > strip) comboWidth = strip;
    MoveWindow(shell::IniCombo(), strip + 2 * margin, margin + 2, comboWidth, strip, TRUE);
    toolbar::Layout(toolbar::Main(), strip, height);
    statusbar::Layout(statusbar::Main(), width, height);
}

void OnPaint(HWND wnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    SetBkMode(dc, TRANSPARENT);
    toolbar::DrawParentEdge(dc, g_clientWidth);
    EndPaint(wnd, &ps);
}

LRESULT HandleMainMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(wnd);
    case WM_DESTROY:
        OnDestroy(wnd);
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETFOCUS:
        SetFocus(shell::EditControl());
        return 0;
    case WM_PAINT:
        OnPaint(wnd);
        break;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
        if (!document::ChangeGuard()) return 0;
        break;
    case WM_ENDSESSION:
        // The session ends without WM_DESTROY: keep its settings now.
        if (wParam) SaveSessionSettings();
        return 0;
    case WM_NCMOUSEMOVE:
        toolbar::ResetHover(toolbar::MainWindow());
        break;
    case WM_COMMAND:
        return commands::DispatchCommand(wnd, wParam, lParam);
    case WM_SYSCOMMAND:
        if (wParam == SYSCMD_TOPMOST) {
            ToggleTopmost(wnd);
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        commands::InitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
        return 0;
    case WM_CTLCOLOREDIT:
        return colours::OnCtlColorEdit(wnd, shell::EditControl(), wParam, lParam);
    default:
        if (LRESULT result; commands::HandleOtherMessage(wnd, msg, wParam, lParam, result)) return result;
        break;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

// No exception may unwind into the platform: a command that runs out of
// memory shows so and changes nothing more.
LRESULT CALLBACK MainWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMainMessage(wnd, msg, wParam, lParam);
    } catch (const std::bad_alloc&) {
        msgbox::ReportOutOfMemory(wnd);
        return 0;
    }
}

}  // namespace

HWND StartApplication(HINSTANCE instance, HINSTANCE previous, const char* cmdLine, int show) {
    if (!previous) {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = MainWindowProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, kClassName);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszMenuName = kClassName;
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
    }
    // WS_EX_ACCEPTFILES is what DragAcceptFiles sets; the shell's library is
    // loaded only when a drop arrives.
    HWND wnd = CreateWindowExA(WS_EX_ACCEPTFILES, kClassName, nullptr, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                               const_cast<char*>(cmdLine));
    if (!wnd) return nullptr;

    HMENU sys = GetSystemMenu(wnd, FALSE);
    AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(sys, MF_STRING, SYSCMD_TOPMOST, "Immer im Vordergrund");

    // The toolbar, then the status bar; without either the program ends.
    if (!toolbar::CreateMain(instance, previous, wnd, show)) return nullptr;
    if (!statusbar::CreateMain(instance, previous, wnd, show)) return nullptr;
    ShowWindow(wnd, show);
    UpdateWindow(wnd);
    g_accelerators = LoadAcceleratorsA(instance, kClassName);
    shell::SendCommand(CMD_STARTUP);
    recovery::OfferAtStart(wnd);

    // The whole command line is one path, with or without double quotes.
    std::string path = cmdLine ? cmdLine : "";
    if (!path.empty() && path.back() == '"') path.pop_back();
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty()) {
        if (path.size() < MAX_PATH && dialogutil::FileTest(path.c_str()))
            shell::SendCommand(CMD_OPENPATH, reinterpret_cast<LPARAM>(path.c_str()));
        else
            msgbox::Show(kInvalidCommandLine);
    }
    return wnd;
}

void ProcessMessage(MSG& msg) {
    if (search::PreTranslate(msg) || recovery::PreTranslate(msg)) return;
    HWND main = shell::MainWindow();
    if (main && g_accelerators && TranslateAcceleratorA(main, g_accelerators, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
    return static_cast<int>(msg.wParam);
}

void EndApplication() {
    toolbar::Unregister(toolbar::Main());
    statusbar::Unregister();
    shell::Attach(shell::Instance(), nullptr, nullptr, nullptr);
}

int TopmostState() { return g_topmost; }


// Window-size commands live beside the window they move.
void SaveWindowSizeCommand() { SaveWindowSize(shell::MainWindow()); }
void ResetWindowSizeCommand() { ResetWindowSize(); }
void LoadWindowSizeCommand() { LoadWindowSize(shell::MainWindow()); }
void RestoreTopmostCommand() {
    if (settings::ReadInt(kTopmostSection, kTopmostKey, 1) == -1) ToggleTopmost(shell::MainWindow());
}

}  // namespace tessel::mainwindow
