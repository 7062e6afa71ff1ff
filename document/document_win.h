// The one document: its path, title, modified and system-file flags, the
// caption, the warning message and the change prompt.
#pragma once
#include <windows.h>
#include <string>

#include "core/msgbox_win.h"

namespace tessel::document {

constexpr char kUntitled[] = "NAMENLOS";

void Initialise();   // no document: no path, no title, no flags

const char* Path();
const char* Title();
void SetPath(const char* path);     // at most 255 characters
void SetTitle(const char* title);   // at most 127 characters
void ClearPathAndTitle();

bool Modified();
void SetModified(bool modified);
bool IsSystemFile();
void SetSystemFile(bool systemFile);

// Set when the loaded file held a NUL byte, so the text ends before it: Save
// then asks for a name instead of overwriting the longer original. Cleared
// with the path.
bool CutAtNul();
void SetCutAtNul(bool cut);

// The caption "Tessel : " and, after a blank, the title or "NAMENLOS".
void UpdateCaption();

// Shows a document message with its one "%s" filled by the title (or
// "NAMENLOS").
void Warn(HWND owner, const msgbox::Message& message);

// Asks whether to save changes. Returns IDYES, IDNO or IDCANCEL.
int ChangePrompt(HWND owner);

// The guard before discarding the text: true when the command may go on.
bool ChangeGuard();

}  // namespace tessel::document
