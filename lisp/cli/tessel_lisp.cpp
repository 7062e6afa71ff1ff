// tessel-lisp: the editor's AutoLISP checks for scripts and CI.
//
//   tessel-lisp check [-v] [--editor-counts] [--] FILE...
//   tessel-lisp compress [-o OUT] [--] FILE...
//   tessel-lisp vars [--] FILE...
//   tessel-lisp defuns [--] FILE...
//
// Faults go to standard error as FILE:LINE:COLUMN: error: ..., columns in
// bytes. "-" reads standard input. Exit status: 0 every file passed, 1 a file
// failed the check, 2 usage or file errors.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "lisp/brackets.h"
#include "lisp/compress.h"
#include "lisp/program.h"
#include "lisp/reader.h"

#ifndef TESSEL_VERSION
#define TESSEL_VERSION "unknown"
#endif

namespace {

using namespace tessel::brackets;
using namespace tessel::compress;
using namespace tessel::program;
using namespace tessel::reader;

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kTrouble = 2;

struct CommandHelp {
    const char* name;
    const char* synopsis;
    const char* text;
};

const CommandHelp kHelp[] = {
    {"check", "tessel-lisp check [-v] [--editor-counts] [--] FILE...",
     "Reads each program as AutoLISP reads it (brackets, ' quotes, \"...\" strings\n"
     "with backslash escapes, ; comments to the line end, ;| |; comments) and\n"
     "reports every fault on standard error, one line each:\n"
     "  FILE:LINE:COLUMN: error: closing bracket without an opening bracket\n"
     "  FILE:LINE:COLUMN: error: opening bracket is never closed\n"
     "  FILE:LINE:COLUMN: error: string is never closed\n"
     "  FILE:LINE:COLUMN: error: block comment is never closed\n"
     "LINE and COLUMN count from 1; COLUMN counts bytes (a TAB is one, and so is\n"
     "each byte of a UTF-8 character); CR LF, LF and a lone CR end a line.\n"
     "A passing file prints nothing. A protected (encrypted) program, whose first\n"
     "line starts with \"AutoCAD PROTECTED LISP file\", cannot be read: it gets a\n"
     "warning and does not fail.\n"
     "  -v               also print the counts of every file on standard output\n"
     "  --editor-counts  count as the editor's first bracket test did: one state\n"
     "                   bit, strings unknown (a ; inside a string starts a\n"
     "                   comment, brackets in strings count); its faults are the\n"
     "                   first stray ), the last unclosed ( and the last quote\n"
     "                   when the quotes are odd\n"
     "  --strings        accepted for old scripts; exact reading is the default\n"},
    {"compress", "tessel-lisp compress [-o OUT] [--] FILE...",
     "Writes each program without comments, line ends and surplus blanks, as\n"
     "the same tokens on one line (strings are copied byte for byte), to FILE\n"
     "with its extension replaced by BI4, or to OUT (one FILE only; - for\n"
     "standard output). Reports the sizes on standard output (on standard error\n"
     "when the program goes to standard output). A protected program and an\n"
     "output that would be its own input are refused.\n"},
    {"vars", "tessel-lisp vars [--] FILE...",
     "Lists the symbols each program sets, once each in text order: every\n"
     "variable of setq, the variable of foreach and the quoted symbol of set.\n"
     "With several files each line starts with FILE: .\n"},
    {"defuns", "tessel-lisp defuns [--] FILE...",
     "Lists as FILE:LINE: KIND NAME the functions each program defines\n"
     "(defun NAME, any case), then the DCL files it loads (load_dialog) and the\n"
     "DCL dialogs it opens (new_dialog). Comments and strings are never read.\n"},
};

const char kTail[] =
    "\n"
    "FILE may be - for standard input; -- ends the options. 'tessel-lisp COMMAND\n"
    "--help' describes one command. Exit status: 0 passed, 1 a file failed the\n"
    "check, 2 usage or file errors.\n";

void Synopsis(FILE* to) {
    for (std::size_t i = 0; i < sizeof kHelp / sizeof kHelp[0]; ++i)
        std::fprintf(to, "%s %s\n", i == 0 ? "usage:" : "      ", kHelp[i].synopsis);
    std::fputs("       tessel-lisp --help | --version\n", to);
}

int Usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "tessel-lisp: %s\n", problem.c_str());
    Synopsis(stderr);
    std::fputs("Try 'tessel-lisp --help' for more.\n", stderr);
    return kTrouble;
}

