#include <doctest/doctest.h>

#include <string>

#include "lisp/ddetext.h"
#include "lisp/scan.h"

using namespace tessel::dde;
using namespace tessel::scan;

namespace {
std::string Read(int mode, const std::string& text, std::size_t start, long* result) {
    NameList names;
    *result = readToken(mode, text, start, names);
    return names.text();
}
}  // namespace

TEST_CASE("token reader: delimiters, the index of the ending delimiter, the end of the text") {
    long r = 0;
    CHECK(Read(kModeName, "  foo bar", 0, &r) == "foo ");
    CHECK(r == 5);
    // ")" ";" "'" ":" belong to the name.
    CHECK(Read(kModeName, "offset 5) ", 0, &r) == "offset ");
    CHECK(Read(kModeName, "5) ", 0, &r) == "5) ");
    CHECK(Read(kModeName, "'c:x;y(z", 0, &r) == "'c:x;y ");
    CHECK(r == 6);
    // The end of the text ends the name: added, result -1.
    CHECK(Read(kModeName, "\tabc", 0, &r) == "abc ");
    CHECK(r == kNoEnd);
    // Only delimiters up to the end: the empty name, a single blank.
    CHECK(Read(kModeName, " \r\n\t", 0, &r) == " ");
    CHECK(r == kNoEnd);
    CHECK(Read(kModeName, "", 0, &r) == " ");
}

TEST_CASE("token reader: the 63-character name and the 512-character window") {
    long r = 0;
    CHECK(Read(kModeName, std::string(63, 'n') + " ", 0, &r) == std::string(63, 'n') + " ");
    CHECK(r == 63);
    CHECK(Read(kModeName, std::string(64, 'n') + " ", 0, &r).empty());
    CHECK(r == kNoEnd);
    CHECK(Read(kModeName, std::string(30000, 'n'), 0, &r).empty());
    // The delimiter that ends the name must lie inside the window.
    CHECK(Read(kModeName, std::string(510, ' ') + "x ", 0, &r) == "x ");
    CHECK(r == 511);
    CHECK(Read(kModeName, std::string(511, ' ') + "x ", 0, &r).empty());
    CHECK(r == kNoEnd);
    CHECK(Read(kModeName, std::string(512, ' ') + "x ", 0, &r).empty());
    CHECK(r == kNoEnd);
    CHECK(Read(kModeName, std::string(450, ' ') + std::string(62, 'n') + " ", 0, &r).empty());
}

TEST_CASE("token reader mode 1: the first word of the next string, counted from its quote") {
    long r = 0;
    CHECK(Read(kModeString, " \"dlg.dcl\")", 0, &r) == "dlg.dcl ");
    CHECK(r == 8);
    CHECK(Read(kModeString, "fname) (x \"my dialog\"", 0, &r) == "my ");
    CHECK(r == 3);
    CHECK(Read(kModeString, "no string here", 0, &r).empty());
    CHECK(r == kNoEnd);
    // The quote may lie beyond the 512-character window of the start.
    CHECK(Read(kModeString, std::string(2000, ' ') + "\"far\"", 0, &r) == "far ");
}

TEST_CASE("variable list: foreach, then setq, then set; first symbol; each name once") {
    CHECK(variableList("(setq a 1 b 2)") == " a ");
    CHECK(variableList("(setq a 1)(setq a 2)") == " a ");
    CHECK(variableList("(setq y 2)(foreach x lst") == " x y ");
    // "set " also matches inside "offset ", and ")" belongs to the name.
    CHECK(variableList("(setq offset 5)") == " offset 5) ");
    CHECK(variableList("(set 'q 1)") == " 'q ");
    // "set " inside a longer word, and "setq" without a blank.
    CHECK(variableList("(reset k )") == " k ");
    CHECK(variableList("(reset k)") == " k) ");
    CHECK(variableList("(setq") == " ");
    CHECK_FALSE(hasVariables(variableList("(princ)")));
    CHECK(hasVariables(variableList("(setq a 1)")));
    // A keyword at the very end adds the empty name.
    CHECK(variableList("(setq ") == "  ");
    // 30000 characters of one token after setq: nothing, no overflow.
    CHECK(variableList("(setq " + std::string(30000, 'v')) == " ");
}

TEST_CASE("environment lists: one entry per hit, duplicates kept, empty and blank entries") {
    const std::string program =
        "(defun c:main (/ id)\r\n"
        "  (setq id (load_dialog \"main.dcl\"))\r\n"
        "  (new_dialog \"main_dlg\" id)\r\n"
        ")\r\n(defun helper (x) x)\r\n(defun helper (x) x)\r\n"
        "(defun " + std::string(64, 'l') + " ()) (defun ";
    const Environment env = scanEnvironment(program);
    REQUIRE(env.functions.size() == 4);
    CHECK(env.functions[0].text == "c:main ");
    CHECK(env.functions[1].text == "helper ");
    CHECK(env.functions[2].text == "helper ");
    CHECK(env.functions[3].text.empty());  // too long: an empty entry ends the scan
    REQUIRE(env.dclFiles.size() == 1);
    CHECK(env.dclFiles[0].text == "main.dcl ");
    REQUIRE(env.dclNames.size() == 1);
    CHECK(env.dclNames[0].text == "main_dlg ");
    CHECK(program.compare(env.dclNames[0].at, 11, "new_dialog ") == 0);

    // A keyword followed only by delimiters to the end: a single blank.
    const auto tail = environmentEntries("(defun a ()) (defun  \r\n", "defun ", kModeName);
    REQUIRE(tail.size() == 2);
    CHECK(tail[1].text == " ");
    // load_dialog with a variable takes the next string anywhere further on.
    const auto far = environmentEntries("(load_dialog f)\r\n(princ \"later text\")", "(load_dialog ", kModeString);
    REQUIRE(far.size() == 1);
    CHECK(far[0].text == "later ");
    // No string after it: one empty entry.
    const auto none = environmentEntries("(load_dialog f)", "(load_dialog ", kModeString);
    REQUIRE(none.size() == 1);
    CHECK(none[0].text.empty());
    CHECK(scanEnvironment("(princ)").functions.empty());
}

TEST_CASE("templates and search texts") {
    CHECK(std::string(kDefunTemplate).size() == 38);
    CHECK(std::string(kIfTemplate).size() == 51);
    CHECK(jumpSearchText("foo ") == "defun foo ");
    CHECK(jumpSearchText("") == "defun ");
}

TEST_CASE("execute text: backslashes doubled in both places, never cut") {
    CHECK(executeText("C:\\LISP\\A.LSP") ==
          "(setq U:USELOAD1KOVA \"C:\\\\LISP\\\\A.LSP\")(load \"C:\\\\LISP\\\\A.LSP\") ");
    CHECK(executeText("") == "(setq U:USELOAD1KOVA \"\")(load \"\") ");
    const std::string longPath = "C:" + std::string(598, '\\');
    const std::string text = executeText(longPath);
    CHECK(text.size() == 2 * (2 + 2 * 598) + 34);
    CHECK(text.find("\")(load \"C:" + std::string(1196, '\\') + "\") ") != std::string::npos);
    CHECK(doubleBackslashes(std::string("a\\\0b", 4)) == "a\\\\");
    CHECK(std::string(kServiceNames[0]) == "AUTOCAD.DDE");
    CHECK(std::string(kServiceNames[3]) == "AUTOCAD.R15.DDE");
    CHECK(std::string(kServiceNames[7]) == "AUTOCAD.R19.DDE");
}
