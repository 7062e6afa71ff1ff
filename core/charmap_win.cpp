// Character map of the Windows builds: the platform's own ANSI case mapping and
// OEM <-> ANSI conversion for the system's code pages.
#include "core/charmap.h"

#include <windows.h>

namespace tessel::charmap {

unsigned char upper(unsigned char c)
{
    char buf[1] = {static_cast<char>(c)};
    CharUpperBuffA(buf, 1);
    return static_cast<unsigned char>(buf[0]);
}

unsigned char lower(unsigned char c)
{
    char buf[1] = {static_cast<char>(c)};
    CharLowerBuffA(buf, 1);
    return static_cast<unsigned char>(buf[0]);
}

// The Buff functions take a DWORD count; strings here are far below that, but
// work in slices so no length is ever truncated.
namespace {

constexpr std::size_t kSlice = 0x10000;

template <typename F>
void inSlices(std::string& s, F f)
{
    for (std::size_t pos = 0; pos < s.size(); pos += kSlice) {
        std::size_t n = s.size() - pos < kSlice ? s.size() - pos : kSlice;
        f(&s[pos], static_cast<DWORD>(n));
    }
}

}  // namespace

void upperInPlace(std::string& s)
{
    inSlices(s, [](char* p, DWORD n) { CharUpperBuffA(p, n); });
}

void lowerInPlace(std::string& s)
{
    inSlices(s, [](char* p, DWORD n) { CharLowerBuffA(p, n); });
}

void upperInPlace(char* s)
{
    if (!s) return;
    for (; *s; ++s) *s = static_cast<char>(upper(static_cast<unsigned char>(*s)));
}

void oemToAnsiInPlace(std::string& s)
{
    inSlices(s, [](char* p, DWORD n) { OemToCharBuffA(p, p, n); });
}

void ansiToOemInPlace(std::string& s)
{
    inSlices(s, [](char* p, DWORD n) { CharToOemBuffA(p, p, n); });
}

}  // namespace tessel::charmap
