#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "lisp/brackets.h"
#include "lisp/compress.h"
#include "lisp/program.h"
#include "lisp/reader.h"

using namespace tessel::brackets;
using namespace tessel::compress;
using namespace tessel::program;
using namespace tessel::reader;

namespace {

// The tokens of a text as "kind:bytes" ("!" marks an unclosed one).
std::string Tokens(std::string_view text) {
    static const char* const kNames[] = {"(", ")", "'", "S", "A", "C", "B"};
    Reader reader(text);
    Token t;
    std::string out;
    while (reader.next(t)) {
        if (!out.empty()) out += ' ';
        out += kNames[static_cast<int>(t.kind)];
        if (t.unclosed) out += '!';
        if (t.kind == TokenKind::string || t.kind == TokenKind::atom || t.isComment())
            out += ":" + std::string(reader.bytes(t));
    }
    return out;
}

// A realistic program: German and French comments, cp1252 bytes, a block
// comment over several lines, escaped quotes, strings holding brackets,
// semicolons, blank runs and a line break, and the argument list split over
// two lines.
const std::string kProgram =
    ";;; Z\xE4hlt die Bl\xF6" "cke \x96 compte les \xE9l\xE9ments\r\n"
    ";| Aufruf: (c:zaehl)\r\n    APPLOAD DEPENDENCIES |;\r\n"
    "(defun c:zaehl (a b /\r\n c d)\r\n"
    "  (setq c \"ligne (horizontale)\"   ; Kommentar (\r\n"
    "        d \"XL03; error: quit\")\r\n"
    "  (princ \"Er sagte \\\"Gr\xFC\xDF Gott\\\"  ;)\")\r\n"
    "  (princ \"zwei\r\nZeilen\")\r\n"
    "  (princ '(1 . 2))\r\n"
    "  (princ)\r\n"
    ");ende defun \r\n"
    "(DEFUN c:schwpk () (princ))\r\n";

}  // namespace

TEST_CASE("reader: tokens as AutoLISP reads them, with their byte offsets") {
    const struct {
        const char* text;
        const char* tokens;
    } cases[] = {
        {"(setq a 1.5)", "( A:setq A:a A:1.5 )"},
        {"'(a . b)", "' ( A:a A:. A:b )"},
        {"\"a;b (c)\"x", "S:\"a;b (c)\" A:x"},
        {"\"\\\"(\\\\\" )", "S:\"\\\"(\\\\\" )"},             // escaped quote and backslash
        {"\"zwei\r\nZeilen\"", "S:\"zwei\r\nZeilen\""},     // strings span lines
        {"\"offen (", "S!:\"offen ("},
        {"\"ende\\", "S!:\"ende\\"},                        // a backslash at the very end
        {"a;c (\rb", "A:a C:;c ( A:b"},                     // a lone CR ends a comment
        {";| x\r\n ( |;y", "B:;| x\r\n ( |; A:y"},
        {";|;(", "B!:;|;("},                                // the | of ;| does not close it
        {";||;a", "B:;||; A:a"},
        {"a'b\"c\"d", "A:a ' A:b S:\"c\" A:d"},
        {"\x80\xFF\t\x01 \xE4", "A:\x80\xFF A:\x01 A:\xE4"},
        {"", ""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.text);
        CHECK(Tokens(c.text) == c.tokens);
    }
    Reader reader("  (ab");
    Token t;
    REQUIRE(reader.next(t));
    CHECK(t.start == 2);
    REQUIRE(reader.next(t));
    CHECK((t.start == 3 && t.end == 5));
    CHECK_FALSE(reader.next(t));
    CHECK(atomIs("DeFun", "defun"));
    CHECK_FALSE(atomIs("defun-q", "defun"));
}

