// The one document: its path, title, modified and system-file flags, the
// caption, the warning message and the change prompt.
#pragma once
#include <windows.h>
#include <string>

namespace tessel::document {

constexpr char kUntitled[] = "NAMENLOS";

void Initialise(HWND main, HWND edit);

const char* Path();
const char* Title();
void SetPath(const char* path);     // at most 255 characters
void SetTitle(const char* title);   // at most 127 characters
char* PathBuffer();                 // 256 bytes, for APIs that fill it in place
char* TitleBuffer();                // 128 bytes
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

// "Tessel : " + two blanks... the prefix, a blank, then the title or "NAMENLOS".
void UpdateCaption();

// Fills the format's one "%s" with the title (or "NAMENLOS") and shows it
// with caption "Tessel" and the warning icon.
void Warn(HWND owner, const char* format);

// Asks whether to save changes. Returns IDYES, IDNO or IDCANCEL.
int ChangePrompt(HWND owner);

// The guard before discarding the text: true when the command may go on.
bool ChangeGuard();

}  // namespace tessel::document
