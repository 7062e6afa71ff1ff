// Unsaved text kept safe. While the document has changes, its text goes into
// the recovery file (the settings file's path with extension RCV) a few
// seconds after typing stops, and during long typing at the latest every 30
// seconds; the next start after a crash offers it. A save that was cut off
// leaves a backup of its text (core/savefile_win.h), offered when the
// document is opened again.
#pragma once
#include <windows.h>

#include <string>

namespace tessel::recovery {

// Quiet time after the last change before the text is written, and the
// longest a change stays unwritten while typing goes on.
constexpr DWORD kQuietMs = 2000;
constexpr DWORD kLongestMs = 30000;
constexpr UINT_PTR kTimerId = 0x7E55;

// The recovery file's path; "" when the settings file has none.
std::string RecoveryPath();

// The text changed: one clock reading, and the timer started when it is not
// running. Called for every change, so nothing more happens here.
void NoteChange();

// The document was saved or its changes discarded, or the program ends
// normally: the recovery file is removed (when this program wrote it).
void Forget();

// The timer is taken from the program's own message loop only, never from
// the loop of a dialog or message box: the file is never written during a
// command. True when `msg` was the timer.
bool PreTranslate(const MSG& msg);

// At the start, before the command line's file: offers a recovery file left
// by a program that did not end normally. One file test when there is none.
void OfferAtStart(HWND main);

// After a document was loaded: offers the backup a cut-off save left, or
// removes it silently when it holds nothing the document does not.
void OfferBackup(HWND main);

}  // namespace tessel::recovery
