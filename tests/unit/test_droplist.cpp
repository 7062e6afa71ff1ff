#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "document/droplist.h"

using tessel::drop::buildDropList;

namespace {

// A drop of the given names that also records which names were asked for.
struct FakeDrop {
    std::vector<std::string> names;
    std::size_t asked = 0;

    tessel::drop::DropList build(std::size_t count)
    {
        return buildDropList(count, [this](std::size_t i) {
            ++asked;
            return i < names.size() ? names[i] : std::string("C:\\X" + std::to_string(i));
        });
    }
};

}  // namespace

TEST_CASE("dropped names become CR LF lines in drop order")
{
    FakeDrop drop{{"C:\\A.TXT", "C:\\PROGRAMME\\MIT BLANK.TXT", "D:\\Z"}};
    const auto list = drop.build(3);
    CHECK(list.listed);
    CHECK(list.text == "C:\\A.TXT\r\nC:\\PROGRAMME\\MIT BLANK.TXT\r\nD:\\Z\r\n");
    CHECK_FALSE(list.stoppedAfter.has_value());
}

TEST_CASE("no files or more than 2048 files give no list")
{
    FakeDrop none;
    CHECK_FALSE(none.build(0).listed);

    FakeDrop many;
    const auto list = many.build(2049);
    CHECK_FALSE(list.listed);
    CHECK(list.text.empty());
    CHECK(many.asked == 0);  // the names are not even fetched

    // Beyond 16 bits the count is not wrapped: 65537 files are too many too.
    FakeDrop wrapped;
    CHECK_FALSE(wrapped.build(65537).listed);

    // 2048 short names fit well below the soft limit.
    FakeDrop exactly;
    const auto full = exactly.build(2048);
    CHECK(full.listed);
    CHECK(exactly.asked == 2048);
    CHECK_FALSE(full.stoppedAfter.has_value());
}

TEST_CASE("the name that crosses 24500 characters is the last one, and its index is reported")
{
    // 98 names of 248 characters: each line is 250, so line 98 (index 97)
    // reaches 24500 exactly, which does not cross; index 98 crosses.
    FakeDrop drop;
    for (int i = 0; i < 200; ++i) drop.names.push_back(std::string(248, static_cast<char>('a' + i % 26)));
    const auto list = drop.build(200);
    CHECK(list.listed);
    REQUIRE(list.stoppedAfter.has_value());
    CHECK(*list.stoppedAfter == 98u);
    CHECK(list.text.size() == 99u * 250u);
    CHECK(drop.asked == 99u);
    // The crossing name and its CR LF stay in the list.
    CHECK(list.text.substr(list.text.size() - 250) == drop.names[98] + "\r\n");
}

TEST_CASE("the list always fits the 25000-byte buffer")
{
    // 96 lines of 255 and one of 19 characters: 24499, below the limit.
    FakeDrop drop;
    for (int i = 0; i < 96; ++i) drop.names.push_back(std::string(253, 'p'));
    drop.names.push_back(std::string(17, 'p'));
    drop.names.push_back(std::string(255, 'q'));  // crosses the limit
    drop.names.push_back("never");
    const auto list = drop.build(99);
    REQUIRE(list.stoppedAfter.has_value());
    CHECK(*list.stoppedAfter == 97u);
    CHECK(list.text.size() == 24499u + 257u);
    CHECK(list.text.size() < tessel::drop::kBufferSize);

    // A longer name is taken with its first 255 characters.
    drop.names[97] = std::string(5000, 'r');
    const auto cut = drop.build(99);
    CHECK(*cut.stoppedAfter == 97u);
    CHECK(cut.text.size() == 24499u + 257u);
    CHECK(cut.text.substr(24499) == std::string(255, 'r') + "\r\n");
}

TEST_CASE("the limit message names the index")
{
    CHECK(tessel::drop::limitMessage(98) ==
          "Die maximale Anzahl Dateien bzw. Größe der Textdatei wurde überschritten - "
          "Die Bearbeitung wird nach Datei Nummer 98 abgebrochen !");
}