TEST_CASE("bracket test: counts in code only, every fault, and the first one") {
    const struct {
        const char* text;
        std::size_t left, right, quotes;
        std::vector<Fault> faults;
        std::size_t first;  // index into faults
    } cases[] = {
        {"(princ \"a;b\")", 1, 1, 2, {}, 0},
        {"(princ \"(\\\" \\\";)\")", 1, 1, 2, {}, 0},
        {"(a ;| ) ( |; )", 1, 1, 0, {}, 0},
        {"(a) ; )\r(b)", 2, 2, 0, {}, 0},
        {"(a\r\n  (b))\r\n)(c", 3, 3, 0,
         {{FaultKind::strayClose, 12, 1}, {FaultKind::unclosedOpen, 13, 1}}, 0},
        {"(a (b\n(c)", 3, 1, 0, {{FaultKind::unclosedOpen, 0, 1}, {FaultKind::unclosedOpen, 3, 1}}, 0},
        {"(a\n\"abc)", 1, 0, 1, {{FaultKind::unclosedOpen, 0, 1}, {FaultKind::unclosedString, 3, 1}}, 1},
        {"(a)\n;| (defun b ()) ", 1, 1, 0, {{FaultKind::unclosedComment, 4, 2}}, 0},
        {")(", 1, 1, 0, {{FaultKind::strayClose, 0, 1}, {FaultKind::unclosedOpen, 1, 1}}, 0},
    };
    for (const auto& c : cases) {
        CAPTURE(c.text);
        const BracketCheck check = checkBrackets(c.text);
        CHECK(check.counts.left == c.left);
        CHECK(check.counts.right == c.right);
        CHECK(check.counts.quotes == c.quotes);
        REQUIRE(check.faults.size() == c.faults.size());
        for (std::size_t i = 0; i < c.faults.size(); ++i) {
            CHECK(check.faults[i].kind == c.faults[i].kind);
            CHECK(check.faults[i].at == c.faults[i].at);
            CHECK(check.faults[i].length == c.faults[i].length);
        }
        CHECK(check.passed() == c.faults.empty());
        if (!c.faults.empty()) CHECK(check.firstFault()->at == c.faults[c.first].at);
    }
    CHECK(checkBrackets(kProgram).passed());
    CHECK(checkBrackets(std::string(30000, '(')).faults.size() == 30000);
}

TEST_CASE("bracket test: the report's three pieces") {
    CHECK(bracketReport(checkBrackets("(princ \"a;b)")) ==
          "Linke Klammern :\t 1\nRechte Klammern :\t 0\nAnf\xFChrungszeichen :\t 1\n\n"
          "Klammerntest \tFEHLER\nAnf\xFChrungszeichen \tFEHLER");
    CHECK(bracketReport(checkBrackets("()\"\"")) ==
          "Linke Klammern :\t 1\nRechte Klammern :\t 1\nAnf\xFChrungszeichen :\t 2\n\n"
          "Klammerntest \tOK\nAnf\xFChrungszeichen \tOK");
    // Balanced counts still fail for a ")" first and for an open ;| comment.
    CHECK(bracketReport(checkBrackets(")(")).find("Klammerntest \tFEHLER\n") != std::string::npos);
    CHECK(bracketReport(checkBrackets("() ;| x")).find("Klammerntest \tFEHLER\nAnf\xFChrungszeichen \tOK") !=
          std::string::npos);
}

TEST_CASE("editor counts: the old one-bit scan, kept for --editor-counts") {
    const EditorDiagnosis semi = editorCounts("(princ \"a;b\")");
    CHECK((semi.counts.left == 1 && semi.counts.right == 0 && semi.counts.quotes == 1));
    CHECK_FALSE(semi.passed());
    CHECK(editorCounts("\"(\"").counts.left == 1);
    CHECK(editorCounts("\"\\\"\"").counts.quotes == 3);
    CHECK(editorCounts("; (\r(").counts.left == 1);
    const EditorDiagnosis d = editorCounts("(a\r\n  (b))\r\n)(c");
    CHECK(d.counts.passed());
    CHECK_FALSE(d.passed());
    CHECK(*d.strayClose == 12);
    CHECK(*d.unclosedOpen == 13);
    CHECK(*editorCounts("\"a\" \"").unpairedQuote == 4);
    const LineColumn at = lineColumnOf("a\r\nb\rc\nd", 7);
    CHECK((at.line == 4 && at.column == 1));
    CHECK(lineColumnOf("\t\xE4x", 2).column == 3);  // columns count bytes
}

