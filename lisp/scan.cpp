#include "lisp/scan.h"

namespace tessel::scan {

const char kDefunTemplate[] = ";;;\r\n;;; \r\n;;;\r\n(defun  ( / )\r\n  \r\n)\r\n";
const char kIfTemplate[] = "(if \r\n  (progn\r\n    \r\n  )\r\n  (progn\r\n    \r\n  )\r\n)\r\n";

bool isDelimiter(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '"' || c == '(';
}

void NameList::add(std::string_view name) {
    std::string key(name);
    if (seen_.count(key)) return;
    // Only a name with a blank on its left can be found again as
    // blank + name + blank; the first name of a list begun empty has none.
    const bool blankBefore = !text_.empty() && text_.back() == ' ';
    text_ += key;
    text_ += ' ';
    if (blankBefore) seen_.insert(std::move(key));
}

namespace {

std::size_t findQuote(std::string_view text, std::size_t start, QuoteHint* hint) {
    if (hint && hint->valid && hint->from <= start && (hint->at == std::string_view::npos || start <= hint->at))
        return hint->at;
    const std::size_t at = text.find('"', start);
    if (hint) *hint = QuoteHint{start, at, true};
    return at;
}

}  // namespace

long readToken(int mode, std::string_view text, std::size_t start, NameList& names, QuoteHint* hint) {
    if (mode == kModeString) {
        const std::size_t quote = findQuote(text, start, hint);
        if (quote == std::string_view::npos) return kNoEnd;
        start = quote;
    }
    std::size_t nameStart = 0;
    std::size_t nameLength = 0;
    for (std::size_t i = 0; i < kReadWindow; ++i) {
        const std::size_t at = start + i;
        if (at >= text.size()) {
            names.add(text.substr(start + nameStart, nameLength));
            return kNoEnd;
        }
        if (isDelimiter(text[at])) {
            if (nameLength == 0) continue;
            names.add(text.substr(start + nameStart, nameLength));
            return static_cast<long>(i);
        }
        if (nameLength == kMaxNameLength) return kNoEnd;
        if (nameLength == 0) nameStart = i;
        ++nameLength;
    }
    return kNoEnd;
}

void scanKeyword(std::string_view text, std::string_view keyword, int mode, NameList& names) {
    QuoteHint hint;
    std::size_t position = 0;
    for (;;) {
        const std::size_t hit = text.find(keyword, position);
        if (hit == std::string_view::npos) return;
        position = hit + keyword.size();
        const long result = readToken(mode, text, position, names, &hint);
        if (result == kNoEnd) return;
        position += static_cast<std::size_t>(result);
    }
}

std::string variableList(std::string_view text) {
    NameList names(" ");
    scanKeyword(text, "foreach ", kModeName, names);
    scanKeyword(text, "setq ", kModeName, names);
    scanKeyword(text, "set ", kModeName, names);
    return names.text();
}

bool hasVariables(const std::string& list) { return list.size() > 1; }

std::vector<EnvEntry> environmentEntries(std::string_view text, std::string_view keyword, int mode) {
    std::vector<EnvEntry> entries;
    QuoteHint hint;
    std::size_t position = 0;
    for (;;) {
        const std::size_t hit = text.find(keyword, position);
        if (hit == std::string_view::npos) break;
        position = hit + keyword.size();
        NameList names;
        const long result = readToken(mode, text, position, names, &hint);
        entries.push_back(EnvEntry{names.text(), hit});
        if (result == kNoEnd) break;
        position += static_cast<std::size_t>(result);
    }
    return entries;
}

Environment scanEnvironment(std::string_view text) {
    Environment env;
    env.functions = environmentEntries(text, "defun ", kModeName);
    env.dclFiles = environmentEntries(text, "(load_dialog ", kModeString);
    env.dclNames = environmentEntries(text, "new_dialog ", kModeString);
    return env;
}

std::string jumpSearchText(std::string_view entry) {
    std::string needle = "defun ";
    needle += entry;
    return needle;
}

}  // namespace tessel::scan
