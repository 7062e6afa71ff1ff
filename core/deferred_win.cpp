#include "core/deferred_win.h"

namespace tessel::deferred {
namespace {

HMODULE Library(const char* name, HMODULE& slot) {
    if (!slot) slot = LoadLibraryA(name);
    return slot;
}

HMODULE g_comdlg;
HMODULE g_shell;

// The entry point `name` of comdlg32 or shell32 as the type F, or null.
template <typename F>
F Entry(bool shell, const char* name) {
    HMODULE module = shell ? Library("shell32.dll", g_shell) : Library("comdlg32.dll", g_comdlg);
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA record) {
    static const auto entry = Entry<BOOL(WINAPI*)(LPOPENFILENAMEA)>(false, "GetOpenFileNameA");
    return entry ? entry(record) : FALSE;
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA record) {
    static const auto entry = Entry<BOOL(WINAPI*)(LPOPENFILENAMEA)>(false, "GetSaveFileNameA");
    return entry ? entry(record) : FALSE;
}

short GetFileTitleA(LPCSTR path, LPSTR title, WORD size) {
    static const auto entry = Entry<short(WINAPI*)(LPCSTR, LPSTR, WORD)>(false, "GetFileTitleA");
    return entry ? entry(path, title, size) : static_cast<short>(-1);
}

HWND FindTextA(LPFINDREPLACEA record) {
    static const auto entry = Entry<HWND(WINAPI*)(LPFINDREPLACEA)>(false, "FindTextA");
    return entry ? entry(record) : static_cast<HWND>(nullptr);
}

HWND ReplaceTextA(LPFINDREPLACEA record) {
    static const auto entry = Entry<HWND(WINAPI*)(LPFINDREPLACEA)>(false, "ReplaceTextA");
    return entry ? entry(record) : static_cast<HWND>(nullptr);
}

BOOL ChooseFontA(LPCHOOSEFONTA record) {
    static const auto entry = Entry<BOOL(WINAPI*)(LPCHOOSEFONTA)>(false, "ChooseFontA");
    return entry ? entry(record) : FALSE;
}

BOOL PrintDlgA(LPPRINTDLGA record) {
    static const auto entry = Entry<BOOL(WINAPI*)(LPPRINTDLGA)>(false, "PrintDlgA");
    return entry ? entry(record) : FALSE;
}

bool CommonDialogsLoaded() { return g_comdlg != nullptr; }

DWORD CommDlgExtendedError() {
    static const auto entry = Entry<DWORD(WINAPI*)()>(false, "CommDlgExtendedError");
    return entry ? entry() : static_cast<DWORD>(0);
}

UINT DragQueryFileA(HDROP drop, UINT index, LPSTR name, UINT size) {
    static const auto entry = Entry<UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT)>(true, "DragQueryFileA");
    return entry ? entry(drop, index, name, size) : 0u;
}

void DragFinish(HDROP drop) {
    if (auto entry = Entry<void(WINAPI*)(HDROP)>(true, "DragFinish")) entry(drop);
}

}  // namespace tessel::deferred
