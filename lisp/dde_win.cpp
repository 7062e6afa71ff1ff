#include "lisp/dde_win.h"

#include <dde.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "lisp/ddetext.h"

namespace tessel::lisp::dde {
namespace {

// connecting: a WM_DDE_ACK answers an initiate (sent inside the broadcast);
// commandSent: a WM_DDE_ACK answers the execute (posted later).
enum class State { connecting, commandSent };

// A hung top-level window must not hang the broadcast.
constexpr UINT kBroadcastTimeoutMs = 2000;

HWND g_client;
HWND g_server;
State g_state = State::connecting;
std::vector<HWND> g_terminated;  // conversations we ended; their answering terminate is due
std::vector<HGLOBAL> g_blocks;   // command blocks whose acknowledgement is due

bool Contains(const std::vector<HWND>& list, HWND wnd) {
    return std::find(list.begin(), list.end(), wnd) != list.end();
}

void Remove(std::vector<HWND>& list, HWND wnd) {
    list.erase(std::remove(list.begin(), list.end(), wnd), list.end());
}

void Terminate(HWND server) {
    if (!server || !IsWindow(server) || Contains(g_terminated, server)) return;
    if (PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_client), 0))
        g_terminated.push_back(server);
}

HWND Connect(HWND client) {
    g_client = client;
    // Forget windows that are gone, and a server whose conversation we have
    // already ended: an execute sent there would go nowhere.
    g_terminated.erase(std::remove_if(g_terminated.begin(), g_terminated.end(),
                                      [](HWND wnd) { return !IsWindow(wnd); }),
                       g_terminated.end());
    if (g_server && (!IsWindow(g_server) || Contains(g_terminated, g_server))) g_server = nullptr;

    g_state = State::connecting;
    const ATOM topic = GlobalAddAtomA(kTopic);
    for (std::size_t i = 0; i < kServiceCount; ++i) {
        if (i > 0 && g_server) break;
        const ATOM application = GlobalAddAtomA(kServiceNames[i]);
        DWORD_PTR ignored = 0;
        // The servers answer with a sent WM_DDE_ACK inside this call.
        SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client),
                            MAKELPARAM(application, topic), SMTO_ABORTIFHUNG, kBroadcastTimeoutMs, &ignored);
        if (application) GlobalDeleteAtom(application);
    }
    if (topic) GlobalDeleteAtom(topic);
    g_state = State::commandSent;
    return g_server;
}

void OnAck(HWND sender, LPARAM lParam) {
    if (g_state == State::connecting) {
        // The answer to an initiate carries two atoms, not a packed parameter.
        const ATOM application = LOWORD(lParam);
        const ATOM topic = HIWORD(lParam);
        if (application) GlobalDeleteAtom(application);
        if (topic) GlobalDeleteAtom(topic);
        if (!sender || !IsWindow(sender)) return;
        // Several servers answered: the last one is kept, the others ended.
        if (g_server && g_server != sender) Terminate(g_server);
        g_server = sender;
        return;
    }
    UINT_PTR status = 0;
    UINT_PTR handle = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lParam, &status, &handle)) return;
    FreeDDElParam(WM_DDE_ACK, lParam);
    // Only a block of our own is freed.
    HGLOBAL block = reinterpret_cast<HGLOBAL>(handle);
    auto it = std::find(g_blocks.begin(), g_blocks.end(), block);
    if (it == g_blocks.end()) return;
    g_blocks.erase(it);
    GlobalFree(block);
}

void OnTerminate(HWND sender) {
    if (Contains(g_terminated, sender)) {
        Remove(g_terminated, sender);  // the answer to our own terminate
    } else if (sender && IsWindow(sender)) {
        PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_client), 0);
    }
    if (sender == g_server) {
        g_server = nullptr;
        g_state = State::connecting;
    }
}

}  // namespace

LoadResult LoadIntoAutoCad(HWND client, const char* path) {
    HWND server = Connect(client);
    if (!server) return LoadResult::noConnection;

    // The block has the size the text needs; a long path is never cut.
    const std::string text = executeText(path ? path : "");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, text.size() + 1);
    char* data = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!data) {
        if (block) GlobalFree(block);
        Terminate(server);
        return LoadResult::outOfMemory;
    }
    std::memcpy(data, text.c_str(), text.size() + 1);
    GlobalUnlock(block);

    const LPARAM param = PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block));
    if (!PostMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client), param)) {
        GlobalFree(block);
        g_server = nullptr;
        return LoadResult::noConnection;
    }
    g_blocks.push_back(block);
    Terminate(server);
    return LoadResult::sent;
}

bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DDE_ACK && msg != WM_DDE_TERMINATE) return false;
    if (!g_client) g_client = main;
    HWND sender = reinterpret_cast<HWND>(wParam);
    if (msg == WM_DDE_ACK)
        OnAck(sender, lParam);
    else
        OnTerminate(sender);
    result = 0;
    return true;
}

}  // namespace tessel::lisp::dde
