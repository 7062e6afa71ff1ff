#include <doctest/doctest.h>

#include <string>

#include "textops/textblocks.h"

using namespace tessel::textblocks;

namespace {
std::string record(unsigned length, const std::string& nameField, const std::string& text) {
    std::string r;
    r.push_back(static_cast<char>(length & 0xFF));
    r.push_back(static_cast<char>(length >> 8));
    return r + nameField + text;
}
std::string padded(const std::string& name) { return name + std::string(24 - name.size(), '\0'); }
}  // namespace

TEST_CASE("the proposed name: from the first letter on, letters and blanks, at most 23") {
    CHECK(deriveName("123 Hallo Welt!") == "Hallo Welt");
    CHECK(deriveName("4711") == "NEUER EINTRAG");
    CHECK(deriveName("Gr\xF6\xDF" "e") == "Gre");
    CHECK(deriveName("") == "NEUER EINTRAG");
    CHECK(deriveName("\r\n\t  (defun c:x)") == "defun cx");
    // Only the first 24 bytes are looked at.
    CHECK(deriveName(std::string(23, '1') + "abc") == "a");
    CHECK(deriveName(std::string(40, 'w')) == std::string(23, 'w'));
    CHECK(deriveName("Zeile eins\r\nZeile zwei und mehr") == "Zeile einsZeile zwei u");
}

TEST_CASE("a record is the length, the zero-padded name field and the text") {
    const std::string bytes = encodeBlock({"X", "abc"});
    CHECK(bytes.size() == 29);
    CHECK(bytes == record(0x1B, padded("X"), "abc"));
    // A name longer than 23 characters keeps its first 23 and a NUL.
    const std::string longName = encodeBlock({std::string(24, 'N'), ""});
    CHECK(longName == record(24, std::string(23, 'N') + '\0', ""));
    CHECK(storedName(std::string("ab\0cd", 5)) == "ab");
}

TEST_CASE("files read back as they were written, in table order") {
    Table table(std::vector<Block>{{"eins", "1"}, {"zwei", "2\r\nzwei"}, {"drei", std::string(30000, 'd')}});
    CHECK_FALSE(table.modified());
    CHECK(table.add({"vier", "4"}));
    CHECK(table.remove(1));
    CHECK_FALSE(table.remove(1));           // already gone
    CHECK_FALSE(table.remove(99));
    CHECK(table.slotsUsed() == 4);          // the empty slot still counts
    const auto blocks = readBlocks(table.fileBytes());
    REQUIRE(blocks.size() == 3);
    CHECK(blocks[0].name == "eins");
    CHECK(blocks[1].name == "drei");
    CHECK(blocks[1].text.size() == 30000);
    CHECK(blocks[2].name == "vier");

    Table emptied(std::vector<Block>{{"a", "x"}});
    CHECK(emptied.remove(0));
    CHECK(emptied.modified());
    CHECK(emptied.fileBytes().empty());     // deleting every block leaves an empty file
}

TEST_CASE("256 slots are the most; the 257th is refused") {
    std::vector<Block> many;
    for (int i = 0; i < 300; ++i) many.push_back({std::string(23, static_cast<char>('A' + i % 26)), "t"});
    Table table(many);
    CHECK(table.slotsUsed() == 256);
    CHECK(table.full());
    CHECK_FALSE(table.add({"neu", "x"}));
    CHECK_FALSE(table.modified());
    std::string file;
    for (const Block& b : many) file += encodeBlock(b);
    const auto read = readBlocks(file);
    CHECK(read.size() == 256);
    CHECK(read[255].name == std::string(23, static_cast<char>('A' + 255 % 26)));
}

TEST_CASE("damaged files: reading stops at the last whole record") {
    const std::string good = record(27, padded("gut"), "abc");
    CHECK(readBlocks("").empty());
    CHECK(readBlocks("\x1B").empty());                                      // inside the length
    CHECK(readBlocks(good + "\x05").size() == 1);
    CHECK(readBlocks(good + record(40, padded("kurz"), "nur")).size() == 1); // runs past the end
    CHECK(readBlocks(good + record(10, "0123456789", "") + good).size() == 1);   // below 24
    CHECK(readBlocks(std::string(1000, '\0')).empty());                      // all zeros: length 0
    // A name field without NUL gives 23 characters.
    const auto noNul = readBlocks(record(26, std::string(24, 'Q'), "zz"));
    REQUIRE(noNul.size() == 1);
    CHECK(noNul[0].name == std::string(23, 'Q'));
    CHECK(noNul[0].text == "zz");
    // Bytes after the name's NUL carry no meaning.
    const auto junk = readBlocks(record(24, std::string("ab\0XYZ", 6) + std::string(18, 'j'), ""));
    REQUIRE(junk.size() == 1);
    CHECK(junk[0].name == "ab");
    CHECK(junk[0].text.empty());
}

TEST_CASE("a text too long for the 16-bit length is cut, never wrapped around") {
    Table table;
    CHECK(table.add({"lang", std::string(70000, 'l')}));
    const std::string bytes = table.fileBytes();
    CHECK(bytes.size() == 2 + 0xFFFF);
    const auto read = readBlocks(bytes);
    REQUIRE(read.size() == 1);
    CHECK(read[0].text.size() == kMaxText);
}

TEST_CASE("the preview shows the first 4096 bytes and never half a line break") {
    CHECK(previewOf("kurz") == "kurz");
    CHECK(previewOf(std::string(5000, 'p')).size() == 4096);
    const std::string broken = std::string(4095, 'p') + "\r\nmehr";
    CHECK(previewOf(broken) == std::string(4095, 'p'));
    CHECK(previewOf(std::string(4096, 'p')).size() == 4096);
}
