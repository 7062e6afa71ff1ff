#include <doctest/doctest.h>

#include <string>

#include "core/paths.h"
#include "document/filetypes.h"

using tessel::paths::directoryOf;
using tessel::paths::readHexColour;
using tessel::paths::replaceExtension;

namespace {

std::string replaced(const std::string& path, const char* extension)
{
    const auto result = replaceExtension(path, extension);
    REQUIRE(result.has_value());
    return *result;
}

}  // namespace

TEST_CASE("extension replacement keeps drive, directory and base name")
{
    CHECK(replaced("C:\\TOOLS\\PROG.EXE", "INI") == "C:\\TOOLS\\PROG.INI");
    CHECK(replaced("D:\\TOOLS\\TESSEL32.EXE", "ATX") == "D:\\TOOLS\\TESSEL32.ATX");
    CHECK(replaced("C:\\LISP\\TEST.LSP", "BI4") == "C:\\LISP\\TEST.BI4");
    // No dot at all: the extension is appended.
    CHECK(replaced("C:\\TOOLS\\README", "ATX") == "C:\\TOOLS\\README.ATX");
    // A dot five or more characters from the end is part of the base name.
    CHECK(replaced("C:\\X\\NOTES.HTML", "INI") == "C:\\X\\NOTES.HTML.INI");
    // The leftmost dot among the last four characters starts the extension.
    CHECK(replaced("C:\\X\\A.B.C", "INI") == "C:\\X\\A.INI");
    CHECK(replaced("C:\\X\\FILE.", "INI") == "C:\\X\\FILE.INI");
    CHECK(replaced("C:\\X\\F.TX", "INI") == "C:\\X\\F.INI");
}

TEST_CASE("extension replacement of short and unusual paths")
{
    // Shorter than five characters: no extension, even with a dot.
    CHECK(replaced("A.TX", "INI") == "A.TX.INI");
    CHECK(replaced("C:AB", "INI") == "C:AB.INI");
    CHECK(replaced("", "BI4") == ".BI4");  // an untitled document
    // Exactly five characters: the dot counts.
    CHECK(replaced("AB.TX", "INI") == "AB.INI");
    // A colon at position 0 is no drive; the rest is directory and name.
    CHECK(replaced(":\\X.TXT", "INI") == ":\\X.INI");
    // The last colon among the first four characters ends the drive.
    CHECK(replaced("A:B:X.TXT", "INI") == "A:B:X.INI");
    // A drive-relative path.
    CHECK(replaced("C:PROG.EXE", "INI") == "C:PROG.INI");
    // UNC paths have no drive; the server and share are directory.
    CHECK(replaced("\\\\SERVER\\SHARE\\DIR\\PROG.EXE", "INI") ==
          "\\\\SERVER\\SHARE\\DIR\\PROG.INI");
    CHECK(replaced("\\\\SERVER\\SHARE\\README", "ATX") == "\\\\SERVER\\SHARE\\README.ATX");
}

TEST_CASE("a dot in a directory name is not an extension")
{
    CHECK(replaced("C:\\A.B\\C", "INI") == "C:\\A.B\\C.INI");
    CHECK(replaced("C:\\X.Y\\ZZ", "BI4") == "C:\\X.Y\\ZZ.BI4");
    CHECK(replaced("C:\\DIR.\\", "INI") == "C:\\DIR.\\.INI");
}

TEST_CASE("extension replacement refuses results that would not fit or would be cut")
{
    // 255 characters with an extension: the result has the same length.
    const std::string dir = "C:\\" + std::string(200, 'D') + "\\";
    const std::string fits = dir + std::string(255 - dir.size() - 4, 'N') + ".EXE";
    REQUIRE(fits.size() == 255);
    CHECK(replaced(fits, "INI").size() == 255);

    // 253 characters without an extension would grow to 257.
    const std::string noExt = dir + std::string(253 - dir.size(), 'N');
    CHECK_FALSE(replaceExtension(noExt, "INI").has_value());
    // 251 grows to exactly 255 and fits.
    const std::string noExt251 = dir + std::string(251 - dir.size(), 'N');
    CHECK(replaced(noExt251, "INI").size() == 255);

    // A base name of 128 characters is longer than its part; 127 passes.
    CHECK_FALSE(replaceExtension("C:\\" + std::string(128, 'B') + ".LSP", "BI4").has_value());
    CHECK(replaced("C:\\" + std::string(127, 'B') + ".LSP", "BI4") ==
          "C:\\" + std::string(127, 'B') + ".BI4");
    // An extension longer than 31 characters.
    CHECK_FALSE(replaceExtension("C:\\A.TXT", std::string(32, 'E')).has_value());
}

TEST_CASE("hexadecimal colour reader")
{
    CHECK(readHexColour("0x00FF8040") == 0x00FF8040u);
    CHECK(readHexColour("00FF8040") == 0x00FF8040u);
    CHECK(readHexColour("0X00ff8040") == 0x00FF8040u);
    CHECK(readHexColour("ff") == 255u);
    CHECK(readHexColour("") == 0u);
    CHECK(readHexColour("0x00FFFFFF") == 0x00FFFFFFu);
    CHECK(readHexColour("0xFFFFFFFF") == 0xFFFFFFFFu);
    // X ends the walk, whatever stands before it.
    CHECK(readHexColour("zzx1F") == 0x1Fu);
    CHECK(readHexColour("x") == 0u);
    // Any other character gives 0: blanks among the digits, a trailing
    // blank, a minus sign, letters beyond F.
    CHECK(readHexColour("00FF 8040") == 0u);
    CHECK(readHexColour("0x00FF8040 ") == 0u);
    CHECK(readHexColour("-1") == 0u);
    CHECK(readHexColour("0x00FG8040") == 0u);
}

TEST_CASE("hexadecimal colour reader cuts the text to 12 characters first")
{
    // 40 characters: only "1234567890AB" is read; the place values above
    // 16^7 vanish in 32 bits, so the last eight of those digits remain.
    const std::string forty = "1234567890ABCDEF1234567890ABCDEF12345678";
    REQUIRE(forty.size() == 40);
    CHECK(readHexColour(forty) == 0x567890ABu);
    // A valid colour followed by rubbish beyond the 12th character.
    CHECK(readHexColour("0x00FF8040  this is ignored") == 0u);  // blank at 11
    CHECK(readHexColour("0x0000FF8040garbage garbage") == 0x00FF8040u);
}

TEST_CASE("directory of a file path for PATHS")
{
    CHECK(directoryOf("C:\\TOOLS\\PROG.EXE") == "C:\\TOOLS\\");
    CHECK(directoryOf("C:\\PROG.EXE") == "C:\\");
    CHECK(directoryOf("\\\\SERVER\\SHARE\\F.TXT") == "\\\\SERVER\\SHARE\\");
    CHECK(directoryOf("C:\\TOOLS\\") == "C:\\TOOLS\\");
    // Without a backslash there is no directory (not the first character).
    CHECK(directoryOf("README.TXT") == "");
    CHECK(directoryOf("") == "");
    CHECK(tessel::filetypes::pathsKeyName(1) == std::string("Open"));
    CHECK(tessel::filetypes::pathsKeyName(2) == std::string("Save"));
    CHECK(tessel::filetypes::pathsKeyName(3) == nullptr);
    CHECK(tessel::filetypes::pathsKeyName(0) == nullptr);
}
