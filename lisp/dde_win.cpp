#include "lisp/dde_win.h"

#include <dde.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "lisp/ddetext.h"

namespace tessel::dde {
namespace {

// How long one window may take to answer an initiate, and how long the whole
// search may wait for windows that do not answer. A thread that let one of
// its windows time out is busy: none of its windows is asked again.
constexpr DWORD kWindowTimeoutMs = 1500;
constexpr DWORD kSearchBudgetMs = 2500;

// One conversation, from the server's answer to the initiate until both
// terminates have been exchanged. A conversation is known by its window
// pair only, so several with the same server are kept oldest first and a
// terminate from that server belongs to the oldest.
struct Conversation {
    HWND server;
    HGLOBAL block = nullptr;  // the execute's command block until its acknowledgement
    bool terminated = false;  // our terminate is posted; the server's answer is due
};

HWND g_client;
std::vector<Conversation> g_conversations;
bool g_searching;              // the initiates are being sent: a sent WM_DDE_ACK answers one
HWND g_answer;                 // the server kept from this search (the last one to answer)
std::vector<DWORD> g_busyThreads;  // threads of the last search whose window did not answer in time

std::vector<Conversation>::iterator Find(HWND server, bool pendingOnly = false) {
    return std::find_if(g_conversations.begin(), g_conversations.end(), [&](const Conversation& c) {
        return c.server == server && (!pendingOnly || !c.terminated);
    });
}

// Ends a conversation from our side, once. When the post fails the
// conversation stays open, and the main window's end tries again.
void Terminate(Conversation& c) {
    if (c.terminated) return;
    if (PostMessageA(c.server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_client), 0)) c.terminated = true;
}

// Forgets a conversation. A command block the server never gave back is
// freed here: the server did not take it.
void Forget(std::vector<Conversation>::iterator it) {
    if (it->block) GlobalFree(it->block);
    g_conversations.erase(it);
}

void ForgetVanished() {
    for (auto it = g_conversations.begin(); it != g_conversations.end();) {
        if (IsWindow(it->server)) {
            ++it;
        } else {
            if (it->block) GlobalFree(it->block);
            it = g_conversations.erase(it);
        }
    }
}

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

bool IsBusy(HWND wnd) {
    const DWORD thread = GetWindowThreadProcessId(wnd, nullptr);
    return std::find(g_busyThreads.begin(), g_busyThreads.end(), thread) != g_busyThreads.end();
}

// Sends the initiate for each service name in turn to every top-level window
// (what a broadcast does), until a name finds a server. Each window is sent
// to on its own with a time-out, so a busy program costs one wait, not one
// for each name and each of its windows.
HWND Connect(HWND client) {
    g_client = client;
    ForgetVanished();
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    g_busyThreads.clear();
    g_answer = nullptr;
    g_searching = true;
    const DWORD start = GetTickCount();
    const ATOM topic = GlobalAddAtomA(kTopic);
    bool outOfTime = false;
    for (std::size_t i = 0; i < kServiceCount && !g_answer && !outOfTime && IsWindow(client); ++i) {
        const ATOM application = GlobalAddAtomA(kServiceNames[i]);
        for (HWND wnd : windows) {
            if (wnd == client || !IsWindow(wnd) || IsBusy(wnd)) continue;
            const DWORD spent = GetTickCount() - start;
            if (spent >= kSearchBudgetMs) {
                outOfTime = true;
                break;
            }
            DWORD_PTR ignored = 0;
            // A server answers with a sent WM_DDE_ACK inside this call.
            if (!SendMessageTimeoutA(wnd, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client),
                                     MAKELPARAM(application, topic), SMTO_ABORTIFHUNG,
                                     std::min(kWindowTimeoutMs, kSearchBudgetMs - spent), &ignored))
                g_busyThreads.push_back(GetWindowThreadProcessId(wnd, nullptr));
            if (!IsWindow(client)) break;  // the main window was closed meanwhile
        }
        if (application) GlobalDeleteAtom(application);
    }
    if (topic) GlobalDeleteAtom(topic);
    g_searching = false;
    return IsWindow(client) ? g_answer : nullptr;
}

// Whether an initiate answer names what we asked for: one of the service
// names and the topic.
bool NamesOurRequest(ATOM application, ATOM topic) {
    char name[64] = {};
    if (!topic || !GlobalGetAtomNameA(topic, name, sizeof name) || lstrcmpiA(name, kTopic) != 0) return false;
    if (!application || !GlobalGetAtomNameA(application, name, sizeof name)) return false;
    for (const char* service : kServiceNames)
        if (lstrcmpiA(name, service) == 0) return true;
    return false;
}

