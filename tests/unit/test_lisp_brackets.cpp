#include <doctest/doctest.h>

#include <string>

#include "lisp/brackets.h"
#include "lisp/compress.h"

using namespace tessel::lisp;

TEST_CASE("bracket test: one state bit, comments to the line end, strings unknown") {
    const BracketCounts plain = countBrackets("(defun c:a ()\r\n  (princ \"x\")\r\n)");
    CHECK(plain.left == 3);
    CHECK(plain.right == 3);
    CHECK(plain.quotes == 2);
    CHECK(plain.passed());

    // A ";" inside a string hides the closing quote and bracket.
    const BracketCounts semi = countBrackets("(princ \"a;b\")");
    CHECK(semi.left == 1);
    CHECK(semi.right == 0);
    CHECK(semi.quotes == 1);
    CHECK_FALSE(semi.bracketsPass());
    CHECK_FALSE(semi.quotesPass());

    // Brackets inside strings count; a backslash does not protect a quote.
    CHECK(countBrackets("\"(\"").left == 1);
    CHECK(countBrackets("\"\\\"\"").quotes == 3);
    // CR alone and LF alone both end a comment.
    CHECK(countBrackets("; (\r(").left == 1);
    CHECK(countBrackets("; (\n(").left == 1);
    CHECK(countBrackets("; (((").left == 0);
    // Nothing at all passes.
    CHECK(countBrackets("").passed());
}

TEST_CASE("bracket test: the report's three pieces") {
    CHECK(bracketReport(countBrackets("(princ \"a;b\")")) ==
          "Linke Klammern :\t 1\nRechte Klammern :\t 0\nAnf\xFChrungszeichen :\t 1\n\n"
          "Klammerntest \tFEHLER\nAnf\xFChrungszeichen \tFEHLER");
    CHECK(bracketReport(countBrackets("()\"\"")) ==
          "Linke Klammern :\t 1\nRechte Klammern :\t 1\nAnf\xFChrungszeichen :\t 2\n\n"
          "Klammerntest \tOK\nAnf\xFChrungszeichen \tOK");
}

TEST_CASE("bracket test: 30000 unbalanced brackets and a text of only quotes") {
    const BracketCounts many = countBrackets(std::string(30000, '('));
    CHECK(many.left == 30000);
    CHECK_FALSE(many.passed());
    CHECK(bracketReport(many).find(":\t 30000\n") != std::string::npos);
    const BracketCounts quotes = countBrackets(std::string(29999, '"'));
    CHECK(quotes.quotes == 29999);
    CHECK_FALSE(quotes.quotesPass());
    CHECK(countBrackets(std::string(30000, '"')).passed());
}

TEST_CASE("diagnosis: positions of the faults, as the editor counts and with opaque strings") {
    const std::string text = "(a\r\n  (b))\r\n)(c";
    const BracketDiagnosis d = diagnoseBrackets(text, false);
    CHECK(d.counts.left == 3);
    CHECK(d.counts.right == 3);
    CHECK(d.counts.passed());  // the editor's verdict
    CHECK_FALSE(d.passed());   // but a ")" comes before its partner
    REQUIRE(d.strayClose);
    CHECK(*d.strayClose == 12);
    const LineColumn stray = lineColumnOf(text, *d.strayClose);
    CHECK(stray.line == 3);
    CHECK(stray.column == 1);
    REQUIRE(d.unclosedOpen);
    CHECK(lineColumnOf(text, *d.unclosedOpen).column == 2);

    // The editor's counts see a fault that is none with opaque strings.
    const std::string str = "(princ \"a;b(\")";
    CHECK_FALSE(diagnoseBrackets(str, false).passed());
    const BracketDiagnosis s = diagnoseBrackets(str, true);
    CHECK(s.passed());
    CHECK(s.counts.left == 1);
    CHECK(s.counts.quotes == 2);
    CHECK(diagnoseBrackets("(a \"\\\"(\")", true).passed());
    CHECK(diagnoseBrackets("(a ;| ) ( |; )", true).passed());

    const BracketDiagnosis open = diagnoseBrackets("(a\n\"abc", true);
    REQUIRE(open.unpairedQuote);
    CHECK(*open.unpairedQuote == 3);
    CHECK(lineColumnOf("(a\n\"abc", 3).line == 2);
    CHECK(*diagnoseBrackets("\"a\" \"", false).unpairedQuote == 4);
}

TEST_CASE("compressor: the previous-character rules") {
    CHECK(compress("( a )") == "( a)");
    CHECK(compress("(setq a (+ 1 2))") == "(setq a(+ 1 2))");
    // Runs of blanks shrink to the first; a blank after a bracket stays.
    CHECK(compress("(a    b)") == "(a b)");
    CHECK(compress("(a   )") == "(a)");
    // TABs: kept after a TAB or another character, dropped after a blank.
    CHECK(compress("a\t\t\tb") == "a\t\t\tb");
    CHECK(compress("a \t\tb") == "a \tb");
    CHECK(compress(" \t \t(") == "  (");  // a blank behind a TAB is kept
    // Comments go with their ";" and the line end; lines join.
    CHECK(compress("(a) ; note\r\n  (b)") == "(a) (b)");
    CHECK(compress("(a)\r\n;; last line") == "(a)");
    CHECK(compress("a\r\nb") == "ab");
    // Nothing is protected in strings.
    CHECK(compress("(princ \"a;b\")\r\n(c)") == "(princ \"a(c)");
    CHECK(compress("\"a  b\"") == "\"a b\"");
    // A text without anything to drop is copied unchanged.
    CHECK(compress("(a\"b\")") == "(a\"b\")");
    CHECK(compress("") == "");
    // An indented bracket on the next line loses the indentation blank.
    CHECK(compress("; x \n (") == "(");
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
