#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "document/filetypes.h"

using namespace tessel::filetypes;

namespace {

// Splits a double-NUL-terminated filter into its strings; fails the test if
// the filter is not properly terminated.
std::vector<std::string> filterItems(const std::string& filter)
{
    REQUIRE(filter.size() >= 2);
    REQUIRE(filter[filter.size() - 1] == '\0');
    REQUIRE(filter[filter.size() - 2] == '\0');
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < filter.size() - 1) {
        const std::size_t end = filter.find('\0', start);
        items.push_back(filter.substr(start, end - start));
        REQUIRE_FALSE(items.back().empty());  // no empty string before the end
        start = end + 1;
    }
    return items;
}

}  // namespace

TEST_CASE("the document filter lists the 19 file types in order, blanks as they are")
{
    const auto items = filterItems(documentFilter());
    REQUIRE(items.size() == 38u);
    CHECK(items[0] == "Alle Dateien (*.*)");
    CHECK(items[1] == "*.*");
    CHECK(items[8] == "Textdateien (*.txt)");
    CHECK(items[9] == "*.txt;*.txd");
    CHECK(items[22] == "AutoLisp Dateien (*.lsp)");
    CHECK(items[28] == "Basic Dateien   (*.bas)");
    CHECK(items[30] == "VB-Formulare    (*.frm)");
    CHECK(items[32] == "VB-Steuerelemente(*.ctl)");
    CHECK(items[34] == "JavaScript-Dateien(*.js)");
    CHECK(items[36] == "HTML-Dateien  (*.htm)");
    CHECK(items[37] == "*.htm;*.html");
    for (std::size_t i = 0; i < kDocumentTypes.size(); ++i) {
        CHECK(items[2 * i] == kDocumentTypes[i].description);
        CHECK(items[2 * i + 1] == kDocumentTypes[i].pattern);
    }
}

TEST_CASE("the program starter's filter")
{
    const auto items = filterItems(programFilter());
    CHECK(items == std::vector<std::string>{"Programmdatei (*.exe *.com *.bat)",
                                            "*.exe;*.com;*.bat", "Alle Dateien  (*.*)",
                                            "*.*"});
}

TEST_CASE("directory separator append")
{
    std::string path = "C:\\WINDOWS";
    CHECK(appendDirectorySeparator(path, 256) == 1);
    CHECK(path == "C:\\WINDOWS\\");
    CHECK(appendDirectorySeparator(path, 256) == 2);
    CHECK(path == "C:\\WINDOWS\\");

    std::string empty;
    CHECK(appendDirectorySeparator(empty, 256) == 1);
    CHECK(empty == "\\");

    // Room means size > length + 1: the backslash and the terminator.
    std::string full(254, 'd');
    CHECK(appendDirectorySeparator(full, 256) == 1);
    CHECK(full.size() == 255u);
    std::string noRoom(255, 'd');
    CHECK(appendDirectorySeparator(noRoom, 256) == 0);
    CHECK(noRoom == std::string(255, 'd'));
    std::string tiny;
    CHECK(appendDirectorySeparator(tiny, 1) == 0);
    CHECK(tiny.empty());
    // A path that ends with a backslash needs no room.
    std::string root = "C:\\";
    CHECK(appendDirectorySeparator(root, 0) == 2);
}
