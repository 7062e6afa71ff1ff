// The compressor and the reader take whole programs. The reader's tokens must
// be the second reader's (tests/fuzz/lisp_reference.h); the compressed text
// must read as the same tokens, comments left out (a block comment left open
// is kept), stay on one line outside strings and that open rest, be no
// longer than the text, and compress to itself. What the program defines
// and sets is checked against a reading over the second reader's tokens.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lisp/compress.h"
#include "lisp/program.h"
#include "lisp/reader.h"
#include "tests/fuzz/check.h"
#include "tests/fuzz/lisp_reference.h"

using namespace tessel::compress;
using namespace tessel::program;
using namespace tessel::reader;

namespace {

char KindOf(TokenKind kind) {
    switch (kind) {
    case TokenKind::open: return '(';
    case TokenKind::close: return ')';
    case TokenKind::quote: return '\'';
    case TokenKind::string: return 'S';
    case TokenKind::atom: return 'A';
    case TokenKind::lineComment: return 'C';
    case TokenKind::blockComment: return 'B';
    }
    return '?';
}

// What a program reads as: the tokens' kinds and bytes without the comments,
// except a block comment left open.
std::vector<std::string> Meaning(std::string_view text, const std::vector<reference::Tok>& tokens) {
    std::vector<std::string> out;
    for (const reference::Tok& t : tokens) {
        if (t.kind == 'C' || (t.kind == 'B' && !t.unclosed)) continue;
        out.push_back(std::string(1, t.kind) + (t.unclosed ? "!" : ":") +
                      std::string(text.substr(t.start, t.end - t.start)));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::vector<reference::Tok> expected = reference::Read(text);
    Reader reader(text);
    Token t;
    std::size_t count = 0;
    while (reader.next(t)) {
        REQUIRE(count < expected.size());
        const reference::Tok& e = expected[count++];
        REQUIRE(KindOf(t.kind) == e.kind && t.start == e.start && t.end == e.end && t.unclosed == e.unclosed);
    }
    REQUIRE(count == expected.size());

    const std::string out = compress(text);
    REQUIRE(out.size() <= size);
    const std::vector<reference::Tok> outTokens = reference::Read(out);
    REQUIRE(Meaning(out, outTokens) == Meaning(text, expected));
    // Line ends only inside strings and the unread rest.
    std::size_t at = 0;
    for (const reference::Tok& o : outTokens) {
        for (; at < o.start; ++at) REQUIRE(out[at] != '\r' && out[at] != '\n');
        if (o.kind == 'S' || o.kind == 'B') at = o.end;
    }
    for (; at < out.size(); ++at) REQUIRE(out[at] != '\r' && out[at] != '\n');
    REQUIRE(compress(out) == out);

    // What the program defines and sets, against a reading over a token vector.
    const std::vector<Definition> definitions = programDefinitions(text), wantDefinitions = reference::Definitions(text);
    REQUIRE(definitions.size() == wantDefinitions.size());
    for (std::size_t i = 0; i < definitions.size(); ++i)
        REQUIRE(definitions[i].kind == wantDefinitions[i].kind && definitions[i].name == wantDefinitions[i].name &&
                definitions[i].at == wantDefinitions[i].at);
    const std::vector<Variable> variables = programVariables(text), wantVariables = reference::Variables(text);
    REQUIRE(variables.size() == wantVariables.size());
    for (std::size_t i = 0; i < variables.size(); ++i) REQUIRE(variables[i].name == wantVariables[i].name);

    const int saving = savingPercent(size, out.size());
    REQUIRE(saving >= 0 && saving <= 100);
    (void)compressStatistics(size, out.size());
    return 0;
}
