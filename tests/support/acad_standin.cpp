// A stand-in AutoCAD for the GUI tests of the load over DDE.
// Usage: acad_standin SERVICE LOGFILE [MODE...]
// Owns a hidden top-level window (broadcasts do not reach message-only
// windows) that answers WM_DDE_INITIATE for SERVICE with topic "System",
// acknowledges each execute (returning the command block), and answers a
// client's terminate once per conversation. Every event goes to LOGFILE as
// one line: READY, INITIATE app|topic, EXECUTE text, TERMINATE, STRAY kept
// or STRAY deleted. Ends on WM_QUIT posted to its thread or WM_CLOSE.
// Modes, for servers that misbehave:
//   twice     answers every terminate twice, conversation or not
//   silent    never answers a terminate
//   busy=MS   reads the first initiate, then sleeps MS milliseconds before answering it
//   lateack   acknowledges the execute only after answering the terminate;
//             200 ms later sends the client an acknowledgement carrying two
//             atoms of its own and logs whether they survived
//   close     closes the client's window right after acknowledging an initiate
#include <windows.h>
#include <dde.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

std::string g_service;
std::string g_log;
bool g_twice, g_silent, g_lateAck, g_close;
DWORD g_busyMs;
std::map<HWND, int> g_open;          // conversations per client whose terminate is not answered
std::map<HWND, UINT_PTR> g_unacked;  // lateack: the execute block held back per client
HWND g_strayTo;                      // lateack: the client of the stray acknowledgement

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

void Acknowledge(HWND wnd, HWND client, UINT_PTR block) {
    PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(wnd), PackDDElParam(WM_DDE_ACK, 0x8000, block));
}

// An acknowledgement that answers nothing, with atoms the client must leave alone.
void SendStrayAck(HWND wnd, HWND client) {
    const ATOM a = GlobalAddAtomA("TesselStandInFremd1");
    const ATOM b = GlobalAddAtomA("TesselStandInFremd2");
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(a, b));
    const bool kept = GlobalFindAtomA("TesselStandInFremd1") == a && GlobalFindAtomA("TesselStandInFremd2") == b;
    Log(kept ? "STRAY kept" : "STRAY deleted");
    if (GlobalFindAtomA("TesselStandInFremd1")) GlobalDeleteAtom(a);
    if (GlobalFindAtomA("TesselStandInFremd2")) GlobalDeleteAtom(b);
}

LRESULT CALLBACK ServerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND client = reinterpret_cast<HWND>(wParam);
    switch (msg) {
    case WM_DDE_INITIATE: {
        const std::string app = AtomName(LOWORD(lParam));
        const std::string topic = AtomName(HIWORD(lParam));
        Log("INITIATE " + app + "|" + topic);
        if (g_busyMs) {
            Sleep(g_busyMs);
            g_busyMs = 0;
        }
        if (lstrcmpiA(app.c_str(), g_service.c_str()) == 0 && lstrcmpiA(topic.c_str(), "System") == 0) {
            ++g_open[client];
            SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(wnd),
                         MAKELPARAM(GlobalAddAtomA(app.c_str()), GlobalAddAtomA(topic.c_str())));
            if (g_close) SendMessageA(client, WM_CLOSE, 0, 0);
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
        if (g_lateAck)
            g_unacked[client] = handle;
        else
            Acknowledge(wnd, client, handle);
        return 0;
    }
    case WM_DDE_TERMINATE: {
        Log("TERMINATE");
        const int answers = g_twice ? 2 : g_silent || g_open[client] == 0 ? 0 : 1;
        if (g_open[client] > 0) --g_open[client];
        for (int i = 0; i < answers; ++i) PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(wnd), 0);
        auto held = g_unacked.find(client);
        if (held != g_unacked.end()) {
            Acknowledge(wnd, client, held->second);
            g_unacked.erase(held);
            g_strayTo = client;
            SetTimer(wnd, 1, 200, nullptr);
        }
        return 0;
    }
    case WM_TIMER:
        KillTimer(wnd, 1);
        SendStrayAck(wnd, g_strayTo);
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
    for (int i = 3; i < argc; ++i) {
        const std::string mode = argv[i];
        g_twice |= mode == "twice";
        g_silent |= mode == "silent";
        g_lateAck |= mode == "lateack";
        g_close |= mode == "close";
        if (mode.compare(0, 5, "busy=") == 0) g_busyMs = static_cast<DWORD>(std::strtoul(mode.c_str() + 5, nullptr, 10));
    }
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
