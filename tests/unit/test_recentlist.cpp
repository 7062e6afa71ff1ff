#include <doctest/doctest.h>

#include <string>

#include "document/recentlist.h"

using tessel::recent::enterRecentFile;
using tessel::recent::RecentList;

namespace {

void enter(RecentList& list, const char* path)
{
    std::string p = path;
    enterRecentFile(list, p);
}

}  // namespace

TEST_CASE("five different files: the third one drops out")
{
    RecentList list;
    enter(list, "A");
    CHECK(list == RecentList{"A", "", "", ""});
    enter(list, "B");
    CHECK(list == RecentList{"B", "A", "", ""});
    enter(list, "C");
    CHECK(list == RecentList{"C", "A", "B", ""});
    enter(list, "D");
    CHECK(list == RecentList{"D", "A", "B", "C"});
    enter(list, "E");
    CHECK(list == RecentList{"E", "D", "A", "B"});
}

TEST_CASE("reusing an entry swaps it with the first one")
{
    RecentList list{"A", "B", "C", "D"};
    enter(list, "C");
    CHECK(list == RecentList{"C", "B", "A", "D"});
    enter(list, "C");
    CHECK(list == RecentList{"C", "B", "A", "D"});
    enter(list, "D");
    CHECK(list == RecentList{"D", "B", "A", "C"});
}

TEST_CASE("an empty slot before the match is filled first, so the path appears twice")
{
    RecentList list{"A", "", "B", ""};
    enter(list, "B");
    CHECK(list == RecentList{"B", "A", "B", ""});
}

TEST_CASE("paths and slots are compared and stored in upper case")
{
    RecentList list{"c:\\texte\\brief.txt", "", "", ""};
    std::string path = "C:\\Texte\\Brief.txt";
    enterRecentFile(list, path);
    // The caller's path (the document path) turns upper case too.
    CHECK(path == "C:\\TEXTE\\BRIEF.TXT");
    CHECK(list == RecentList{"C:\\TEXTE\\BRIEF.TXT", "", "", ""});

    // Umlauts follow the ANSI upper case of code page 1252.
    std::string umlaut = "c:\\m\xFC" "ll.txt";
    enterRecentFile(list, umlaut);
    CHECK(umlaut == "C:\\M\xDC" "LL.TXT");
    CHECK(list[0] == "C:\\M\xDC" "LL.TXT");
    CHECK(list[1] == "C:\\TEXTE\\BRIEF.TXT");
}

TEST_CASE("an empty or over-long path changes nothing")
{
    RecentList list{"A", "", "B", ""};
    enter(list, "");
    CHECK(list == RecentList{"A", "", "B", ""});

    std::string tooLong(256, 'x');
    enterRecentFile(list, tooLong);
    CHECK(list == RecentList{"A", "", "B", ""});
    CHECK(tooLong == std::string(256, 'x'));

    std::string longest(255, 'x');
    enterRecentFile(list, longest);
    CHECK(list[0] == std::string(255, 'X'));
    CHECK(list[1] == "A");
}

TEST_CASE("slot values read from the settings file")
{
    using tessel::recent::slotFromSetting;
    CHECK(slotFromSetting("C:\\A.TXT") == "C:\\A.TXT");
    CHECK(slotFromSetting("") == "");
    CHECK(slotFromSetting(std::string(300, 'p')) == std::string(254, 'p'));
    CHECK(slotFromSetting(std::string(254, 'p')) == std::string(254, 'p'));
    CHECK(slotFromSetting(std::string("C:\\A\0junk", 9)) == "C:\\A");
    // Whatever garbage a value holds, the list stays usable.
    RecentList list{slotFromSetting(std::string(999, '#')), "", "", ""};
    enter(list, "c:\\new.txt");
    CHECK(list[0] == "C:\\NEW.TXT");
    CHECK(list[1] == std::string(254, '#'));
}

TEST_CASE("reopen bookkeeping: commands, keys and emptied slots")
{
    using namespace tessel::recent;
    CHECK(slotForCommand(140) == 0u);
    CHECK(slotForCommand(143) == 3u);
    CHECK_FALSE(slotForCommand(139).has_value());
    CHECK_FALSE(slotForCommand(144).has_value());
    CHECK(std::string(keyName(0)) == "FILE0");
    CHECK(std::string(keyName(3)) == "FILE3");
    CHECK(keyName(4) == nullptr);

    RecentList list{"A", "B", "C", "D"};
    forgetSlot(list, 1);
    CHECK(list == RecentList{"A", "", "C", "D"});
    forgetSlot(list, 7);
    CHECK(list == RecentList{"A", "", "C", "D"});
    CHECK(hasEntries(list));
    // The gap is filled by the next new file, which then swaps to the front.
    enter(list, "E");
    CHECK(list == RecentList{"E", "A", "C", "D"});
    CHECK_FALSE(hasEntries(RecentList{}));
}
