// Text blocks: named pieces of text kept in the text-block file beside the
// program. The file is a plain sequence of records without header:
//
//   2 bytes   length L, little-endian: 24 + text length
//   24 bytes  the name, NUL-terminated, zero-padded
//   L - 24    the text, without terminator
//
// Pure: the file's bytes in, the table and the file's bytes out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::textblocks {

constexpr std::size_t kMaxBlocks = 256;
constexpr std::size_t kNameField = 24;
constexpr std::size_t kMaxName = kNameField - 1;              // 23 characters and the NUL
constexpr std::size_t kMaxText = 0xFFFF - kNameField;         // what a 16-bit length can carry
constexpr char kDefaultName[] = "NEUER EINTRAG";
constexpr std::size_t kMaxPreview = 4096;

// What the preview shows of a text: its first 4096 bytes, never half a line
// break.
std::string_view previewOf(std::string_view text);

struct Block {
    std::string name;   // at most 23 characters
    std::string text;   // at most kMaxText bytes
};

// The name proposed for a selection, from its first 24 bytes: everything up
// to the first ASCII letter is skipped, then ASCII letters and blanks are kept
// (digits, punctuation, line breaks and bytes above 127 dropped), at most 23
// of them; "NEUER EINTRAG" when none is left.
std::string deriveName(std::string_view selection);

// The name as stored: cut at 23 characters and at an embedded NUL.
std::string storedName(std::string_view typed);

// Reads the records of a text-block file, at most 256. Reading stops at the
// first record that is not whole: a file ending inside the length field or
// inside the record, or a length below 24. A name field without NUL gives its
// first 23 bytes.
std::vector<Block> readBlocks(std::string_view bytes);

// One record's bytes; a text longer than kMaxText is cut there.
std::string encodeBlock(const Block& block);

// The table the dialog works on: the blocks loaded or added since it opened.
// A deleted block leaves an empty slot, and the slots used count against the
// 256, as they do until the file is written again.
class Table {
public:
    // `unsaved`: the blocks differ from the file, so closing writes them.
    explicit Table(std::vector<Block> loaded = {}, bool unsaved = false);

    // Appends a block; false (and nothing changes) when 256 slots are used.
    bool add(Block block);
    // Empties slot `index`; false when there is no block there.
    bool remove(std::size_t index);

    const Block* at(std::size_t index) const;
    std::size_t slotsUsed() const { return slots_.size(); }
    bool full() const { return slots_.size() >= kMaxBlocks; }
    bool modified() const { return modified_; }

    // The file's bytes: the remaining blocks in table order.
    std::string fileBytes() const;
    // The remaining blocks in table order.
    std::vector<Block> blocks() const;

private:
    std::vector<std::optional<Block>> slots_;
    bool modified_ = false;
};

}  // namespace tessel::textblocks
