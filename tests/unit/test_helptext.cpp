// The quick-help text resources/helptext.txt: UTF-8 with LF line ends in the
// repository, converted to code page 1252 with CR LF by the build.
#include <doctest/doctest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ui/helplines.h"
#include "version.h"

#ifndef TESSEL_SOURCE_DIR
#error "TESSEL_SOURCE_DIR must name the repository root"
#endif

namespace {

std::string readSourceFile(const std::string& relative)
{
    std::ifstream in(std::string(TESSEL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    REQUIRE_MESSAGE(in.good(), "cannot read " << relative);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Decodes UTF-8 into code points; no value for malformed input.
std::optional<std::vector<std::uint32_t>> decodeUtf8(const std::string& bytes)
{
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra;
        std::uint32_t cp;
        if (lead < 0x80) { extra = 0; cp = lead; }
        else if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
        else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
        else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
        else return std::nullopt;
        if (i + extra >= bytes.size()) return std::nullopt;  // cut short
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        static const std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;  // overlong forms and surrogates
        points.push_back(cp);
        i += 1 + extra;
    }
    return points;
}

// The code-page 1252 byte of a code point; no value when it has none.  LF is
// the only control character the help text may hold.
std::optional<unsigned char> toCp1252(std::uint32_t cp)
{
    static const std::uint32_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (cp == '\n') return static_cast<unsigned char>(cp);
    if (cp >= 0x20 && cp < 0x7F) return static_cast<unsigned char>(cp);
    if (cp >= 0xA0 && cp <= 0xFF) return static_cast<unsigned char>(cp);
    for (unsigned k = 0; k < 32; ++k)
        if (high[k] != 0 && high[k] == cp) return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

struct HelpText {
    std::vector<std::string> lines;  // code page 1252, without line ends
    std::string resource;            // code page 1252 with CR LF, as built
};

HelpText loadHelpText()
{
    // The build fills the version into the title, as scripts/helptext.sh does.
    std::string utf8 = readSourceFile("resources/helptext.txt");
    const std::string placeholder = "@TESSEL_VERSION@";
    for (auto at = utf8.find(placeholder); at != std::string::npos; at = utf8.find(placeholder))
        utf8.replace(at, placeholder.size(), TESSEL_VERSION_TEXT);
    const auto points = decodeUtf8(utf8);
    REQUIRE_MESSAGE(points.has_value(), "helptext.txt is not valid UTF-8");

    HelpText help;
    std::string line;
    std::size_t lineNumber = 1;
    for (const std::uint32_t cp : *points) {
        const auto byte = toCp1252(cp);
        INFO("line " << lineNumber << ", code point U+" << std::hex << cp);
        REQUIRE_MESSAGE(byte.has_value(), "not representable in code page 1252 (or a control)");
        if (*byte == '\n') {
            help.lines.push_back(line);
            help.resource += line + "\r\n";
            line.clear();
            ++lineNumber;
        } else {
            line += static_cast<char>(*byte);
        }
    }
    REQUIRE_MESSAGE(line.empty(), "the last line has no line end");
    return help;
}

const char* const kChapters[] = {
    " 1.) Allgemeines :",  " 2.) Menü Datei :",   " 3.) Menü Bearbeiten :",
    " 4.) Menü Zeilen :",  " 5.) Menü Ändern :",  " 6.) Menü Format :",
    " 7.) Menü Sysedit :", " 8.) Menü AutoLisp :", " 9.) Menü Hilfe :",
    "10.) History :"};

bool isUnderline(const std::string& line, std::size_t length)
{
    return line.size() == length && line.find_first_not_of('=') == std::string::npos;
}

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& text)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text) return i;
    return lines.size();
}

}  // namespace

