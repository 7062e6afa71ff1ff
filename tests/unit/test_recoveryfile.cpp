// The recovery and backup file: what is written reads back, and no cut,
// changed or foreign file is ever taken for a text.
#include <doctest/doctest.h>

#include <string>
#include <vector>

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

// The file after `steps`, stopped `bytesOfLast` bytes into the last one.
std::string Applied(std::string file, const std::vector<WriteStep>& steps, std::size_t count, std::size_t bytesOfLast) {
    for (std::size_t n = 0; n < count; ++n) {
        const WriteStep& step = steps[n];
        if (step.bytes.empty()) {
            file.resize(step.offset);
            continue;
        }
        const std::size_t take = n + 1 == count ? bytesOfLast : step.bytes.size();
        if (file.size() < step.offset + take) file.resize(step.offset + take);
        file.replace(step.offset, take, step.bytes, 0, take);
    }
    return file;
}

TEST_CASE("a recovery file rewritten in place holds the old or the new record wherever the writer stops") {
    Record a, b, c, d;
    a.text = "erster Stand\r\n";
    b.path = "C:\\A.TXT";
    b.text = "k";   // shorter
    c.text = std::string(300, 'x') + "\r\nl\xE4nger";
    d.text = std::string(c.text.size(), 'y');   // as long
    std::string file;
    const Record* before = nullptr;
    for (const Record* next : {&a, &b, &c, &d, &a}) {
        const std::string record = Encode(*next);
        const std::vector<WriteStep> steps = RewriteSteps(file.size(), record);
        for (std::size_t count = 0; count <= steps.size(); ++count) {
            const std::size_t last = count ? steps[count - 1].bytes.size() : 0;
            for (std::size_t into = 0; into <= last; into += (into < 24 || into + 24 > last) ? 1 : 7) {
                Record out;
                const std::string stopped = Applied(file, steps, count, into);
                const ReadResult r = DecodeRewritten(stopped, out);
                if (!before && r != ReadResult::kRead) continue;   // nothing written yet
                REQUIRE(r == ReadResult::kRead);
                const bool isNew = out.text == next->text && out.path == next->path;
                const bool isOld = before && out.text == before->text && out.path == before->path;
                CHECK((isNew || isOld));
                if (count == steps.size() && into == last) CHECK(isNew);
                if (!last) break;
            }
        }
        file = Applied(file, steps, steps.size(), steps.back().bytes.size());
        CHECK(file == record);   // nothing stays behind a finished rewrite
        before = next;
    }
    // A file longer than any record (nothing of ours) is cut first.
    const std::vector<WriteStep> steps = RewriteSteps(kMaxFileSize + 1, Encode(a));
    CHECK(steps.front().offset == 0);
    CHECK(steps.front().bytes.empty());

    Record out;
    CHECK(DecodeRewritten("", out) == ReadResult::kDamaged);
    CHECK(DecodeRewritten("[WINDOWSIZE]\r\nXPOS=1\r\n", out) == ReadResult::kForeign);
    // The leftovers of a longer record behind a shorter one are ignored.
    CHECK(DecodeRewritten(Encode(b) + Encode(c).substr(Encode(b).size()), out) == ReadResult::kRead);
    CHECK(out.text == b.text);
}

TEST_CASE("CRC-32 is the standard one") {
    CHECK(Crc32("123456789") == 0xCBF43926u);
    CHECK(Crc32("") == 0u);
}