// A sent acknowledgement answers an initiate: during the search it opens a
// conversation. After the search, only a window of a busy thread may still
// answer the initiate it was given; that conversation is ended at once.
// Anything else is no answer of ours, and its atoms are not ours to delete.
void OnInitiateAnswer(HWND sender, LPARAM lParam) {
    const ATOM application = LOWORD(lParam);
    const ATOM topic = HIWORD(lParam);
    const bool late = !g_searching;
    if (late && !(IsBusy(sender) && NamesOurRequest(application, topic))) return;
    // The server made these atoms for us.
    if (application) GlobalDeleteAtom(application);
    if (topic) GlobalDeleteAtom(topic);
    if (!sender || !IsWindow(sender) || !g_client) return;
    if (late) {
        g_conversations.push_back({sender});
        Terminate(g_conversations.back());
        return;
    }
    if (sender == g_answer) return;  // answered twice: still one conversation
    // Several servers answered: the last one is kept, the others are ended.
    if (g_answer) {
        auto previous = Find(g_answer, true);
        if (previous != g_conversations.end()) Terminate(*previous);
    }
    g_conversations.push_back({sender});
    g_answer = sender;
}

// A posted acknowledgement answers an execute: the packed parameter is ours
// to free, and so is the command block when it is the block of one of our
// conversations with the sender. Nothing else it carries is touched.
void OnExecuteAnswer(HWND sender, LPARAM lParam) {
    UINT_PTR status = 0;
    UINT_PTR handle = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lParam, &status, &handle)) return;
    FreeDDElParam(WM_DDE_ACK, lParam);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(handle);
    auto it = std::find_if(g_conversations.begin(), g_conversations.end(),
                           [&](const Conversation& c) { return c.server == sender && block && c.block == block; });
    if (it == g_conversations.end()) return;
    // Taken or refused, the block comes back to us to free.
    GlobalFree(block);
    it->block = nullptr;
}

// A terminate either answers ours or ends a conversation from the server's
// side, which is answered once. A terminate outside any conversation (a
// second answer, a stranger's) is never answered: that is how storms start.
void OnTerminate(HWND sender) {
    auto it = Find(sender);
    if (it == g_conversations.end()) return;
    if (!it->terminated) PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(g_client), 0);
    if (g_answer == sender) g_answer = nullptr;
    Forget(it);
}

}  // namespace

LoadResult LoadIntoAutoCad(HWND client, const char* path) {
    HWND server = Connect(client);
    if (!IsWindow(client)) return LoadResult::windowClosed;
    if (!server) return LoadResult::noConnection;
    auto conversation = Find(server, true);
    if (conversation == g_conversations.end()) return LoadResult::noConnection;

    // The block has the size the text needs; a long path is never cut.
    const std::string text = executeText(path ? path : "");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, text.size() + 1);
    char* data = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!data) {
        if (block) GlobalFree(block);
        Terminate(*conversation);
        return LoadResult::outOfMemory;
    }
    std::memcpy(data, text.c_str(), text.size() + 1);
    GlobalUnlock(block);

    const LPARAM param = PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block));
    if (!PostMessageA(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client), param)) {
        // The server never got the block: it is still ours.
        GlobalFree(block);
        Terminate(*conversation);
        if (!IsWindow(server)) g_conversations.erase(conversation);
        return LoadResult::noConnection;
    }
    conversation->block = block;
    Terminate(*conversation);
    return LoadResult::sent;
}

bool HandleMessage(HWND main, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)main;
    if (msg != WM_DDE_ACK && msg != WM_DDE_TERMINATE) return false;
    HWND sender = reinterpret_cast<HWND>(wParam);
    if (msg == WM_DDE_TERMINATE)
        OnTerminate(sender);
    else if (InSendMessage())
        OnInitiateAnswer(sender, lParam);
    else
        OnExecuteAnswer(sender, lParam);
    result = 0;
    return true;
}

void EndConversations() {
    for (Conversation& c : g_conversations) {
        if (!c.terminated && IsWindow(c.server)) Terminate(c);
        if (c.block) GlobalFree(c.block);
    }
    g_conversations.clear();
    g_busyThreads.clear();
    g_answer = nullptr;
    g_client = nullptr;
}

}  // namespace tessel::dde
