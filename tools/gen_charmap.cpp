// Prints the code-page tables of the native character map (core/charmap_tables.inc)
// as the Windows platform computes them.
//
// Build:  x86_64-w64-mingw32-g++ -std=c++17 -O2 -static tools/gen_charmap.cpp -o gen_charmap.exe
// Run:    WINEPREFIX=<prefix> WINEDEBUG=-all wine64 gen_charmap.exe charmap_tables.inc
//         (under the C locale Wine runs with ANSI code page 1252 and OEM code page 437)
//
// Tables:
//  - ANSI upper/lower case: CharUpperA/CharLowerA on every byte (checked against
//    CharUpperBuffA/CharLowerBuffA).
//  - OEM <-> ANSI for code page 437: OemToCharBuffA/CharToOemBuffA.
//  - OEM <-> ANSI for code page 850: the same conversion that OemToChar/CharToOem
//    perform, through Unicode with the default best-fit behaviour:
//    MultiByteToWideChar(OEM) + WideCharToMultiByte(1252), and the reverse.  The 437
//    variant of this computation is compared with OemToCharBuffA/CharToOemBuffA to
//    prove that the method is the platform's.
// The program refuses to write anything (exit code 1) when a check fails.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using Table = unsigned char[256];

bool viaUnicode(UINT from, UINT to, Table out)
{
    for (int i = 0; i < 256; ++i) {
        char in = static_cast<char>(i);
        WCHAR w = 0;
        if (MultiByteToWideChar(from, 0, &in, 1, &w, 1) != 1) return false;
        char res = 0;
        if (WideCharToMultiByte(to, 0, &w, 1, &res, 1, nullptr, nullptr) != 1) return false;
        out[i] = static_cast<unsigned char>(res);
    }
    return true;
}

void printTable(FILE* f, const char* name, const char* what, const Table t)
{
    std::fprintf(f, "// %s\nconstexpr unsigned char %s[256] = {\n", what, name);
    for (int i = 0; i < 256; ++i) {
        if (i % 16 == 0) std::fprintf(f, "   ");
        std::fprintf(f, " 0x%02X,", t[i]);
        if (i % 16 == 15) std::fprintf(f, "  // %02X\n", i - 15);
    }
    std::fprintf(f, "};\n\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_charmap OUTPUT.inc\n");
        return 2;
    }
    const UINT acp = GetACP();
    const UINT oemcp = GetOEMCP();
    std::fprintf(stderr, "ANSI code page %u, OEM code page %u\n", acp, oemcp);
    if (acp != 1252 || oemcp != 437) {
        std::fprintf(stderr, "need ANSI 1252 and OEM 437 (run under the C locale)\n");
        return 1;
    }

    bool ok = true;
    Table upper, lower, oem437, ansi437, oem850, ansi850, check;

    for (int i = 0; i < 256; ++i) {
        upper[i] = static_cast<unsigned char>(
            reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(i)))));
        lower[i] = static_cast<unsigned char>(
            reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(i)))));
        char b[2] = {static_cast<char>(i), 0};
        CharUpperBuffA(b, 1);
        if (static_cast<unsigned char>(b[0]) != upper[i]) {
            std::fprintf(stderr, "CharUpperA and CharUpperBuffA differ at %02X\n", i);
            ok = false;
        }
        b[0] = static_cast<char>(i);
        CharLowerBuffA(b, 1);
        if (static_cast<unsigned char>(b[0]) != lower[i]) {
            std::fprintf(stderr, "CharLowerA and CharLowerBuffA differ at %02X\n", i);
            ok = false;
        }
        char o[2] = {static_cast<char>(i), 0};
        OemToCharBuffA(o, o, 1);
        oem437[i] = static_cast<unsigned char>(o[0]);
        char a[2] = {static_cast<char>(i), 0};
        CharToOemBuffA(a, a, 1);
        ansi437[i] = static_cast<unsigned char>(a[0]);
    }

    // Prove the method on 437, then apply it to 850.
    if (!viaUnicode(437, 1252, check)) ok = false;
    for (int i = 0; i < 256; ++i)
        if (check[i] != oem437[i]) {
            std::fprintf(stderr, "OEM->ANSI method differs from OemToCharBuffA at %02X\n", i);
            ok = false;
        }
    if (!viaUnicode(1252, 437, check)) ok = false;
    for (int i = 0; i < 256; ++i)
        if (check[i] != ansi437[i]) {
            std::fprintf(stderr, "ANSI->OEM method differs from CharToOemBuffA at %02X\n", i);
            ok = false;
        }
    if (!viaUnicode(850, 1252, oem850) || !viaUnicode(1252, 850, ansi850)) {
        std::fprintf(stderr, "code page 850 is not available\n");
        ok = false;
    }

    for (const unsigned char* t : {upper, lower, oem437, ansi437, oem850, ansi850})
        if (t[0] != 0) {
            std::fprintf(stderr, "byte 0 does not map to 0\n");
            ok = false;
        }
    if (!ok) return 1;

    FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(f,
                 "// Code-page tables of the native character map.  Generated, do not edit:\n"
                 "// tools/gen_charmap.cpp, built with x86_64-w64-mingw32-g++ and run under Wine\n"
                 "// (ANSI code page %u, OEM code page %u), prints this file.  The 1252 case\n"
                 "// tables come from CharUpperA/CharLowerA, the 437 tables from\n"
                 "// OemToCharBuffA/CharToOemBuffA, the 850 tables from the same conversion\n"
                 "// through Unicode (MultiByteToWideChar + WideCharToMultiByte, best fit).\n"
                 "// Included by charmap_native.cpp and by the unit test that compares the\n"
                 "// tables with the platform.\n"
                 "#pragma once\n\nnamespace tessel::charmap {\nnamespace tables {\n\n",
                 acp, oemcp);
    printTable(f, "kUpper1252", "ANSI 1252: CharUpperA", upper);
    printTable(f, "kLower1252", "ANSI 1252: CharLowerA", lower);
    printTable(f, "kOemToAnsi437", "OEM 437 -> ANSI 1252: OemToCharBuffA", oem437);
    printTable(f, "kAnsiToOem437", "ANSI 1252 -> OEM 437: CharToOemBuffA", ansi437);
    printTable(f, "kOemToAnsi850", "OEM 850 -> ANSI 1252", oem850);
    printTable(f, "kAnsiToOem850", "ANSI 1252 -> OEM 850", ansi850);
    std::fprintf(f, "}  // namespace tables\n}  // namespace tessel::charmap\n");
    std::fclose(f);
    std::fprintf(stderr, "written %s\n", argv[1]);
    return 0;
}
