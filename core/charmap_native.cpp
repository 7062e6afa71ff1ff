// Table-driven character map for the native build: ANSI case of code page 1252
// and OEM <-> ANSI for OEM code page 850 (default) or 437.  The tables were
// produced by the platform itself (tools/gen_charmap.cpp), so the results equal
// CharUpperA/CharLowerA/OemToCharA/CharToOemA byte for byte.
#include "core/charmap.h"
#include "core/charmap_native.h"
#include "core/charmap_tables.inc"

namespace tessel::charmap {

namespace {

int oemCodePage = 850;

const unsigned char* oemToAnsiTable()
{
    return oemCodePage == 437 ? tables::kOemToAnsi437 : tables::kOemToAnsi850;
}

const unsigned char* ansiToOemTable()
{
    return oemCodePage == 437 ? tables::kAnsiToOem437 : tables::kAnsiToOem850;
}

void mapInPlace(std::string& s, const unsigned char* table)
{
    for (char& c : s) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

}  // namespace

void setNativeOemCodePage(int cp)
{
    if (cp == 437 || cp == 850) oemCodePage = cp;
}

int nativeOemCodePage() { return oemCodePage; }

unsigned char upper(unsigned char c) { return tables::kUpper1252[c]; }
unsigned char lower(unsigned char c) { return tables::kLower1252[c]; }

void upperInPlace(std::string& s) { mapInPlace(s, tables::kUpper1252); }
void lowerInPlace(std::string& s) { mapInPlace(s, tables::kLower1252); }

void upperInPlace(char* s)
{
    if (!s) return;
    for (; *s; ++s) *s = static_cast<char>(tables::kUpper1252[static_cast<unsigned char>(*s)]);
}

void oemToAnsiInPlace(std::string& s) { mapInPlace(s, oemToAnsiTable()); }
void ansiToOemInPlace(std::string& s) { mapInPlace(s, ansiToOemTable()); }

}  // namespace tessel::charmap
