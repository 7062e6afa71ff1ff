#include "core/recoveryfile.h"

#include <array>

namespace tessel::recoveryfile {
namespace {

constexpr char kMagic[8] = {'\x89', 'T', 'S', 'L', '\r', '\n', '\x1A', '\n'};
constexpr unsigned char kVersion = 1;

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t GetU32(std::string_view in, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = MakeTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (char ch : bytes) c = table[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string Encode(const Record& record) {
    const std::string_view path = std::string_view(record.path).substr(0, kMaxPath);
    const std::string_view text = std::string_view(record.text).substr(0, kMaxText);
    std::string out(kMagic, sizeof kMagic);
    out.reserve(kHeaderSize + path.size() + text.size() + 4);
    out.push_back(static_cast<char>(kVersion));
    out.push_back(static_cast<char>(record.kind));
    out.push_back(record.modified ? 1 : 0);
    out.push_back(0);
    PutU32(out, static_cast<std::uint32_t>(path.size()));
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(path);
    out.append(text);
    PutU32(out, Crc32(out));
    return out;
}

ReadResult Decode(std::string_view bytes, Record& out) {
    // A file cut off before or inside its magic (a write stopped right after
    // the file was made) is ours, damaged: it must not pass for somebody
    // else's file that merely has our name.
    const std::string_view magic(kMagic, sizeof kMagic);
    if (bytes.size() <= sizeof kMagic && magic.substr(0, bytes.size()) == bytes) return ReadResult::kDamaged;
    if (bytes.size() < sizeof kMagic + 1 || bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic) ||
        static_cast<unsigned char>(bytes[8]) != kVersion)
        return ReadResult::kForeign;
    if (bytes.size() < kHeaderSize + 4 || bytes.size() > kMaxFileSize) return ReadResult::kDamaged;
    const char kind = bytes[9];
    if (kind != static_cast<char>(Kind::kRecovery) && kind != static_cast<char>(Kind::kBackup))
        return ReadResult::kDamaged;
    const unsigned flags = static_cast<unsigned char>(bytes[10]);
    if ((flags & ~1u) != 0 || bytes[11] != 0) return ReadResult::kDamaged;
    const std::uint32_t pathLength = GetU32(bytes, 12);
    const std::uint32_t textLength = GetU32(bytes, 16);
    if (pathLength > kMaxPath || textLength > kMaxText) return ReadResult::kDamaged;
    if (bytes.size() != kHeaderSize + pathLength + textLength + 4) return ReadResult::kDamaged;
    const std::size_t body = kHeaderSize + pathLength + textLength;
    if (Crc32(bytes.substr(0, body)) != GetU32(bytes, body)) return ReadResult::kDamaged;
    const std::string_view path = bytes.substr(kHeaderSize, pathLength);
    const std::string_view text = bytes.substr(kHeaderSize + pathLength, textLength);
    if (path.find('\0') != std::string_view::npos || text.find('\0') != std::string_view::npos)
        return ReadResult::kDamaged;
    out.kind = static_cast<Kind>(kind);
    out.modified = (flags & 1) != 0;
    out.path.assign(path);
    out.text.assign(text);
    return ReadResult::kRead;
}

std::vector<WriteStep> RewriteSteps(std::size_t fileSize, const std::string& record) {
    if (fileSize == 0) return {{0, record}};
    if (fileSize > kMaxFileSize) return {{0, std::string()}, {0, record}};
    // The copy goes beyond where the new record will end, so writing the
    // record over the start never touches it.
    const std::size_t copyAt = fileSize > record.size() ? fileSize : record.size();
    return {{copyAt, record}, {0, record}, {record.size(), std::string()}};
}

namespace {

// The record starting at `at`, cut to the length its header gives.
ReadResult DecodeAt(std::string_view bytes, std::size_t at, Record& out) {
    std::string_view rest = bytes.substr(at);
    if (rest.size() >= kHeaderSize) {
        const std::uint64_t length = std::uint64_t{kHeaderSize} + GetU32(rest, 12) + GetU32(rest, 16) + 4;
        if (length < rest.size()) rest = rest.substr(0, static_cast<std::size_t>(length));
    }
    return Decode(rest, out);
}

}  // namespace

ReadResult DecodeRewritten(std::string_view bytes, Record& out) {
    // Each step leaves the newest whole record last. The writer leaves at
    // most two starts of a record; a text quoting the magic adds a few. A
    // file with many more is not ours, and is not read over and over.
    const std::string_view magic(kMagic, sizeof kMagic);
    std::size_t at = bytes.rfind(magic);
    for (int tries = 0; at != std::string_view::npos && tries < 16; ++tries) {
        if (DecodeAt(bytes, at, out) == ReadResult::kRead) return ReadResult::kRead;
        if (at == 0) break;
        at = bytes.rfind(magic, at - 1);
    }
    return DecodeAt(bytes, 0, out);
}

}  // namespace tessel::recoveryfile
