#include "textops/lineops_win.h"

#include <cstring>

#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "core/dialogutil_win.h"

namespace tessel::textops {
namespace {

using limits::kSelectAllEnd;

int g_capacity;

void SetSelection(HWND edit, std::size_t start, std::size_t end) {
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

}  // namespace

bool CapacityReached() { return g_capacity != 0; }

void NoteCapacity(bool outOfMemory) {
    Show(outOfMemory ? kOutOfMemory : kCapacityReached, shell::MainWindow());
    g_capacity = 1;
}

void ClearCapacity() { g_capacity = 0; }

EditText::EditText(HWND edit) : text_(ui::CopyWindowText(edit)) {
    if (text_) length_ = std::strlen(text_);
}

EditText::~EditText() { ui::FreeWindowText(text_); }

void ApplyFrameResult(HWND edit, const lineframe::FrameResult& result) {
    if (!result.changed) return;
    // A text loaded above the limit, or a replacement that ends exactly at it,
    // must not be cut by the edit control a second time.
    const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SetSelection(edit, result.replaceStart, result.replaceEnd);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(result.replacement.c_str()));
    SendMessageA(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}

LRESULT UndoWhole(HWND edit, WNDPROC editProc, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT limit = CallWindowProcA(editProc, edit, EM_GETLIMITTEXT, 0, 0);
    CallWindowProcA(editProc, edit, EM_SETLIMITTEXT, 0, 0);
    const LRESULT result = CallWindowProcA(editProc, edit, msg, wParam, lParam);
    CallWindowProcA(editProc, edit, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    return result;
}

void RunLineOperation(HWND edit, const lineframe::LineOp& op) {
    if (CapacityReached()) return;  // the edit control is full: no line is changed
    EditText text(edit);
    if (!text.ok()) return;
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto limit = static_cast<std::size_t>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));

    const lineframe::FrameResult result = lineframe::runLineFrame(text.view(), start, end, op, limit, false);
    ApplyFrameResult(edit, result);
    if (result.hitLimit) {
        SetSelection(edit, result.caret, result.caret);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        NoteCapacity(false);
    } else {
        SendMessageA(edit, EM_SETSEL, 0, limits::kSelectAllEnd);
    }
}

}  // namespace tessel::textops
