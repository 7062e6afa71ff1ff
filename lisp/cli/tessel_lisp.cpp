// tessel-lisp: the editor's AutoLISP checks for scripts and CI.
//
//   tessel-lisp check [--strings] FILE...   bracket and quote test with positions
//   tessel-lisp compress FILE [-o OUT]      writes the compressed copy (BI4)
//   tessel-lisp vars FILE                   the variables the program sets
//   tessel-lisp defuns FILE                 functions, DCL files and DCL dialogs
//
// "-" reads standard input. Exit status: 0 success (every file passed),
// 1 a file failed the check, 2 usage or file errors.
#include <cerrno>
#include <cstdio>
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
#include "lisp/scan.h"

namespace {

using namespace tessel::lisp;

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kTrouble = 2;

const char kSynopsis[] =
    "usage: tessel-lisp check [--strings] FILE...\n"
    "       tessel-lisp compress FILE [-o OUT]\n"
    "       tessel-lisp vars FILE\n"
    "       tessel-lisp defuns FILE\n";
const char kUsage[] =
    "\n"
    "check     counts left brackets, right brackets and double quotes outside\n"
    "          comments, as the editor's bracket test does, and reports where the\n"
    "          first stray closing bracket, the last unclosed opening bracket and\n"
    "          an unpaired quote are, as FILE:LINE:COLUMN: error: ...\n"
    "          A file fails when the brackets or the quotes do not pair up, or\n"
    "          when a closing bracket comes before its opening partner.\n"
    "          --strings  skip \"...\" strings (with backslash escapes) and ;| |;\n"
    "                     comments, for exact positions in programs whose strings\n"
    "                     hold brackets or semicolons\n"
    "compress  writes the program without comments, line ends and surplus blanks\n"
    "          to OUT (default: FILE with the extension BI4; standard output for -)\n"
    "vars      lists the first variable behind each foreach, setq and set\n"
    "defuns    lists the functions defined (defun), the DCL files loaded\n"
    "          (load_dialog) and the DCL dialogs opened (new_dialog)\n"
    "\n"
    "FILE may be - for standard input. Exit status: 0 passed, 1 a file failed\n"
    "the check, 2 usage or file errors.\n";

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "tessel-lisp: %s\n", problem);
    std::fputs(kSynopsis, stderr);
    std::fputs("Try 'tessel-lisp --help' for more.\n", stderr);
    return kTrouble;
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

void Diagnostic(const std::string& name, std::string_view text, std::size_t offset, const char* what) {
    const LineColumn at = lineColumnOf(text, offset);
    std::printf("%s:%zu:%zu: error: %s\n", name.c_str(), at.line, at.column, what);
}

int Check(const std::vector<std::string>& args) {
    bool strings = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--strings") strings = true;
        else if (a.size() > 1 && a[0] == '-') return Usage(("unknown option " + a).c_str());
        else files.push_back(a);
    }
    if (files.empty()) return Usage("check needs at least one FILE");
    int status = kPassed;
    std::string text;
    for (const std::string& file : files) {
        if (!ReadInput(file, text)) {
            status = kTrouble;
            continue;
        }
        const std::string name = ShownName(file);
        const BracketDiagnosis d = diagnoseBrackets(text, strings);
        const bool brackets = d.counts.bracketsPass() && !d.strayClose;
        std::printf("%s: left %zu, right %zu, quotes %zu: brackets %s, quotes %s\n", name.c_str(), d.counts.left,
                    d.counts.right, d.counts.quotes, brackets ? "OK" : "FAILED",
                    d.counts.quotesPass() ? "OK" : "FAILED");
        if (d.strayClose) Diagnostic(name, text, *d.strayClose, "closing bracket without an opening bracket");
        if (d.unclosedOpen) Diagnostic(name, text, *d.unclosedOpen, "opening bracket is never closed");
        if (d.unpairedQuote) Diagnostic(name, text, *d.unpairedQuote, "double quote without a partner");
        if (!d.passed() && status == kPassed) status = kFailed;
    }
    return status;
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

int Compress(const std::vector<std::string>& args) {
    std::string file, out;
    bool haveOut = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) return Usage("-o needs a file name");
            out = args[++i];
            haveOut = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return Usage(("unknown option " + args[i]).c_str());
        } else if (file.empty()) {
            file = args[i];
        } else {
            return Usage("compress takes one FILE");
        }
    }
    if (file.empty()) return Usage("compress needs a FILE");
    if (!haveOut) out = file == "-" ? "-" : Bi4Name(file);

    std::string text;
    if (!ReadInput(file, text)) return kTrouble;
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
    // With the output on standard output, the statistics go to standard error.
    FILE* report = out == "-" ? stderr : stdout;
    std::fprintf(report, "%s -> %s: %zu -> %zu bytes, saving %d %%\n", ShownName(file).c_str(),
                 out == "-" ? "<stdout>" : out.c_str(), text.size(), compressed.size(),
                 savingPercent(text.size(), compressed.size()));
    return kPassed;
}

bool OneFile(const std::vector<std::string>& args, const char* command, std::string& file) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        Usage((std::string(command) + " takes one FILE").c_str());
        return false;
    }
    file = args[0];
    return true;
}

int Vars(const std::vector<std::string>& args) {
    std::string file, text;
    if (!OneFile(args, "vars", file)) return kTrouble;
    if (!ReadInput(file, text)) return kTrouble;
    const std::string list = variableList(text);
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t end = list.find(' ', at);
        if (end == std::string::npos) end = list.size();
        if (end > at) std::printf("%.*s\n", static_cast<int>(end - at), list.c_str() + at);
        at = end + 1;
    }
    return kPassed;
}

// Line numbers of many offsets in one pass over the line starts.
class LineIndex {
public:
    explicit LineIndex(std::string_view text) {
        starts_.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                starts_.push_back(i + 1);
        }
    }
    std::size_t lineOf(std::size_t offset) const {
        std::size_t lo = 0, hi = starts_.size();
        while (hi - lo > 1) {
            const std::size_t mid = (lo + hi) / 2;
            if (starts_[mid] <= offset) lo = mid;
            else hi = mid;
        }
        return lo + 1;
    }

private:
    std::vector<std::size_t> starts_;
};

int Defuns(const std::vector<std::string>& args) {
    std::string file, text;
    if (!OneFile(args, "defuns", file)) return kTrouble;
    if (!ReadInput(file, text)) return kTrouble;
    const Environment env = scanEnvironment(text);
    const LineIndex lines(text);
    const std::string name = ShownName(file);
    auto print = [&](const char* kind, const std::vector<EnvEntry>& entries) {
        for (const EnvEntry& e : entries) {
            std::string shown = e.text;
            while (!shown.empty() && shown.back() == ' ') shown.pop_back();
            std::printf("%s:%zu: %s %s\n", name.c_str(), lines.lineOf(e.at), kind,
                        shown.empty() ? "(no name)" : shown.c_str());
        }
    };
    print("defun", env.functions);
    print("load_dialog", env.dclFiles);
    print("new_dialog", env.dclNames);
    return kPassed;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2) return Usage(nullptr);
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kSynopsis, stdout);
        std::fputs(kUsage, stdout);
        return kPassed;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "check") return Check(args);
    if (command == "compress") return Compress(args);
    if (command == "vars") return Vars(args);
    if (command == "defuns") return Defuns(args);
    return Usage(("unknown command " + command).c_str());
}
