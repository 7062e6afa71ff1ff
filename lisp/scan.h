// The keyword scans of the AutoLISP tools: a keyword search followed by a
// small token reader, no parsing. Also the two code templates and the search
// texts of Next Defun and the jump to a definition.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tessel::scan {

constexpr std::size_t kMaxNameLength = 63;   // a 64th name character ends the scan
constexpr std::size_t kReadWindow = 512;     // characters the reader looks at
constexpr long kNoEnd = -1;                  // the reader's result "no delimiter ended the name"

// Token reader modes: 0 reads the next name, 1 reads the first word of the
// next double-quoted string (which may lie any distance further on).
constexpr int kModeName = 0;
constexpr int kModeString = 1;

// Delimiters: TAB, LF, CR, blank, double quote and "(". Everything else,
// ")" ";" "'" ":" included, belongs to a name.
bool isDelimiter(char c);

// A list of names, each followed by one blank, built from a starting text
// (" " for the variable list, "" for each entry of the environment lists).
// A name is added unless the text already holds blank + name + blank.
class NameList {
public:
    explicit NameList(std::string start = std::string()) : text_(std::move(start)) {}
    void add(std::string_view name);
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::unordered_set<std::string> seen_;  // the names that stand between two blanks
};

// Reads one name from `text` at `start` into `names`. Returns the index,
// counted from where the reading started (in mode 1 the opening quote), of
// the delimiter that ended the name, or kNoEnd when the end of the text ended
// it (the name is still added; with no name character at all the empty name
// is added, a single blank). kNoEnd with nothing added: in mode 1 no quote
// follows; a 64th name character; 512 characters without the name ending.
// `quoteHint` (optional) lets a scan reuse the last quote search in mode 1.
struct QuoteHint {
    std::size_t from = 0;
    std::size_t at = std::string_view::npos;
    bool valid = false;
};
long readToken(int mode, std::string_view text, std::size_t start, NameList& names, QuoteHint* hint = nullptr);

// Every occurrence of `keyword` (case-sensitive) from the start: the reader
// runs behind it; a result of kNoEnd ends the scan, otherwise the search goes
// on at the keyword's end plus the result.
void scanKeyword(std::string_view text, std::string_view keyword, int mode, NameList& names);

// The variable list of a selected text: the first symbol behind each
// "foreach ", then each "setq ", then each "set ", each name once, every name
// followed by a blank, after a leading blank (" a b c "). A text without
// variables gives " ".
std::string variableList(std::string_view text);
bool hasVariables(const std::string& list);

// One entry of the environment lists: the reader's name list for one
// keyword hit (a name and a blank, or empty, or a single blank) and the
// offset of that hit.
struct EnvEntry {
    std::string text;
    std::size_t at = 0;
};

// The entries for one keyword, one per hit, in text order, duplicates kept;
// the hit whose reader returns kNoEnd is the last.
std::vector<EnvEntry> environmentEntries(std::string_view text, std::string_view keyword, int mode);

struct Environment {
    std::vector<EnvEntry> functions;  // "defun ", mode 0
    std::vector<EnvEntry> dclFiles;   // "(load_dialog ", mode 1
    std::vector<EnvEntry> dclNames;   // "new_dialog ", mode 1
};
Environment scanEnvironment(std::string_view text);

// The code templates, inserted at the caret.
extern const char kDefunTemplate[];  // 38 characters
extern const char kIfTemplate[];     // 51 characters

// Next Defun searches for "defun" from the selection start plus 6.
constexpr char kNextDefunText[] = "defun";
constexpr std::size_t kNextDefunSkip = 6;

// The jump to a definition searches for "defun " + the entry (which ends in
// a blank) from the start of the text.
std::string jumpSearchText(std::string_view entry);

}  // namespace tessel::scan