TEST_CASE("help text: every line is short, tab-free and in code page 1252")
{
    const HelpText help = loadHelpText();
    REQUIRE(help.lines.size() > 20);
    for (std::size_t i = 0; i < help.lines.size(); ++i) {
        INFO("line " << i + 1 << ": " << help.lines[i]);
        CHECK(help.lines[i].size() <= 74);
        CHECK(help.lines[i].find('\t') == std::string::npos);
        CHECK(help.lines[i].find('\r') == std::string::npos);
        // No trailing blanks: they would only widen the list box entries.
        CHECK((help.lines[i].empty() || help.lines[i].back() != ' '));
    }
    CHECK(help.lines.back() == "<--EOF-->");
    CHECK(indexOf(help.lines, "<--EOF-->") == help.lines.size() - 1);
}

TEST_CASE("help text: title, overview and the chapters in order, each underlined")
{
    const HelpText help = loadHelpText();
    const auto& lines = help.lines;

    const std::size_t overview = indexOf(lines, " \xDC" "bersicht :");
    REQUIRE(overview < lines.size());
    CHECK(overview > 0);  // a title block comes first
    bool titled = false, versioned = false;
    for (std::size_t i = 0; i < overview; ++i) {
        if (lines[i].find("T E S S E L") != std::string::npos) titled = true;
        if (lines[i].find("Version " TESSEL_VERSION_TEXT) != std::string::npos) versioned = true;
    }
    CHECK(titled);
    CHECK(versioned);
    CHECK(isUnderline(lines[overview + 1], lines[overview].size()));

    std::size_t previous = overview;
    std::vector<std::size_t> headings;
    for (const char* chapter : kChapters) {
        INFO("chapter " << chapter);
        const std::size_t at = indexOf(lines, chapter);
        REQUIRE(at < lines.size());
        CHECK(at > previous);
        REQUIRE(at + 1 < lines.size());
        CHECK(isUnderline(lines[at + 1], lines[at].size()));
        headings.push_back(at);
        previous = at;
    }

    // The overview lists chapters 1 to 9, in order, between itself and
    // chapter 1.
    std::size_t listed = 0;
    for (std::size_t i = overview + 2; i < headings[0]; ++i) {
        if (lines[i].empty()) continue;
        REQUIRE(listed < 9);
        std::string title = kChapters[listed];
        title = title.substr(0, title.size() - 2);  // without " :"
        CHECK(lines[i] == "     ## " + title);
        ++listed;
    }
    CHECK(listed == 9);

    // Each chapter is made of entries: "     ## " starts one, eight blanks
    // continue it, empty lines separate them.
    for (std::size_t c = 0; c < headings.size(); ++c) {
        const std::size_t end = c + 1 < headings.size() ? headings[c + 1] : lines.size() - 1;
        std::size_t entries = 0;
        bool inEntry = false;
        for (std::size_t i = headings[c] + 2; i < end; ++i) {
            INFO("line " << i + 1 << ": " << lines[i]);
            const std::string& line = lines[i];
            if (line.empty()) {
                inEntry = false;
            } else if (line.compare(0, 8, "     ## ") == 0 && line.size() > 8) {
                ++entries;
                inEntry = true;
            } else {
                CHECK(inEntry);
                CHECK(line.compare(0, 8, "        ") == 0);
                CHECK(line.size() > 8);
            }
        }
        INFO("chapter " << kChapters[c]);
        CHECK(entries > 0);
    }

    // Every history entry names a version, and exactly one names this one.
    const std::size_t history = headings.back();
    std::size_t thisVersion = 0;
    for (std::size_t i = history + 2; i < lines.size() - 1; ++i)
        if (lines[i].compare(0, 8, "     ## ") == 0) {
            CHECK(lines[i].compare(8, 8, "Version ") == 0);
            if (lines[i].compare(8, 8 + std::strlen(TESSEL_VERSION_TEXT) + 1, "Version " TESSEL_VERSION_TEXT " ") == 0)
                ++thisVersion;
        }
    CHECK(thisVersion == 1);
}

TEST_CASE("help text: the dialog shows one list line per line of the file")
{
    const HelpText help = loadHelpText();
    const auto shown = tessel::helplines::splitHelpLines(help.resource);
    CHECK(shown.size() == help.lines.size());
    CHECK(shown == help.lines);
    CHECK(shown.back() == "<--EOF-->");
}
