#include "textops/textblocks.h"

#include <algorithm>
#include <utility>

namespace tessel::textblocks {
namespace {

bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string deriveName(std::string_view selection) {
    const std::string_view head = selection.substr(0, kNameField);
    std::string name;
    bool started = false;
    for (const char ch : head) {
        const auto c = static_cast<unsigned char>(ch);
        if (!started && !isAsciiLetter(c)) continue;
        started = true;
        if ((isAsciiLetter(c) || c == ' ') && name.size() < kMaxName) name.push_back(ch);
    }
    return name.empty() ? std::string(kDefaultName) : name;
}

std::string_view previewOf(std::string_view text) {
    if (text.size() <= kMaxPreview) return text;
    text = text.substr(0, kMaxPreview);
    if (text.back() == '\r') text.remove_suffix(1);
    return text;
}

std::string storedName(std::string_view typed) {
    const std::size_t nul = typed.find('\0');
    if (nul != std::string_view::npos) typed = typed.substr(0, nul);
    return std::string(typed.substr(0, kMaxName));
}

std::vector<Block> readBlocks(std::string_view bytes) {
    std::vector<Block> blocks;
    std::size_t at = 0;
    while (blocks.size() < kMaxBlocks && bytes.size() - at >= 2) {
        const std::size_t length =
            static_cast<unsigned char>(bytes[at]) | (static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
        at += 2;
        // A record shorter than its name field, or one the file cannot hold,
        // is no record: what follows it cannot be trusted either.
        if (length < kNameField || bytes.size() - at < length) break;
        Block block;
        block.name = storedName(bytes.substr(at, kNameField));
        block.text = std::string(bytes.substr(at + kNameField, length - kNameField));
        blocks.push_back(std::move(block));
        at += length;
    }
    return blocks;
}

std::string encodeBlock(const Block& block) {
    const std::string name = storedName(block.name);
    const std::size_t textLength = std::min(block.text.size(), kMaxText);
    const std::size_t length = kNameField + textLength;
    std::string record;
    record.reserve(2 + length);
    record.push_back(static_cast<char>(length & 0xFF));
    record.push_back(static_cast<char>((length >> 8) & 0xFF));
    record.append(name);
    record.append(kNameField - name.size(), '\0');
    record.append(block.text, 0, textLength);
    return record;
}

Table::Table(std::vector<Block> loaded, bool unsaved) : modified_(unsaved) {
    if (loaded.size() > kMaxBlocks) loaded.resize(kMaxBlocks);
    slots_.reserve(loaded.size());
    for (Block& block : loaded) slots_.emplace_back(std::move(block));
}

bool Table::add(Block block) {
    if (full()) return false;
    block.name = storedName(block.name);
    if (block.text.size() > kMaxText) block.text.resize(kMaxText);
    slots_.emplace_back(std::move(block));
    modified_ = true;
    return true;
}

bool Table::remove(std::size_t index) {
    if (index >= slots_.size() || !slots_[index]) return false;
    slots_[index].reset();
    modified_ = true;
    return true;
}

const Block* Table::at(std::size_t index) const {
    if (index >= slots_.size() || !slots_[index]) return nullptr;
    return &*slots_[index];
}

std::string Table::fileBytes() const {
    std::string bytes;
    for (const auto& slot : slots_)
        if (slot) bytes += encodeBlock(*slot);
    return bytes;
}

std::vector<Block> Table::blocks() const {
    std::vector<Block> out;
    for (const auto& slot : slots_)
        if (slot) out.push_back(*slot);
    return out;
}

}  // namespace tessel::textblocks
