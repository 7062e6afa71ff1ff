// The edit control's font: kept across runs in the LOGFONT section.
#pragma once
#include <windows.h>

#include "core/command_win.h"

namespace tessel::font {

void Load();            // read the record, create, give to the edit control
void Apply(HWND edit);                      // create from the record, replace the current font
void UseDefault(HWND edit);                 // the stock fixed font, when the stored one fails
void Save();             // LGF01 .. LGF14
void Release();                             // delete the current font
const LOGFONTA& Record();

// The font dialog on the record; true when confirmed (the record then holds
// the chosen font). The dialog's colour is kept for its next opening only.
bool Choose(HWND owner);
COLORREF EffectsColour();

// Command 40: the font dialog, then the chosen font for the edit control.
command::CommandTable Commands();

}  // namespace tessel::font
