#include "textops/lineops_win.h"

#include <cstring>

#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "resources/ids.h"
#include "textops/columnops.h"
#include "textops/lineops.h"
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

void RunTextCommand(HWND edit, unsigned id, const std::string& text) {
    RunLineOperation(edit, id == CMD_APPENDBACK ? lineops::insertAtEnd(text) : lineops::insertAtStart(text));
}

void RunCounterCommand(HWND edit, unsigned id, const CounterParams& params) {
    RunLineOperation(edit, lineops::counter(params.left, params.start, params.right, id == CMD_COUNTBACK));
}

void RunCountCommand(HWND edit, unsigned id, const CountParams& params) {
    const unsigned short n = params.count;
    if (n == 0) return;
    switch (id) {
    case CMD_CUTFRONT: RunLineOperation(edit, lineops::removeAtStart(n)); break;
    case CMD_CUTBACK: RunLineOperation(edit, lineops::removeAtEnd(n)); break;
    case CMD_FILLFRONT: RunLineOperation(edit, columnops::fillFront(n)); break;
    case CMD_FILLBACK: RunLineOperation(edit, columnops::fillBack(n)); break;
    case CMD_CAPFRONT: RunLineOperation(edit, columnops::capFront(n)); break;
    case CMD_CAPBACK: RunLineOperation(edit, columnops::capBack(n)); break;
    default: break;
    }
}

void RunCommentCommand(HWND edit, unsigned id, const CommentParams& params) {
    RunLineOperation(edit, id == CMD_UNCOMMENT ? lineops::uncomment(params.prefix) : lineops::comment(params.prefix));
}

void RunCutCharCommand(HWND edit, const CutCharParams& params) {
    if (params.character == '\0') return;
    RunLineOperation(edit, lineops::cutFromChar(params.character));
}

void RunColumnCopyCommand(HWND edit, unsigned id, const ColumnCopyParams& params) {
    RunLineOperation(edit, id == CMD_COLCOPYBACK
                               ? columnops::copyColumnsBack(params.begin, params.end, params.separator)
                               : columnops::copyColumnsFront(params.begin, params.end, params.separator));
}

void RunFixedCommand(HWND edit, unsigned id) {
    switch (id) {
    case CMD_BLANKSFRONT: RunLineOperation(edit, lineops::removeLeadingBlanks()); break;
    case CMD_BLANKSBACK: RunLineOperation(edit, lineops::removeTrailingBlanks()); break;
    case CMD_LSP_INDENT: RunLineOperation(edit, lineops::indentTwo()); break;
    case CMD_LSP_OUTDENT: RunLineOperation(edit, lineops::outdentTwo()); break;
    case CMD_LSP_COMMENT: RunLineOperation(edit, lineops::insertLispComment()); break;
    default: break;
    }
}

}  // namespace tessel::textops
