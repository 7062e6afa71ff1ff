// The line frame with every line and column operation, over any text,
// selection, parameters and text limit.  Checked:
//  - each operation changes a line the way its command is described
//    (independent of how the frame applies the change);
//  - the one-pass frame gives what changing the lines one by one gives
//    (tests/unit/lineframe_reference.h), with the same limit report and caret;
//  - the text never grows beyond the limit (nor at all when it started above
//    it), and nothing outside the selection's lines changes;
//  - commenting and uncommenting the same lines gives the text back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/check.h"
#include "tests/unit/lineframe_reference.h"
#include "textops/columnops.h"
#include "textops/lineframe.h"
#include "textops/lineops.h"

namespace {

using lineframe::LineEdit;
using lineframe::LineOp;

enum Kind : int {
    kInsertAtStart,
    kInsertAtEnd,
    kCounter,
    kRemoveAtStart,
    kRemoveAtEnd,
    kRemoveLeadingBlanks,
    kRemoveTrailingBlanks,
    kCutFromChar,
    kIndentTwo,
    kOutdentTwo,
    kLispComment,
    kComment,
    kUncomment,
    kFillFront,
    kFillBack,
    kCopyColumnsFront,
    kCopyColumnsBack,
    kCapFront,
    kCapBack,
    kAnyEdit,  // an arbitrary edit, clamped by the frame
    kKindCount
};

struct Params {
    Kind kind = kInsertAtStart;
    std::string text;   // insertion, counter left part, separator, comment prefix
    std::string right;  // counter right part
    unsigned short a = 0;  // count, width, counter start, column begin
    unsigned short b = 0;  // column end
    bool atEnd = false;
    char cut = '\0';
    std::uint32_t seed = 0;
};

// A number as the dialogs give it: mostly small, now and then any 16-bit value.
unsigned short number(FuzzedDataProvider& in)
{
    if (in.ConsumeBool()) return in.ConsumeIntegral<unsigned short>();
    return in.ConsumeIntegralInRange<unsigned short>(0, 40);
}

LineOp makeOp(const Params& p)
{
    switch (p.kind) {
    case kInsertAtStart: return lineops::insertAtStart(p.text);
    case kInsertAtEnd: return lineops::insertAtEnd(p.text);
    case kCounter: return lineops::counter(p.text, p.a, p.right, p.atEnd);
    case kRemoveAtStart: return lineops::removeAtStart(p.a);
    case kRemoveAtEnd: return lineops::removeAtEnd(p.a);
    case kRemoveLeadingBlanks: return lineops::removeLeadingBlanks();
    case kRemoveTrailingBlanks: return lineops::removeTrailingBlanks();
    case kCutFromChar: return lineops::cutFromChar(p.cut);
    case kIndentTwo: return lineops::indentTwo();
    case kOutdentTwo: return lineops::outdentTwo();
    case kLispComment: return lineops::insertLispComment();
    case kComment: return lineops::comment(p.text);
    case kUncomment: return lineops::uncomment(p.text);
    case kFillFront: return columnops::fillFront(p.a);
    case kFillBack: return columnops::fillBack(p.a);
    case kCopyColumnsFront: return columnops::copyColumnsFront(p.a, p.b, p.text);
    case kCopyColumnsBack: return columnops::copyColumnsBack(p.a, p.b, p.text);
    case kCapFront: return columnops::capFront(p.a);
    case kCapBack: return columnops::capBack(p.a);
    case kAnyEdit:
    case kKindCount: break;
    }
    // Depends only on its arguments, so the frame and the reference see the
    // same edit for the same line.
    const std::uint32_t seed = p.seed;
    return [seed](std::string_view line, unsigned index, bool isFinal) {
        std::uint32_t h = seed + index * 7919u + (isFinal ? 17u : 0u);
        for (char c : line) h = h * 31u + static_cast<unsigned char>(c);
        auto pick = [&h](std::uint32_t n) {
            h = h * 2654435761u + 1u;
            return (h >> 7) % n;
        };
        static const char alphabet[] = {'a', ' ', '\r', '\n', '\t', '\xE4'};
        LineEdit edit;
        edit.offset = pick(static_cast<std::uint32_t>(line.size() + 3));
        if (pick(2)) edit.removeCount = pick(6);
        if (pick(3)) {
            const std::uint32_t n = pick(6);
            for (std::uint32_t i = 0; i < n; ++i) edit.insert += alphabet[pick(sizeof alphabet)];
        }
        return edit;
    };
}

std::string blanks(std::size_t n) { return std::string(n, ' '); }

// The line as the command is described to leave it; false when the kind has
// no such description (the arbitrary edit).
bool describedLine(const Params& p, std::string_view line, unsigned index, bool isFinal, std::string& out)
{
    const std::string s(line);
    const std::size_t len = line.size();
    switch (p.kind) {
    case kInsertAtStart: out = p.text + s; return true;
    case kInsertAtEnd: out = s + p.text; return true;
    case kCounter: {
        const unsigned value = (p.a + index) % 65536u;
        const std::string c = p.text + std::to_string(value) + p.right;
        out = p.atEnd ? s + c : c + s;
        return true;
    }
    case kRemoveAtStart: out = p.a >= len ? std::string() : s.substr(p.a); return true;
    case kRemoveAtEnd: out = isFinal ? s : p.a >= len ? std::string() : s.substr(0, len - p.a); return true;
    case kRemoveLeadingBlanks: {
        std::size_t i = 0;
        while (i < len && line[i] == ' ') ++i;
        out = s.substr(i);
        return true;
    }
    case kRemoveTrailingBlanks: {
        std::size_t n = len;
        while (!isFinal && n > 0 && line[n - 1] == ' ') --n;
        out = s.substr(0, n);
        return true;
    }
    case kCutFromChar: {
        std::size_t i = 0;
        while (i < len && line[i] != p.cut) ++i;
        out = s.substr(0, i);
        return true;
    }
    case kIndentTwo: out = "  " + s; return true;
    case kOutdentTwo: out = len <= 2 ? std::string() : s.substr(2); return true;
    case kLispComment: out = "; " + s; return true;
    case kComment: out = p.text + s; return true;
    case kUncomment: out = p.text.size() >= len ? std::string() : s.substr(p.text.size()); return true;
    case kFillFront:
    case kFillBack: {
        out = s;
        if (!isFinal && len < p.a && p.a - len <= 255)
            out = p.kind == kFillFront ? blanks(p.a - len) + s : s + blanks(p.a - len);
        return true;
    }
    case kCopyColumnsFront:
    case kCopyColumnsBack: {
        out = s;
        if (p.a == 0 || p.b == 0 || p.a >= p.b || isFinal || len < p.b) return true;
        const std::string columns = s.substr(p.a - 1u, static_cast<std::size_t>(p.b - p.a) + 1u);
        out = p.kind == kCopyColumnsFront ? columns + p.text + s : s + p.text + columns;
        return true;
    }
    case kCapFront: out = len <= p.a ? s : s.substr(len - p.a); return true;
    case kCapBack: out = len <= p.a ? s : s.substr(0, p.a); return true;
    case kAnyEdit:
    case kKindCount: break;
    }
    return false;
}

// The operation with a check of each edit it gives against its description.
// The described commands also stay inside their line: they never rely on the
// frame to clamp them.
LineOp checked(const Params& p, LineOp op)
{
    return [p, op = std::move(op)](std::string_view line, unsigned index, bool isFinal) {
        LineEdit e = op(line, index, isFinal);
        std::string expected;
        if (describedLine(p, line, index, isFinal, expected)) {
            REQUIRE(e.offset <= line.size());
            REQUIRE(e.removeCount <= line.size() - e.offset);
            std::string got(line.substr(0, e.offset));
            got += e.insert;
            got += line.substr(e.offset + e.removeCount);
            REQUIRE(got == expected);
        }
        return e;
    };
}

std::string applied(std::string text, const lineframe::FrameResult& r)
{
    lineframe::applyFrameResult(text, r);
    return text;
}

// End of the content of a line (where its CR LF starts, or the text's end).
std::size_t lineContentEnd(std::string_view text, unsigned line)
{
    const std::size_t start = lineframe::lineStart(text, line);
    const std::size_t br = text.find("\r\n", start);
    return br == std::string_view::npos ? text.size() : br;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    Params p;
    p.kind = static_cast<Kind>(in.ConsumeIntegralInRange<int>(0, kKindCount - 1));
    p.a = number(in);
    p.b = number(in);
    p.atEnd = in.ConsumeBool();
    p.seed = in.ConsumeIntegral<std::uint32_t>();
    const bool capacityFlag = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    const auto rawStart = in.ConsumeIntegral<std::uint16_t>();
    const auto rawEnd = in.ConsumeIntegral<std::uint16_t>();
    const int slack = in.ConsumeIntegralInRange<int>(-40, 60);
    const bool editLimit = in.ConsumeIntegralInRange<int>(0, 15) == 0;
    // The dialog fields as typed; the comment choice as its radio button.
    const std::string field = in.ConsumeRandomLengthString(40);
    p.right = in.ConsumeRandomLengthString(12);
    const int choice = in.ConsumeIntegralInRange<int>(lineops::kCommentRem - 1, lineops::kCommentFree + 1);
    const std::string text = in.ConsumeRemainingBytesAsString();

    p.text = field;
    if (p.kind == kCutFromChar) p.cut = lineops::cutCharFromField(field);
    if (p.kind == kComment || p.kind == kUncomment) p.text = lineops::commentPrefix(choice, field);

    // Selection ends anywhere in the text or a little beyond it.
    const std::size_t selStart = rawStart % (text.size() + 4);
    const std::size_t selEnd = rawEnd % (text.size() + 4);
    const long wanted = static_cast<long>(text.size()) + slack;
    const std::size_t limit = editLimit ? lineframe::kEditTextLimit : wanted < 0 ? 0 : static_cast<std::size_t>(wanted);

    const LineOp op = checked(p, makeOp(p));
    const lineframe::FrameResult r = lineframe::runLineFrame(text, selStart, selEnd, op, limit, capacityFlag);
    if (capacityFlag) {
        REQUIRE(!r.changed && !r.hitLimit);
        return 0;
    }
    const std::string result = applied(text, r);
    const lineframe_reference::Reference ref = lineframe_reference::perLine(text, selStart, selEnd, op, limit);
    REQUIRE(result == ref.text);
    REQUIRE(r.hitLimit == ref.hitLimit);
    REQUIRE(r.changed == (result != text));
    if (r.hitLimit) REQUIRE(r.caret == ref.caret && r.caret <= result.size());

    // The limit holds; a text already above it does not grow.
    if (text.size() <= limit) REQUIRE(result.size() <= limit);
    else REQUIRE(result.size() <= text.size());

    // Only the selection's lines change, and the span never splits a CR LF.
    const lineframe::LineRange range = lineframe::lineRangeOf(text, selStart, selEnd);
    const std::size_t rangeStart = lineframe::lineStart(text, range.first);
    const std::size_t rangeEnd = lineContentEnd(text, range.last);
    REQUIRE(result.compare(0, rangeStart, text, 0, rangeStart) == 0);
    const std::size_t tail = text.size() - rangeEnd;
    REQUIRE(result.size() >= rangeStart + tail);
    REQUIRE(result.compare(result.size() - tail, tail, text, rangeEnd, tail) == 0);
    if (r.changed) {
        REQUIRE(rangeStart <= r.replaceStart && r.replaceStart <= r.replaceEnd && r.replaceEnd <= text.size());
        REQUIRE(!(r.replaceStart > 0 && r.replaceStart < text.size() && text[r.replaceStart - 1] == '\r' &&
                  text[r.replaceStart] == '\n'));
        REQUIRE(!(r.replaceEnd > 0 && r.replaceEnd < text.size() && text[r.replaceEnd - 1] == '\r' &&
                  text[r.replaceEnd] == '\n'));
    }

    // Uncommenting the commented lines restores them, as long as the prefix
    // adds no line break and everything fitted.
    if (p.kind == kComment && !r.hitLimit && p.text.find("\r\n") == std::string::npos &&
        !(!p.text.empty() && p.text.back() == '\r')) {
        const lineframe::FrameResult back =
            lineframe::runLineFrameOnLines(result, range, lineops::uncomment(p.text), limit, false);
        REQUIRE(!back.hitLimit);
        REQUIRE(applied(result, back) == text);
    }
    return 0;
}
