// The token reader and the keyword scans read programs and selections. Each
// result is checked against a second reading written from the description:
// the reader (both modes, its result and its name list), the variable list
// and the three lists of the environment dialog with their offsets.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lisp/scan.h"
#include "tests/fuzz/check.h"

using namespace tessel::scan;

namespace {

bool Delimiter(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '"' || c == '('; }

void Add(std::string& list, const std::string& name) {
    if (list.find(" " + name + " ") == std::string::npos) list += name + " ";
}

// The token reader as described: at most 512 characters, at most 63 name
// characters, the result counted from where the reading started.
long Read(int mode, std::string_view text, std::size_t start, std::string& list) {
    if (mode == 1) {
        start = text.find('"', start);
        if (start == std::string_view::npos) return -1;
    }
    std::string name;
    for (long k = 0; k < 512; ++k) {
        if (start + static_cast<std::size_t>(k) >= text.size()) {
            Add(list, name);
            return -1;
        }
        const char c = text[start + static_cast<std::size_t>(k)];
        if (Delimiter(c)) {
            if (name.empty()) continue;
            Add(list, name);
            return k;
        }
        if (name.size() == 63) return -1;
        name += c;
    }
    return -1;
}

void Scan(std::string_view text, std::string_view keyword, int mode, std::string& list) {
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(keyword, pos);
        if (hit == std::string_view::npos) return;
        pos = hit + keyword.size();
        const long r = Read(mode, text, pos, list);
        if (r == -1) return;
        pos += static_cast<std::size_t>(r);
    }
}

void CheckEntries(std::string_view text, std::string_view keyword, int mode, const std::vector<EnvEntry>& entries) {
    std::size_t pos = 0, k = 0;
    for (;;) {
        const std::size_t hit = text.find(keyword, pos);
        if (hit == std::string_view::npos) break;
        pos = hit + keyword.size();
        std::string list;
        const long r = Read(mode, text, pos, list);
        REQUIRE(k < entries.size() && entries[k].text == list && entries[k].at == hit);
        ++k;
        if (r == -1) break;
        pos += static_cast<std::size_t>(r);
    }
    REQUIRE(k == entries.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks a start for the bare reader.
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t start = std::min<std::size_t>(data[0], text.size());
    for (const int mode : {kModeName, kModeString}) {
        NameList names(" ");
        std::string list = " ";
        REQUIRE(readToken(mode, text, start, names) == Read(mode, text, start, list));
        REQUIRE(names.text() == list);
    }
    std::string vars = " ";
    Scan(text, "foreach ", 0, vars);
    Scan(text, "setq ", 0, vars);
    Scan(text, "set ", 0, vars);
    REQUIRE(variableList(text) == vars);
    const Environment env = scanEnvironment(text);
    CheckEntries(text, "defun ", 0, env.functions);
    CheckEntries(text, "(load_dialog ", 1, env.dclFiles);
    CheckEntries(text, "new_dialog ", 1, env.dclNames);
    return 0;
}
