// The settings file read once into memory gives, key by key, what the
// platform's private-profile reader gives for the same bytes; under Wine every
// case is also put to the platform itself.
#include "core/inifile.h"

#include <doctest/doctest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tessel;

namespace {

struct Case {
    const char* file;
    const char* section;
    const char* key;
    unsigned capacity;
    const char* fallback;
    const char* text;  // the string read
    unsigned number;   // the integer read, fallback 77
};

constexpr Case kCases[] = {
    {"[A]\r\nK=v\r\n", "A", "K", 256, "", "v", 0},
    {"[a]\r\nk=12\r\n", "A", "K", 256, "", "12", 12},                    // names without case
    {"  [A]  \r\n  K  =  v w  \r\n", "A", "K", 256, "", "v w", 0},        // blanks around
    {"[A]\nK\t=\t-1\x1A\r\r\n", "A", "K", 256, "", "-1", 0xFFFFFFFFu},    // LF only, tabs, ^Z
    {"[A]\r\nK=\r\n", "A", "K", 256, "f", "", 77},                        // empty: "" but the int fallback
    {"[A]\r\nK\r\n", "A", "K", 256, "f", "f", 77},                        // no '=': missing
    {"[A]\r\nJ=1\r\n", "A", "K", 256, "fb  ", "fb", 77},                  // fallback loses trailing spaces
    {"K=1\r\n[A]\r\n", "A", "K", 256, "", "", 77},                        // before any section
    {"[A]\r\n[B]\r\nK=1\r\n[A]\r\nK=2\r\n", "A", "K", 256, "", "", 77},   // first section only
    {"[A]\r\nK=1\r\nK=2\r\n", "A", "K", 256, "", "1", 1},                 // first key
    {"[A]x]\r\nK=1\r\n", "A]X", "K", 256, "", "1", 1},                    // last ']' ends the name
    {"[A\r\nK=1\r\n", "A", "K", 256, "", "", 77},                         // no ']': a key line
    {"[]\r\nK=1\r\n", "", "K", 256, "", "", 77},
    {"[A]\r\nK=\"q u\"\r\n", "A", "K", 256, "", "q u", 0},                // quotes go
    {"[A]\r\nK='x\"\r\n", "A", "K", 256, "", "'x\"", 0},                  // unless they pair
    {"[A]\r\nK=\"\r\n", "A", "K", 256, "", "\"", 0},
    {"[A]\r\nK=\"abc\"\r\n", "A", "K", 4, "", "ab", 0},                   // the platform's cut
    {"[A]\r\nK=\"abc\"\r\n", "A", "K", 3, "", "ab", 0},
    {"[A]\r\nK=abcdef\r\n", "A", "K", 4, "", "abc", 0},
    {"[A]\r\nK=0x80000000\r\n", "A", "K", 256, "", "0x80000000", 0x80000000u},
    {"[A]\r\nK=0X10\r\n", "A", "K", 256, "", "0X10", 0},
    {"[A]\r\nK=0b101z\r\n", "A", "K", 256, "", "0b101z", 5},
    {"[A]\r\nK= +0o17\r\n", "A", "K", 256, "", "+0o17", 15},
    {"[A]\r\nK=12abc\r\n", "A", "K", 256, "", "12abc", 12},
    {"[A]\r\nK=garbage\r\n", "A", "K", 256, "", "garbage", 0},
    {"[A]\r\nK=99999999999\r\n", "A", "K", 256, "", "99999999999", 1215752191u},
    {"[A]\r\nK=\"7\"\r\n", "A", "K", 256, "", "7", 7},
    {"[A]\r\nK=1234567890123456789012345678901\r\n", "A", "K", 256, "",
     "1234567890123456789012345678901", 1849262357u},                     // the int reads 29 characters
    {"[A]\r\nK=a\xA0\r\n", "A", "K", 256, "", "a\xA0", 0},                // no blank: the no-break space
    {"[A]\rK=1\r[ B ]\rJ=2", " b ", " j ", 256, "", "2", 2},              // CR alone ends a line; names trimmed
    {"[A]\r\nK=\xE4\xF6\xFC\r\n", "A", "K", 256, "", "\xE4\xF6\xFC", 0},
};

#ifdef _WIN32
std::string TempIni(const std::string& bytes) {
    static int counter;
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "inifile-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++counter) + ".ini";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return path;
}

std::string PlatformString(const std::string& path, const char* section, const char* key, unsigned capacity,
                           const char* fallback) {
    std::string buffer(capacity, '\0');
    const DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), capacity, path.c_str());
    buffer.resize(n);
    return buffer;
}
#endif

}  // namespace

TEST_CASE("the settings file in memory reads as the platform reads it") {
    for (const Case& c : kCases) {
        CAPTURE(c.file);
        CAPTURE(c.capacity);
        const inifile::File file = inifile::parse(c.file);
        CHECK(inifile::readString(file, c.section, c.key, c.capacity, c.fallback) == c.text);
        CHECK(inifile::readInt(file, c.section, c.key, 77) == c.number);
#ifdef _WIN32
        const std::string path = TempIni(c.file);
        CHECK(PlatformString(path, c.section, c.key, c.capacity, c.fallback) == c.text);
        CHECK(GetPrivateProfileIntA(c.section, c.key, 77, path.c_str()) == c.number);
        DeleteFileA(path.c_str());
#endif
    }
    CHECK(inifile::asReadBack("  C:\\A B\\ ") == "C:\\A B\\");
    CHECK(inifile::asReadBack("\"x\"") == "x");
    CHECK(inifile::needsPlatformReader("\xEF\xBB\xBF[A]"));
    CHECK(inifile::needsPlatformReader("\xFF\xFE["));
    CHECK_FALSE(inifile::needsPlatformReader("[A]"));
}

#ifdef _WIN32
TEST_CASE("every byte around names and values is a blank to both readers or to neither") {
    for (int b = 1; b < 256; ++b) {
        if (b == '\n' || b == '=' || b == '[' || b == ']' || b == '"' || b == '\'') continue;
        const std::string c(1, static_cast<char>(b));
        const std::string bytes = c + "[A]" + c + "\r\n" + c + "K" + c + "=" + c + "v" + c + "\r\n";
        CAPTURE(b);
        const std::string path = TempIni(bytes);
        const inifile::File file = inifile::parse(bytes);
        const std::string section = "A" + c, key = "K" + c;
        for (const std::string& k : {std::string("K"), key})
            CHECK(inifile::readString(file, "A", k, 256, "-") == PlatformString(path, "A", k.c_str(), 256, "-"));
        CHECK(inifile::readString(file, section, key, 256, "-") ==
              PlatformString(path, section.c_str(), key.c_str(), 256, "-"));
        DeleteFileA(path.c_str());
    }
}
#endif
