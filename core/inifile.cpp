#include "core/inifile.h"

#include <algorithm>
#include <cstdint>

namespace tessel::inifile {
namespace {

// The blanks of the platform's reader: tab to CR, ^Z and the space.
bool isBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && isBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Names and values are C strings to the platform: a NUL ends them.
std::string cString(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The reader's copy: one pair of enclosing quotes goes, but only when the
// whole quoted value fits the buffer; then the copy is cut to capacity - 1.
std::string copyEntry(std::string_view value, std::size_t capacity) {
    if (capacity == 0) return {};
    char quote = 0;
    if (!value.empty() && (value.front() == '\'' || value.front() == '"') && value.size() > 1 &&
        value.back() == value.front()) {
        quote = value.front();
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, capacity - 1));
    if (quote && capacity >= value.size() && !out.empty()) out.pop_back();
    return out;
}

}  // namespace

File parse(std::string_view bytes) {
    File file;
    file.sections.push_back(Section{});  // what comes before the first section line
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        std::string_view line = trim(bytes.substr(0, end));
        bytes.remove_prefix(end);
        while (!bytes.empty() && (bytes.front() == '\r' || bytes.front() == '\n')) bytes.remove_prefix(1);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                file.sections.push_back(Section{cString(trim(line.substr(1, close - 1))), {}});
                continue;
            }
        }
        Entry entry{{}, {}, false};
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            entry.key = cString(line);
        } else {
            entry.key = cString(trim(line.substr(0, equals)));
            entry.value = cString(trim(line.substr(equals + 1)));
            entry.hasValue = true;
        }
        file.sections.back().entries.push_back(std::move(entry));
    }
    return file;
}

bool needsPlatformReader(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" || bytes.substr(0, 2) == "\xFF\xFE" ||
           bytes.substr(0, 2) == "\xFE\xFF";
}

const std::string* find(const File& file, std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    for (const Section& s : file.sections) {
        if (!sameName(s.name, section)) continue;
        // Only the first section of that name is searched.
        for (const Entry& e : s.entries)
            if (sameName(e.key, key)) return e.hasValue ? &e.value : nullptr;
        return nullptr;
    }
    return nullptr;
}

std::string readString(const File& file, std::string_view section, std::string_view key,
                       std::size_t capacity, std::string_view fallback) {
    const std::string* value = find(file, section, key);
    if (value) return copyEntry(*value, capacity);
    // The platform drops trailing spaces of the fallback.
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    return copyEntry(fallback, capacity);
}

unsigned readInt(const File& file, std::string_view section, std::string_view key, int fallback) {
    const std::string text = readString(file, section, key, 30, "");
    if (text.empty()) return static_cast<unsigned>(fallback);
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        if (text[i + 1] == 'x') base = 16;
        else if (text[i + 1] == 'o') base = 8;
        else if (text[i + 1] == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'Z') digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'z') digit = static_cast<unsigned>(c - 'a' + 10);
        else break;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return minus ? 0u - total : total;
}

std::string asReadBack(std::string_view written) {
    return copyEntry(trim(cString(written)), written.size() + 2);
}

}  // namespace tessel::inifile
