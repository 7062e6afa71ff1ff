// Character services that depend on the system's code pages: ANSI letter case
// and the DOS (OEM) <-> Windows (ANSI) conversion.  The Windows builds call the
// platform's own functions; the native build uses code-page tables that were
// taken from the platform, so both give the same bytes.
#pragma once

#include <string>

namespace tessel::charmap {

// ANSI upper and lower case of one byte (code page 1252 in the native build).
unsigned char upper(unsigned char c);
unsigned char lower(unsigned char c);

// In-place conversions of a whole byte string.
void upperInPlace(std::string& s);
void lowerInPlace(std::string& s);
void upperInPlace(char* s);  // NUL-terminated

// OEM -> ANSI and ANSI -> OEM, byte for byte, in place.
void oemToAnsiInPlace(std::string& s);
void ansiToOemInPlace(std::string& s);

}  // namespace tessel::charmap
