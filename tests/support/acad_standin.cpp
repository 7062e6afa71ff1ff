// A stand-in AutoCAD for the GUI tests of the load over DDE.
// Usage: acad_standin SERVICE LOGFILE
// Owns a hidden top-level window (broadcasts do not reach message-only
// windows) that answers WM_DDE_INITIATE for SERVICE with topic "System",
// acknowledges each execute (returning the command block), and answers a
// client's terminate once per conversation. Every event goes to LOGFILE as
// one line: READY, INITIATE app|topic, EXECUTE text, TERMINATE. Ends on
// WM_QUIT posted to its thread or WM_CLOSE.
#include <windows.h>
#include <dde.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

std::string g_service;
std::string g_log;
std::set<HWND> g_answered;  // clients whose terminate was answered

void Log(const std::string& line) {
    if (FILE* f = std::fopen(g_log.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fwrite("\r\n", 1, 2, f);
        std::fclose(f);
    }
}

std::string AtomName(ATOM atom) {
    char name[256] = {};
    if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
    return name;
}

LRESULT CALLBACK ServerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND client = reinterpret_cast<HWND>(wParam);
    switch (msg) {
    case WM_DDE_INITIATE: {
        const std::string app = AtomName(LOWORD(lParam));
        const std::string topic = AtomName(HIWORD(lParam));
        Log("INITIATE " + app + "|" + topic);
        if (lstrcmpiA(app.c_str(), g_service.c_str()) == 0 && lstrcmpiA(topic.c_str(), "System") == 0) {
            g_answered.erase(client);
            SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(wnd),
                         MAKELPARAM(GlobalAddAtomA(app.c_str()), GlobalAddAtomA(topic.c_str())));
        }
        return 0;
    }
    case WM_DDE_EXECUTE: {
        UINT_PTR unused = 0, handle = 0;
        UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &handle);
        HGLOBAL block = reinterpret_cast<HGLOBAL>(handle);
        std::string text;
        if (const char* data = static_cast<const char*>(GlobalLock(block))) {
            text = data;
            GlobalUnlock(block);
        }
        Log("EXECUTE " + text);
        PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(wnd),
                     PackDDElParam(WM_DDE_ACK, 0x8000, handle));
        return 0;
    }
    case WM_DDE_TERMINATE:
        Log("TERMINATE");
        if (!g_answered.count(client)) {
            g_answered.insert(client);
            PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(wnd), 0);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    g_service = argv[1];
    g_log = argv[2];
    WNDCLASSA wc{};
    wc.lpfnWndProc = ServerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TesselAcadStandIn";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "AutoCAD stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, wc.hInstance, nullptr);
    if (!wnd) return 1;
    Log("READY");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (IsWindow(wnd)) DestroyWindow(wnd);
    return 0;
}
