// The edit control's font: kept across runs in the LOGFONT section.
#pragma once
#include <windows.h>

namespace tessel::font {

void Load(HWND edit, const char* iniPath);   // read the record, create, give to the edit control
void Apply(HWND edit);                      // create from the record, replace the current font
void UseDefault(HWND edit);                 // the stock fixed font, when the stored one fails
void Save(const char* iniPath);             // LGF01 .. LGF14
void Release();                             // delete the current font
const LOGFONTA& Record();

}  // namespace tessel::font
