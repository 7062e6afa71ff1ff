// The bracket test reads whole programs. Both of its counts are checked
// against a stack over a second reading: the exact test against the second
// reader's tokens (every stray ")" and open "(", an open string or block
// comment, the first fault), the editor's old count against a character walk
// (the first stray ")" and the last open "(").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "lisp/brackets.h"
#include "tests/fuzz/check.h"
#include "tests/fuzz/lisp_reference.h"

using namespace tessel::brackets;

namespace {

void CheckExact(std::string_view text) {
    std::size_t left = 0, right = 0, quotes = 0;
    std::vector<std::size_t> stack, strays;
    std::optional<reference::Tok> swallowing;
    for (const reference::Tok& t : reference::Read(text)) {
        if (t.kind == '(') ++left, stack.push_back(t.start);
        if (t.kind == ')') {
            ++right;
            if (stack.empty()) strays.push_back(t.start);
            else stack.pop_back();
        }
        if (t.kind == 'S') quotes += t.unclosed ? 1 : 2;
        if (t.unclosed) swallowing = t;
    }
    const BracketCheck check = checkBrackets(text);
    REQUIRE(check.counts.left == left && check.counts.right == right && check.counts.quotes == quotes);
    REQUIRE(check.faults.size() == strays.size() + stack.size() + (swallowing ? 1 : 0));
    std::size_t k = 0;
    for (const std::size_t at : strays) {
        REQUIRE(check.faults[k].kind == FaultKind::strayClose && check.faults[k].at == at);
        ++k;
    }
    for (const std::size_t at : stack) {
        REQUIRE(check.faults[k].kind == FaultKind::unclosedOpen && check.faults[k].at == at);
        ++k;
    }
    if (swallowing) {
        const Fault& f = check.faults[k];
        REQUIRE(f.at == swallowing->start);
        REQUIRE(swallowing->kind == 'S' ? f.kind == FaultKind::unclosedString && f.length == 1
                                        : f.kind == FaultKind::unclosedComment && f.length == 2);
    }
    REQUIRE(check.passed() == (left == right && strays.empty() && quotes % 2 == 0 && !swallowing));
    const std::optional<Fault> first = check.firstFault();
    REQUIRE(first.has_value() == !check.passed());
    if (first) {
        const std::size_t want = !strays.empty() ? strays.front() : swallowing ? swallowing->start : stack.front();
        REQUIRE(first->at == want);
    }
    (void)bracketReport(check);
}

void CheckEditor(std::string_view text) {
    std::size_t left = 0, right = 0, quotes = 0, lastQuote = 0;
    std::vector<std::size_t> stack;
    std::optional<std::size_t> stray;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ';') {  // the comment runs to the next CR or LF
            while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
            continue;
        }
        if (text[i] == '(') ++left, stack.push_back(i);
        if (text[i] == ')') {
            ++right;
            if (!stack.empty()) stack.pop_back();
            else if (!stray) stray = i;
        }
        if (text[i] == '"') ++quotes, lastQuote = i;
        ++i;
    }
    const EditorDiagnosis d = editorCounts(text);
    REQUIRE(d.counts.left == left && d.counts.right == right && d.counts.quotes == quotes);
    REQUIRE(d.strayClose == stray);
    REQUIRE(d.unclosedOpen == (stack.empty() ? std::nullopt : std::optional<std::size_t>(stack.back())));
    REQUIRE(d.unpairedQuote == (quotes % 2 ? std::optional<std::size_t>(lastQuote) : std::nullopt));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckExact(text);
    CheckEditor(text);
    // Lines and columns of the faults, in one pass, against a count from the start.
    LineCounter lines(text);
    for (const Fault& f : checkBrackets(text).faults) {
        std::size_t line = 1, lineStart = 0;
        for (std::size_t i = 0; i < f.at; ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n'))) ++line, lineStart = i + 1;
        }
        const LineColumn at = lines.at(f.at);
        REQUIRE(at.line == line && at.column == f.at - lineStart + 1);
    }
    return 0;
}
