#include "document/drop_win.h"

namespace tessel::document {

void HandleDrop(HWND, HDROP drop) { DragFinish(drop); }
void FillIniCombo() {}
void OpenSelectedIniFile() {}

}  // namespace tessel::document