int Help() {
    Synopsis(stdout);
    for (const CommandHelp& h : kHelp) std::printf("\n%s\n%s", h.synopsis, h.text);
    std::fputs(kTail, stdout);
    return kPassed;
}

int CommandHelpText(const CommandHelp& h) {
    std::printf("usage: %s\n\n%s", h.synopsis, h.text);
    std::fputs(kTail, stdout);
    return kPassed;
}

std::string ShownName(const std::string& file) { return file == "-" ? "<stdin>" : file; }

// Reads a whole file or standard input; false with a message when it cannot.
bool ReadInput(const std::string& file, std::string& text) {
    text.clear();
    FILE* in = stdin;
    if (file != "-") {
        struct stat st;
        if (stat(file.c_str(), &st) != 0) {
            std::fprintf(stderr, "tessel-lisp: %s: %s\n", file.c_str(), std::strerror(errno));
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            std::fprintf(stderr, "tessel-lisp: %s: is a directory\n", file.c_str());
            return false;
        }
        in = std::fopen(file.c_str(), "rb");
        if (!in) {
            std::fprintf(stderr, "tessel-lisp: %s: %s\n", file.c_str(), std::strerror(errno));
            return false;
        }
        if (st.st_size > 0) text.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(in) != 0;
    if (in != stdin) std::fclose(in);
    if (failed) {
        std::fprintf(stderr, "tessel-lisp: %s: read error\n", ShownName(file).c_str());
        return false;
    }
    return true;
}

// The options and files of one command. `withValue` names the options that
// take the next argument. Returns false (after the usage message) on a
// problem; `help` is set for COMMAND --help.
struct Arguments {
    std::vector<std::string> flags;    // options without value, as given
    std::vector<std::string> values;   // "-o" and its value, in pairs
    std::vector<std::string> files;
    bool help = false;
};

bool Parse(const std::string& command, const std::vector<std::string>& args,
           const std::vector<std::string>& known, const std::vector<std::string>& withValue, Arguments& out) {
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            out.help = true;
            return true;
        } else if (options && a.size() > 1 && a[0] == '-') {
            bool found = false;
            for (const std::string& k : withValue) {
                if (a != k) continue;
                if (i + 1 >= args.size()) {
                    Usage(a + " needs a value");
                    return false;
                }
                out.values.push_back(a);
                out.values.push_back(args[++i]);
                found = true;
            }
            for (const std::string& k : known) {
                if (a == k) {
                    out.flags.push_back(a);
                    found = true;
                }
            }
            if (!found) {
                Usage("unknown option " + a);
                return false;
            }
        } else {
            out.files.push_back(a);
        }
    }
    if (out.files.empty()) {
        Usage(command + " needs at least one FILE");
        return false;
    }
    return true;
}

bool Has(const Arguments& a, const char* flag) {
    for (const std::string& f : a.flags)
        if (f == flag) return true;
    return false;
}

void Error(const std::string& name, LineColumn at, const char* what) {
    std::fprintf(stderr, "%s:%zu:%zu: error: %s\n", name.c_str(), at.line, at.column, what);
}

const char* FaultText(FaultKind kind) {
    switch (kind) {
    case FaultKind::strayClose: return "closing bracket without an opening bracket";
    case FaultKind::unclosedOpen: return "opening bracket is never closed";
    case FaultKind::unclosedString: return "string is never closed";
    case FaultKind::unclosedComment: return "block comment is never closed";
    }
    return "";
}