TEST_CASE("compressor: the same tokens on one line, strings untouched, idempotent") {
    const struct {
        const char* text;
        const char* out;
    } cases[] = {
        {"( a )", "(a)"},
        {"(setq a (+ 1 2))", "(setq a(+ 1 2))"},
        {"(a    b)\t( c\t)", "(a b)(c)"},
        {"(princ \"ligne (horizontale)\")", "(princ \"ligne (horizontale)\")"},
        {"(princ \"a  b\r\n  c\")", "(princ \"a  b\r\n  c\")"},
        {"(princ \"XL03; error: quit\") ; Kommentar\r\n(c)", "(princ \"XL03; error: quit\")(c)"},
        {"(a b /\r\nc d)", "(a b / c d)"},                   // a line break never joins tokens
        {"(a b /;Kommentar\rc d)", "(a b / c d)"},
        {";| APPLOAD\r\n DEPENDENCIES |;\r\n(defun c:x ()", "(defun c:x()"},
        {"a;|x|;b", "a b"},
        {"(setq l ' (1 2) q '\r\n a)", "(setq l '(1 2)q 'a)"},
        {"x 'y \"s\" \"t\"z", "x 'y \"s\" \"t\"z"},       // what touched still touches
        {"(princ \"\\\"(\" )", "(princ \"\\\"(\")"},
        {"(a) \"offen ;\r\n b", "(a)\"offen ;\r\n b"},      // the unread rest as it stands
        {"(a) ;| offen\r\n (b)", "(a);| offen\r\n (b)"},
        {"x ;| offen", "x;| offen"},
        {"(a)\r\n;; last line", "(a)"},
        {"\xE4 \x80\t\xFF", "\xE4 \x80 \xFF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.text);
        const std::string out = compress(c.text);
        CHECK(out == c.out);
        CHECK(compress(out) == out);
    }
    const std::string out = compress(kProgram);
    CHECK(out ==
          "(defun c:zaehl(a b / c d)(setq c \"ligne (horizontale)\" d \"XL03; error: quit\")"
          "(princ \"Er sagte \\\"Gr\xFC\xDF Gott\\\"  ;)\")(princ \"zwei\r\nZeilen\")(princ '(1 . 2))(princ))"
          "(DEFUN c:schwpk()(princ))");
    CHECK(compress(out) == out);
}

TEST_CASE("compressor: statistics and the saving truncated toward zero") {
    CHECK(savingPercent(0, 0) == 0);
    CHECK(savingPercent(3, 2) == 33);
    CHECK(savingPercent(3, 1) == 66);
    CHECK(savingPercent(100, 100) == 0);
    CHECK(savingPercent(100, 29) == 71);
    CHECK(compressStatistics(38, 20) ==
          "Die Datei wurde komprimiert gespeichert als : '*.BI4'\n\nDateigr\xF6\xDF" "e vorher :\t 38 Byte\n"
          "Dateigr\xF6\xDF" "e naher :\t 20 Byte\nEinsparung :\t 47 %");
}

TEST_CASE("program: definitions and variables never from comments or strings, keywords in any case") {
    std::string names;
    for (const Definition& d : programDefinitions(kProgram + "(princ \"(defun fake\")\r\n"
                                                  "(setq id (LOAD_DIALOG \"haupt.dcl\"))(new_dialog dlg id)"
                                                  "(load_dialog (strcat pfad \"neben.dcl\"))(defun)(load_dialog)(new_dialog 'q (x))"))
        names += std::to_string(static_cast<int>(d.kind)) + ":" + d.name + "@" + std::to_string(d.at) + " ";
    CHECK(names == "0:c:zaehl@95 0:c:schwpk@318 1:haupt.dcl@379 2:dlg@405 1:neben.dcl@424 1:@470 2:@483 ");

    std::string vars;
    for (const Variable& v : programVariables("(setq a 1 b (setq c 2) A 3)(foreach x l (set 'y x))"
                                              "(set (quote z) 1)(set v 2)(set (quote w u) 3)(setq 'k 1 m)(SetQ e 'f g)\"(setq h 1)\" ;(setq i 1)"))
        vars += v.name + " ";
    CHECK(vars == "a b c x y z m e g ");  // not w nor k
}

TEST_CASE("protected programs are recognised by their first line") {
    CHECK(isProtected("AutoCAD PROTECTED LISP file\r\n\x1A\x9C\x01"));
    CHECK(isProtected("AUTOCAD protected lisp FILE"));
    CHECK_FALSE(isProtected(";AutoCAD PROTECTED LISP file"));
    CHECK_FALSE(isProtected("AutoCAD"));
}
