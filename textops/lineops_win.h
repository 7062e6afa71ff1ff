// The line and column commands on the edit control. Each command reads the
// text and the selection once, computes its result with the pure line frame
// (lineframe.h) and changes the edit control with one replacement, so it
// undoes in one step and costs about as much as writing the text once.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "textops/lineframe.h"

namespace tessel::lineops {

// Puts a frame result into the edit control: one EM_SETSEL and one
// EM_REPLACESEL with undo, the text limit lifted around it (the frame has
// applied the limit already). Nothing when the result changes nothing.
void ApplyFrameResult(HWND edit, const lineframe::FrameResult& result);

// The frame of every line command: op over the lines from the selection
// start's line to the selection end's line. Afterwards the whole text is
// selected; when the edit control would have been full, the lines up to the
// one that filled it are changed, the capacity message is shown once and the
// caret is left behind the last insertion. With the capacity flag already
// set nothing happens.
void RunLineOperation(HWND edit, const lineframe::LineOp& op);

// The capacity flag: set when the edit control reports that it is full or out
// of memory (the main window passes EN_MAXTEXT and EN_ERRSPACE here, which
// also shows the message); line commands stop before the next line while it
// is set.
bool CapacityReached();
void NoteCapacity(bool outOfMemory);
void ClearCapacity();

// Undo (WM_UNDO or EM_UNDO, from a command, a key or the edit control's own
// menu) passed to the edit control's procedure with its text limit lifted:
// undoing a command on a text loaded above the limit brings back the whole
// text, not just the part up to the limit.
LRESULT UndoWhole(HWND edit, WNDPROC editProc, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tessel::lineops
