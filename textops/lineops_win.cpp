#include "textops/lineops_win.h"

#include "core/editctl_win.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"

namespace tessel::lineops {
namespace {

using limits::kSelectAllEnd;

int g_capacity;

}  // namespace

bool CapacityReached() { return g_capacity != 0; }

void NoteCapacity(bool outOfMemory) {
    msgbox::Show(outOfMemory ? msgbox::kOutOfMemory : msgbox::kCapacityReached, shell::MainWindow());
    g_capacity = 1;
}

void ClearCapacity() { g_capacity = 0; }

void ApplyFrameResult(HWND edit, const lineframe::FrameResult& result) {
    if (!result.changed) return;
    editctl::Replace(edit, result.replaceStart, result.replaceEnd, result.replacement.c_str());
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
    editctl::Text text(edit);
    if (!text.ok()) return;
    const editctl::Selection selection = editctl::GetSelection(edit);
    const lineframe::FrameResult result =
        lineframe::runLineFrame(text.view(), selection.start, selection.end, op, editctl::Limit(edit), false);
    ApplyFrameResult(edit, result);
    if (result.hitLimit) {
        editctl::Select(edit, result.caret, result.caret, true);
        NoteCapacity(false);
    } else {
        editctl::Select(edit, 0, kSelectAllEnd);
    }
}

}  // namespace tessel::lineops
