// The recovery and backup file: what is written reads back, and no cut,
// changed or foreign file is ever taken for a text.
#include <doctest/doctest.h>

#include <string>

#include "core/recoveryfile.h"

using namespace tessel::recoveryfile;

TEST_CASE("a record reads back as written; every cut, every flipped byte and a foreign file are refused") {
    Record in;
    in.kind = Kind::kBackup;
    in.modified = false;
    in.path = "C:\\Briefe\\M\xDCLLER.TXT";
    in.text = "Zeile 1\r\n\xE4\xF6\xFC\r\n";
    const std::string bytes = Encode(in);
    CHECK(bytes.size() == kHeaderSize + in.path.size() + in.text.size() + 4);
    Record out;
    REQUIRE(Decode(bytes, out) == ReadResult::kRead);
    CHECK(out.kind == in.kind);
    CHECK(out.modified == in.modified);
    CHECK(out.path == in.path);
    CHECK(out.text == in.text);

    // Cut anywhere, from the empty file on (a write stopped right after the
    // file was made), it is ours and damaged, never somebody else's.
    for (std::size_t n = 0; n < bytes.size(); ++n) CHECK(Decode(bytes.substr(0, n), out) == ReadResult::kDamaged);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        CHECK(Decode(changed, out) != ReadResult::kRead);
    }
    CHECK(Decode(bytes + "x", out) == ReadResult::kDamaged);
    CHECK(Decode("[WINDOWSIZE]\r\nXPOS=1\r\n", out) == ReadResult::kForeign);
    // A transfer in text mode changes the line end of the magic.
    std::string mangled = bytes;
    mangled.replace(4, 2, "\n");
    CHECK(Decode(mangled, out) == ReadResult::kForeign);
}

TEST_CASE("an untitled, empty record and the largest one both read back; over-long parts are cut when written") {
    Record empty;
    Record out;
    REQUIRE(Decode(Encode(empty), out) == ReadResult::kRead);
    CHECK(out.path.empty());
    CHECK(out.text.empty());
    CHECK(out.modified);

    Record big;
    big.path = std::string(kMaxPath + 10, 'p');
    big.text = std::string(kMaxText + 10, 't');
    REQUIRE(Decode(Encode(big), out) == ReadResult::kRead);
    CHECK(out.path.size() == kMaxPath);
    CHECK(out.text.size() == kMaxText);
}

TEST_CASE("a rewritten recovery file stopped before it was cut still reads its new record") {
    Record longer;
    longer.text = "eine lange Zeile\r\nund noch eine\r\n";
    Record shorter;
    shorter.path = "C:\\A.TXT";
    shorter.text = "kurz";
    const std::string old = Encode(longer);
    std::string now = Encode(shorter);
    REQUIRE(now.size() < old.size());
    now += old.substr(now.size());   // written over the old one, not yet cut
    Record out;
    CHECK(Decode(now, out) == ReadResult::kDamaged);
    REQUIRE(DecodeRewritten(now, out) == ReadResult::kRead);
    CHECK(out.path == shorter.path);
    CHECK(out.text == shorter.text);
    // Stopped in the middle of the write: the new record is not whole.
    std::string half = old;
    half.replace(0, 30, Encode(shorter).substr(0, 30));
    CHECK(DecodeRewritten(half, out) == ReadResult::kDamaged);
    CHECK(DecodeRewritten("", out) == ReadResult::kDamaged);
    CHECK(DecodeRewritten("[WINDOWSIZE]\r\nXPOS=1\r\n", out) == ReadResult::kForeign);
}

TEST_CASE("CRC-32 is the standard one") {
    CHECK(Crc32("123456789") == 0xCBF43926u);
    CHECK(Crc32("") == 0u);
}