void CountLine(const std::string& name, const BracketCounts& c, bool bracketsPass, bool quotesPass) {
    std::printf("%s: left %zu, right %zu, quotes %zu: brackets %s, quotes %s\n", name.c_str(), c.left, c.right,
                c.quotes, bracketsPass ? "OK" : "FAILED", quotesPass ? "OK" : "FAILED");
}

// One file: true when it passes.
bool CheckText(const std::string& name, std::string_view text, bool verbose, bool editor) {
    if (editor) {
        const EditorDiagnosis d = editorCounts(text);
        if (verbose) CountLine(name, d.counts, d.counts.bracketsPass() && !d.strayClose, d.counts.quotesPass());
        if (d.strayClose) Error(name, lineColumnOf(text, *d.strayClose), FaultText(FaultKind::strayClose));
        if (d.unclosedOpen) Error(name, lineColumnOf(text, *d.unclosedOpen), FaultText(FaultKind::unclosedOpen));
        if (d.unpairedQuote) Error(name, lineColumnOf(text, *d.unpairedQuote), "double quote without a partner");
        return d.passed();
    }
    const BracketCheck check = checkBrackets(text);
    if (verbose) CountLine(name, check.counts, check.bracketsPass(), check.quotesPass());
    LineCounter lines(text);
    for (const Fault& f : check.faults) Error(name, lines.at(f.at), FaultText(f.kind));
    return check.passed();
}

// Runs `each` on every named file's name and text: a file that cannot be
// read makes the run trouble, one for which `each` says false a failure, and
// the others are still handled.
using FileStep = bool (*)(const Arguments& a, const std::string& file, const std::string& text);

int EachFile(const char* command, const CommandHelp& help, const std::vector<std::string>& args,
             const std::vector<std::string>& flags, FileStep each) {
    Arguments a;
    if (!Parse(command, args, flags, {}, a)) return kTrouble;
    if (a.help) return CommandHelpText(help);
    int status = kPassed;
    std::string text;
    for (const std::string& file : a.files) {
        if (!ReadInput(file, text)) {
            status = kTrouble;
            continue;
        }
        if (!each(a, file, text) && status == kPassed) status = kFailed;
    }
    return status;
}

// One file for check: a protected file is only warned about.
bool CheckFile(const Arguments& a, const std::string& file, const std::string& text) {
    const std::string name = ShownName(file);
    if (isProtected(text)) {
        std::fprintf(stderr, "%s:1:1: warning: protected (encrypted) file, not checked\n", name.c_str());
        return true;
    }
    return CheckText(name, text, Has(a, "-v"), Has(a, "--editor-counts"));
}

int Check(const std::vector<std::string>& args) {
    return EachFile("check", kHelp[0], args, {"-v", "--editor-counts", "--strings"}, CheckFile);
}

// The output name beside the input: the extension of the file name (a dot
// among its last four characters) replaced by BI4, or BI4 appended.
std::string Bi4Name(const std::string& file) {
    const std::size_t slash = file.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t length = file.size() - nameStart;
    std::size_t dot = std::string::npos;
    for (std::size_t i = length > 4 ? file.size() - 4 : nameStart + 1; i < file.size(); ++i) {
        if (file[i] == '.') {
            dot = i;
            break;
        }
    }
    return (dot == std::string::npos ? file : file.substr(0, dot)) + ".BI4";
}

// Whether two names reach one file: the same file system object, or on
// Windows the same full path in any case.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_ino != 0 && sa.st_dev == sb.st_dev &&
        sa.st_ino == sb.st_ino)
        return true;
#ifdef _WIN32
    char fa[_MAX_PATH], fb[_MAX_PATH];
    if (_fullpath(fa, a.c_str(), sizeof fa) && _fullpath(fb, b.c_str(), sizeof fb)) return _stricmp(fa, fb) == 0;
#endif
    return false;
}

