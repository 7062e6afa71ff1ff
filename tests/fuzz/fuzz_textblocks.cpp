// The text-block reader takes the ATX file beside the program as it is.
// Checked against a separate walk over the records; the table is then driven
// by the input (add, remove) and must write what a list of the remaining
// blocks predicts; the name proposal and the preview follow their rules.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/check.h"
#include "textops/textblocks.h"

using namespace tessel::textblocks;

namespace {

struct Expected {
    std::string name, text;
};

std::vector<Expected> walk(std::string_view bytes)
{
    std::vector<Expected> out;
    const auto byteAt = [&](std::size_t i) { return static_cast<std::size_t>(static_cast<std::uint8_t>(bytes[i])); };
    std::size_t at = 0;
    while (out.size() < kMaxBlocks && at + 2 <= bytes.size()) {
        const std::size_t length = byteAt(at) + 256 * byteAt(at + 1);
        if (length < 24 || at + 2 + length > bytes.size()) break;
        std::string name;
        for (std::size_t i = 0; i < 23 && bytes[at + 2 + i] != '\0'; ++i) name += bytes[at + 2 + i];
        out.push_back({name, std::string(bytes.substr(at + 26, length - 24))});
        at += 2 + length;
    }
    return out;
}

std::string record(const Expected& e)
{
    std::string r;
    const std::size_t length = 24 + e.text.size();
    r += static_cast<char>(length % 256);
    r += static_cast<char>(length / 256);
    r += e.name;
    r.resize(2 + 24, '\0');
    return r + e.text;
}

bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string proposedName(std::string_view s)
{
    s = s.substr(0, 24);
    std::size_t first = 0;
    while (first < s.size() && !letter(s[first])) ++first;
    std::string name;
    for (std::size_t i = first; i < s.size(); ++i)
        if ((letter(s[i]) || s[i] == ' ') && name.size() < 23) name += s[i];
    return name.empty() ? "NEUER EINTRAG" : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto blocks = readBlocks(bytes);
    std::vector<Expected> model = walk(bytes);
    REQUIRE(blocks.size() == model.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
        REQUIRE(blocks[i].name == model[i].name && blocks[i].text == model[i].text);

    // Drive the table with the input's bytes: even bytes remove a slot, odd
    // ones add a block named by the byte; the model keeps the slots as a list
    // where a removed block is marked.
    Table table(blocks);
    std::vector<bool> alive(model.size(), true);
    for (std::size_t i = 0; i < size && i < 64; ++i) {
        const std::uint8_t b = data[i];
        if (b % 2 == 0) {
            const std::size_t slot = b % (alive.size() + 1);
            const bool expected = slot < alive.size() && alive[slot];
            REQUIRE(table.remove(slot) == expected);
            if (expected) alive[slot] = false;
        } else {
            std::string name(b % 40, static_cast<char>('A' + b % 26));
            if (b % 3 == 0 && !name.empty()) name[name.size() / 2] = '\0';
            const bool expected = alive.size() < kMaxBlocks;
            REQUIRE(table.add({name, std::string(b, 'x')}) == expected);
            if (expected) {
                model.push_back({name.substr(0, std::min<std::size_t>(name.find('\0'), 23)), std::string(b, 'x')});
                alive.push_back(true);
            }
        }
    }
    std::string written;
    for (std::size_t i = 0; i < model.size(); ++i)
        if (alive[i]) written += record(model[i]);
    REQUIRE(table.fileBytes() == written);
    REQUIRE(table.slotsUsed() == alive.size());

    REQUIRE(deriveName(bytes) == proposedName(bytes));
    const std::string_view preview = previewOf(bytes);
    if (size <= kMaxPreview) {
        REQUIRE(preview == bytes);
    } else {
        const bool cutsLineBreak = bytes[kMaxPreview - 1] == '\r';
        REQUIRE(preview == bytes.substr(0, kMaxPreview - (cutsLineBreak ? 1 : 0)));
    }
    return 0;
}
