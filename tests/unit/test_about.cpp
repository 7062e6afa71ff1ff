#include <doctest/doctest.h>

#include <string>

#include "ui/about.h"

namespace about = tessel::about;

TEST_CASE("the platform line names NT 4, the 9x family and later systems") {
    CHECK(about::platformLine(4, 2, "Service Pack 6") == ":  Windows NT Service Pack 6");
    CHECK(about::platformLine(4, 1, "") == ":  Windows 95 ");        // Windows 98 is major 4, platform 1 too
    CHECK(about::platformLine(4, 1, " A ") == ":  Windows 95  A ");
    CHECK(about::platformLine(5, 2, "Service Pack 4") == ":  Windows Service Pack 4");  // 2000
    CHECK(about::platformLine(10, 2, "") == ":  Windows ");
    CHECK(about::platformName(4, 0) == "");
    CHECK(about::platformName(3, 0) == "Windows 32s");
    // A service-pack text of the full 127 characters is kept whole.
    const std::string longPack(127, 'x');
    CHECK(about::platformLine(5, 2, longPack) == ":  Windows " + longPack);
}

TEST_CASE("the system lines are formatted with their fixed widths") {
    CHECK(about::windowsVersionLine(5, 1, 2600) == ":  5.01.2600");
    CHECK(about::windowsVersionLine(10, 0, 19045) == ":  10.00.19045");
    CHECK(about::windowsVersionLine(4, 10, 0x0A0A0000 | 1998) == ":  4.10.1998");  // 9x keeps version bits high
    CHECK(about::screenLine(1024, 768, 32) == ":  1024 x 768 x 32");
    CHECK(about::memoryLine(512ull << 20) == ":  524288 KB");
    CHECK(about::memoryLine(16ull << 30) == ":  16777216 KB");  // above 4 GB
    CHECK(about::freeLine(37) == ":  63 % frei");
    CHECK(about::freeLine(250) == ":  0 % frei");
    CHECK(about::versionLine("1.0.0") == "Version : 1.0.0");
    CHECK(about::versionLine("") == "Version : ");
}

TEST_CASE("registry values end at their returned size; the launcher tries the file, then the directory") {
    const char unterminated[4] = {'C', ':', '\\', 'X'};
    CHECK(about::registryString(unterminated, 4) == "C:\\X");
    CHECK(about::registryString("C:\\A\0junk", 10) == "C:\\A");
    CHECK(about::registryString("abc", 0) == "");
    CHECK(about::registryString(nullptr, 5) == "");

    auto list = about::candidates("C:\\Programme\\Tools");
    REQUIRE(list.size() == 2);
    CHECK(list[0] == "C:\\Programme\\Tools");
    CHECK(list[1] == "C:\\Programme\\Tools\\MSINFO32.EXE");
    CHECK(about::candidates("C:\\Tools\\")[1] == "C:\\Tools\\MSINFO32.EXE");
    CHECK(about::candidates("").empty());
    // The value and the appended name must fit a 512-character path.
    CHECK(about::candidates(std::string(498, 'a')).size() == 2);
    CHECK(about::candidates(std::string(499, 'a')).empty());

    CHECK(about::commandLine("C:\\WIN\\MSINFO32.EXE") == "C:\\WIN\\MSINFO32.EXE");
    CHECK(about::commandLine("C:\\Program Files\\MSINFO32.EXE") == "\"C:\\Program Files\\MSINFO32.EXE\"");
}