int CompressOne(const std::string& file, std::string out) {
    if (out.empty()) out = file == "-" ? "-" : Bi4Name(file);
    std::string text;
    if (!ReadInput(file, text)) return kTrouble;
    if (isProtected(text)) {
        std::fprintf(stderr, "tessel-lisp: %s: protected (encrypted) file, not compressed\n", ShownName(file).c_str());
        return kTrouble;
    }
    if (file != "-" && out != "-" && SameFile(file, out)) {
        std::fprintf(stderr, "tessel-lisp: cannot create %s: it is the input file\n", out.c_str());
        return kTrouble;
    }
    const std::string compressed = compress(text);
    FILE* sink = out == "-" ? stdout : std::fopen(out.c_str(), "wb");
    if (!sink) {
        std::fprintf(stderr, "tessel-lisp: cannot create %s: %s\n", out.c_str(), std::strerror(errno));
        return kTrouble;
    }
    const bool written = std::fwrite(compressed.data(), 1, compressed.size(), sink) == compressed.size();
    const bool closed = sink == stdout ? std::fflush(stdout) == 0 : std::fclose(sink) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "tessel-lisp: cannot write %s\n", out.c_str());
        return kTrouble;
    }
    FILE* report = out == "-" ? stderr : stdout;
    std::fprintf(report, "%s -> %s: %zu -> %zu bytes, saving %d %%\n", ShownName(file).c_str(),
                 out == "-" ? "<stdout>" : out.c_str(), text.size(), compressed.size(),
                 savingPercent(text.size(), compressed.size()));
    return kPassed;
}

int Compress(const std::vector<std::string>& args) {
    Arguments a;
    if (!Parse("compress", args, {}, {"-o"}, a)) return kTrouble;
    if (a.help) return CommandHelpText(kHelp[1]);
    std::string out;
    if (!a.values.empty()) {
        if (a.values.size() > 2) return Usage("compress takes one -o");
        if (a.files.size() > 1) return Usage("-o takes one FILE");
        out = a.values[1];
        if (out.empty()) return Usage("-o needs a file name");
    }
    int status = kPassed;
    for (const std::string& file : a.files)
        if (CompressOne(file, out) != kPassed) status = kTrouble;
    return status;
}

bool ListVariables(const Arguments& a, const std::string& file, const std::string& text) {
    const std::string prefix = a.files.size() > 1 ? ShownName(file) + ": " : std::string();
    for (const Variable& v : programVariables(text)) std::printf("%s%s\n", prefix.c_str(), v.name.c_str());
    return true;
}

int Vars(const std::vector<std::string>& args) { return EachFile("vars", kHelp[2], args, {}, ListVariables); }

bool ListDefinitions(const Arguments&, const std::string& file, const std::string& text) {
    const std::string name = ShownName(file);
    const std::vector<Definition> found = programDefinitions(text);
    // Functions, then DCL files, then DCL dialogs, each in text order.
    for (const DefinitionKind kind : {DefinitionKind::defun, DefinitionKind::loadDialog, DefinitionKind::newDialog}) {
        const char* label = kind == DefinitionKind::defun       ? "defun"
                            : kind == DefinitionKind::loadDialog ? "load_dialog"
                                                                 : "new_dialog";
        LineCounter lines(text);
        for (const Definition& d : found) {
            if (d.kind != kind) continue;
            std::printf("%s:%zu: %s %s\n", name.c_str(), lines.at(d.at).line, label,
                        d.name.empty() ? "(no name)" : d.name.c_str());
        }
    }
    return true;
}

int Defuns(const std::vector<std::string>& args) { return EachFile("defuns", kHelp[3], args, {}, ListDefinitions); }

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // Many fault lines go out in few writes.
    static char errorBuffer[1 << 14];
    std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);
    if (argc < 2) return Usage("");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") return Help();
    if (command == "--version") {
        std::printf("tessel-lisp %s\n", TESSEL_VERSION);
        return kPassed;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "check") return Check(args);
    if (command == "compress") return Compress(args);
    if (command == "vars") return Vars(args);
    if (command == "defuns") return Defuns(args);
    return Usage("unknown command " + command);
}
