// Times the line, column and whole-text commands on a full-size document
// (30000 characters, about 2400 lines) in the real main window, each against
//  (a) the floor: one SetWindowText of the same text (the command's result)
//      into the control holding the command's input, and
//  (b) the per-line frame: one EM_SETSEL + EM_REPLACESEL per line, kept here
//      only as the reference the commands are measured against.
// Commands without a dialog go through WM_COMMAND; commands with a dialog call
// their operation with the record the dialog would return.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/common/benchclock.h"
#include "core/shell_win.h"
#include "app/mainwindow_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "core/charmap.h"
#include "textops/columnops.h"
#include "textops/conversions.h"
#include "textops/conversions_win.h"
#include "textops/linecommands.h"
#include "textops/lineframe.h"
#include "textops/lineops.h"
#include "textops/lineops_win.h"

// bench_findsort.cpp
int RunFindSortBench(HWND main);

namespace {

using tessel::lineframe::LineOp;
using namespace tessel::conversions;
using namespace tessel::lineops;
namespace conversions = tessel::conversions;
namespace lc = tessel::linecommands;

constexpr std::size_t kDocumentChars = 30000;
constexpr unsigned kReferenceLines = 100;  // the per-line frame is timed on this many lines and scaled
constexpr int kRepeats = 3;                // each command: the median of this many runs
// The typing limit of 30000 would stop every inserting command at the first
// line of a full document; the bench raises it so each command changes all
// of its lines.
constexpr WPARAM kBenchLimit = 65535;

HWND g_main;
HWND g_edit;
int g_unexpectedDialogs;

// ------------------------------------------------------------ timing

using bench::Now;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) tessel::mainwindow::ProcessMessage(msg);
}

// Every run ends with the edit control painted, so the floor and the commands
// pay the same screen update.
void Settle() {
    UpdateWindow(g_edit);
    Pump();
}

// A message box here would mean a command did not do its full work; it is
// answered and counted, so the bench never hangs.
BOOL CALLBACK CloseDialogs(HWND wnd, LPARAM) {
    char cls[16] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (IsWindowVisible(wnd) && std::string(cls) == "#32770") {
        char text[128] = {};
        GetWindowTextA(wnd, text, sizeof text);
        std::printf("  unexpected dialog \"%s\"\n", text);
        ++g_unexpectedDialogs;
        PostMessageA(wnd, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK GuardTick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseDialogs, 0); }

// ------------------------------------------------------------ documents

// Lines such as "  3.4,~x  " and "  3.4,5~x  " (10.5 characters on average):
// blanks at both ends, a full stop, a comma and a tilde, so every command has
// work on every line. Filled to `chars` characters; `lineEnd` separates them.
std::string MakeDocument(std::size_t chars, const std::string& lineEnd = "\r\n", bool tabs = false) {
    std::string text;
    text.reserve(chars + 32);
    for (unsigned i = 0; text.size() < chars; ++i) {
        if (i) text += lineEnd;
        text += tabs ? "\t" : "  ";
        text += static_cast<char>('0' + i % 10);
        text += '.';
        text += static_cast<char>('0' + i % 7);
        text += ',';
        if (i % 2) text += static_cast<char>('0' + i % 5);
        text += "~x  ";
    }
    text.resize(chars);
    return text;
}

unsigned LineCount(const std::string& text) { return tessel::lineframe::lineCount(text); }

// The largest document of the pattern whose conversion passes the 27500 check.
std::string FittingDocument(Conversion convert, const std::string& lineEnd, bool tabs = false) {
    for (std::size_t chars = kDocumentChars;; chars -= 25) {
        std::string text = MakeDocument(chars, lineEnd, tabs);
        auto result = convert(text);
        if (result && tessel::conversions::fitsConvertedLimit(result->size())) return text;
    }
}

void Load(const std::string& text) {
    SetWindowTextA(g_edit, text.c_str());
    SendMessageA(g_edit, EM_SETLIMITTEXT, kBenchLimit, 0);
    SendMessageA(g_edit, EM_SETSEL, 0, static_cast<LPARAM>(text.size()));
    tessel::lineops::ClearCapacity();
    Settle();
}

std::string CurrentText() {
    int n = GetWindowTextLengthA(g_edit);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(g_edit, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

// ------------------------------------------------------------ the reference

// The per-line frame: each line read from the edit control and replaced on its
// own, `lines` lines from the first.
void PerLineFrame(const LineOp& op, unsigned lines) {
    std::vector<char> buffer;
    for (unsigned i = 0; i < lines; ++i) {
        if (tessel::lineops::CapacityReached()) return;
        const auto start = static_cast<std::size_t>(SendMessageA(g_edit, EM_LINEINDEX, i, 0));
        const auto length = static_cast<std::size_t>(SendMessageA(g_edit, EM_LINELENGTH, start, 0));
        const bool isFinal = SendMessageA(g_edit, EM_LINEINDEX, i + 1, 0) == -1;
        buffer.assign(std::max<std::size_t>(length + 1, sizeof(WORD)), '\0');
        *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
        const auto got = static_cast<std::size_t>(SendMessageA(g_edit, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer.data())));
        const tessel::lineframe::LineEdit e = op(std::string_view(buffer.data(), std::min(got, length)), i, isFinal);
        const std::size_t off = std::min(e.offset, length);
        const std::size_t remove = std::min(e.removeCount, length - off);
        SendMessageA(g_edit, EM_SETSEL, start + off, static_cast<LPARAM>(start + off + remove));
        SendMessageA(g_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(e.insert.c_str()));
    }
    SendMessageA(g_edit, EM_SETSEL, 0, 32767);
}

// ------------------------------------------------------------ the commands

struct Command {
    unsigned id;
    const char* name;
    std::string input;               // the document the command runs on
    std::function<void()> run;       // the real command
    std::string expected;            // what the edit control must hold afterwards
    LineOp perLine;                  // the change of one line, for the reference (empty: none)
};

void Send(unsigned id) { SendMessageA(g_main, WM_COMMAND, id, 0); }

std::string Framed(const std::string& text, const LineOp& op) {
    std::string out = text;
    tessel::lineframe::applyFrameResult(out, tessel::lineframe::runLineFrame(text, 0, text.size(), op, kBenchLimit, false));
    return out;
}

Command LineCommand(unsigned id, const char* name, const std::string& doc, LineOp op, std::function<void()> run) {
    return Command{id, name, doc, std::move(run), Framed(doc, op), op};
}

std::vector<Command> Commands() {
    const std::string doc = MakeDocument(kDocumentChars);
    std::vector<Command> list;
    auto viaCommand = [](unsigned id) { return [id] { Send(id); }; };
    // A dialog command as it runs once its dialog has returned the record.
    auto asked = [](lc::Operation op) { return [op = std::move(op)] { RunLineOperation(g_edit, *op); }; };
    auto line = [&](unsigned id, const char* name, LineOp op, std::function<void()> run) {
        list.push_back(LineCommand(id, name, doc, std::move(op), std::move(run)));
    };

    line(CMD_INSERTFRONT, "Vorne einfügen \"x\"", tessel::lineops::insertAtStart("x"),
         asked(lc::insertFront({"x"})));
    line(CMD_APPENDBACK, "Hinten anfügen \"x\"", tessel::lineops::insertAtEnd("x"),
         asked(lc::insertBack({"x"})));
    line(CMD_COUNTFRONT, "Vorne aufzählen 1", tessel::lineops::counter("", 1, " ", false),
         asked(lc::counterFront({"", 1, " "})));
    line(CMD_COUNTBACK, "Hinten aufzählen 1", tessel::lineops::counter(" ", 1, "", true),
         asked(lc::counterBack({" ", 1, ""})));
    line(CMD_CUTFRONT, "Vorne kürzen 2", tessel::lineops::removeAtStart(2),
         asked(lc::cutFront({2})));
    line(CMD_CUTBACK, "Hinten kürzen 2", tessel::lineops::removeAtEnd(2),
         asked(lc::cutBack({2})));
    line(CMD_BLANKSFRONT, "Vorne Lz entfernen", tessel::lineops::removeLeadingBlanks(), viaCommand(CMD_BLANKSFRONT));
    line(CMD_BLANKSBACK, "Hinten Lz entfernen", tessel::lineops::removeTrailingBlanks(), viaCommand(CMD_BLANKSBACK));
    line(CMD_COMMENT, "Zeilen kommentieren \"; \"", tessel::lineops::comment("; "),
         asked(lc::comment({"; "})));
    line(CMD_UNCOMMENT, "Zeilen entkommentieren \"; \"", tessel::lineops::uncomment("; "),
         asked(lc::uncomment({"; "})));
    line(CMD_CUTFROMCHAR, "Abschneiden ab \"~\"", tessel::lineops::cutFromChar('~'),
         asked(lc::cutFromChar({'~'})));
    line(CMD_LSP_INDENT, "2 Vorrücken", tessel::lineops::indentTwo(), viaCommand(CMD_LSP_INDENT));
    line(CMD_LSP_OUTDENT, "2 Zurückrücken", tessel::lineops::outdentTwo(), viaCommand(CMD_LSP_OUTDENT));
    line(CMD_LSP_COMMENT, "Kommentar einfügen", tessel::lineops::insertLispComment(), viaCommand(CMD_LSP_COMMENT));
    line(CMD_FILLFRONT, "Vorne Spalte füllen 12", tessel::columnops::fillFront(12),
         asked(lc::fillFront({12})));
    line(CMD_FILLBACK, "Hinten Spalte füllen 12", tessel::columnops::fillBack(12),
         asked(lc::fillBack({12})));
    line(CMD_COLCOPYFRONT, "Vorne Spalte kopieren 3-5 \"|\"", tessel::columnops::copyColumnsFront(3, 5, "|"),
         asked(lc::copyColumnsFront({3, 5, "|"})));
    line(CMD_COLCOPYBACK, "Hinten Spalte kopieren 3-5 \"|\"", tessel::columnops::copyColumnsBack(3, 5, "|"),
         asked(lc::copyColumnsBack({3, 5, "|"})));
    line(CMD_CAPFRONT, "Vorne Spalte kappen 8", tessel::columnops::capFront(8),
         asked(lc::capFront({8})));
    line(CMD_CAPBACK, "Hinten Spalte kappen 8", tessel::columnops::capBack(8),
         asked(lc::capBack({8})));

    {
        std::string gps = doc;
        tessel::lineframe::applyFrameResult(gps, tessel::conversions::runGpsFrame(doc, kBenchLimit, false));
        LineOp op = [](std::string_view l, unsigned i, bool) {
            return tessel::lineframe::LineEdit{0, l.size(), tessel::conversions::gpsConvertLine(l, i + 1)};
        };
        list.push_back(Command{CMD_GPS, "GPS -> MS AutoRoute", doc, viaCommand(CMD_GPS), gps, op});
    }

    std::string oem = doc, ansi = doc;
    tessel::charmap::ansiToOemInPlace(oem);
    tessel::charmap::oemToAnsiInPlace(ansi);
    list.push_back(Command{CMD_DOSTOWIN, "DOS -> WIN", doc, viaCommand(CMD_DOSTOWIN), ansi, {}});
    list.push_back(Command{CMD_WINTODOS, "WIN -> DOS", doc, viaCommand(CMD_WINTODOS), oem, {}});

    struct Whole {
        unsigned id;
        Conversion convert;
        const char* name;
        const char* lineEnd;
        bool tabs;
    };
    const Whole wholes[] = {
        {CMD_DOSTOUNIX, conversions::dosToUnix, "DOS -> UNIX", "\r\n", false},
        {CMD_UNIXTODOS, conversions::unixToDos, "UNIX -> DOS", "\n", false},
        {CMD_MACTOPC, conversions::macToPc, "MAC -> PC", "\r", false},
        {CMD_PCTOMAC, conversions::pcToMac, "PC -> MAC", "\r\n", false},
        {CMD_CRLFTOBLANK, conversions::crlfToBlank, "CRLF -> Leerzeichen", "\r\n", false},
        {CMD_CRLFTOCOMMA, conversions::crlfToBlankComma, "CRLF -> Beistrich Lz", "\r\n", false},
        {CMD_TABTOBLANKS, conversions::tabToTwoBlanks, "Tabulator -> 2 Leerzeichen", "\r\n", true},
    };
    for (const Whole& w : wholes) {
        Conversion convert = w.convert;
        std::string input = FittingDocument(convert, w.lineEnd, w.tabs);
        std::string result = *convert(input);
        list.push_back(Command{w.id, w.name, input, viaCommand(w.id), result, {}});
    }
    return list;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The floor: the command's result put into the control holding its input
// with one SetWindowText; no command can leave that text there for less.
double TimeFloor(const Command& c) {
    std::vector<double> runs;
    for (int r = 0; r < kRepeats; ++r) {
        Load(c.input);
        const double t0 = Now();
        SetWindowTextA(g_edit, c.expected.c_str());
        Settle();
        runs.push_back(Now() - t0);
    }
    return Median(runs);
}

// Consoles under Wine show code page 850/437; print the names in ASCII.
std::string Ascii(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p) {
        switch (*p) {
        case 0xE4: out += "ae"; break;
        case 0xF6: out += "oe"; break;
        case 0xFC: out += "ue"; break;
        default: out += static_cast<char>(*p);
        }
    }
    return out;
}

}  // namespace

int main() {
    g_main = tessel::mainwindow::StartApplication(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    if (!g_main) {
        std::printf("the main window could not be created\n");
        return 1;
    }
    g_edit = tessel::shell::EditControl();
    SetTimer(nullptr, 0, 50, GuardTick);
    Pump();

    const std::vector<Command> commands = Commands();
    int failures = 0;
    bool allWithin = true;
    bool allFaster = true;
    double total = Now();

    std::printf("Full-size document: %zu characters, %u lines. Median of %d runs. Floor: one SetWindowText\n"
                "of the command's result. The per-line frame is timed on the first %u lines and scaled\n"
                "linearly to all lines of the command. Lines as the edit control counts them (CR LF).\n\n",
                kDocumentChars, LineCount(MakeDocument(kDocumentChars)), kRepeats, kReferenceLines);
    std::printf("%-6s %-32s %6s %5s %9s %9s %7s %11s %9s\n", "id", "command", "chars", "lines", "ms", "floor ms",
                "ratio", "per-line ms", "speed-up");

    for (const Command& c : commands) {
        const double floor = TimeFloor(c);
        std::vector<double> runs;
        bool correct = true;
        for (int r = 0; r < kRepeats; ++r) {
            Load(c.input);
            const double t0 = Now();
            c.run();
            Settle();
            runs.push_back(Now() - t0);
            if (r == 0) correct = CurrentText() == c.expected;
        }
        const double ms = Median(runs);
        const double ratio = ms / floor;

        char perLine[32] = "n/a";
        char speedUp[32] = "n/a";
        const unsigned lines = LineCount(c.input);
        if (c.perLine) {
            Load(c.input);
            const double t0 = Now();
            PerLineFrame(c.perLine, kReferenceLines);
            Settle();
            const double scaled = (Now() - t0) * lines / kReferenceLines;
            // The reference must agree with the frame on the lines it changed.
            std::string part = c.input;
            tessel::lineframe::applyFrameResult(
                part, tessel::lineframe::runLineFrameOnLines(c.input, {0, kReferenceLines - 1}, c.perLine, kBenchLimit, false));
            if (CurrentText() != part) {
                std::printf("  per-line reference of %u disagrees with the frame\n", c.id);
                ++failures;
            }
            std::snprintf(perLine, sizeof perLine, "%.0f", scaled);
            std::snprintf(speedUp, sizeof speedUp, "%.0fx", scaled / ms);
            if (scaled / ms < 100.0) allFaster = false;
        }
        if (ratio > 3.0) allWithin = false;
        if (!correct) {
            std::printf("  command %u left a wrong text\n", c.id);
            ++failures;
        }
        std::printf("%-6u %-32s %6zu %5u %9.1f %9.1f %7.2f %11s %9s\n", c.id, Ascii(c.name).c_str(), c.input.size(),
                    lines, ms, floor, ratio, perLine, speedUp);
        std::fflush(stdout);
    }
    failures += RunFindSortBench(g_main);
    total = Now() - total;

    std::printf("\nevery command within 3x the floor: %s; every line command at least 100x faster than "
                "per-line: %s\n",
                allWithin ? "yes" : "NO", allFaster ? "yes" : "NO");
    std::printf("wrong results: %d, unexpected dialogs: %d, bench time %.1f s\n", failures, g_unexpectedDialogs,
                total / 1000.0);

    tessel::document::SetModified(false);
    DestroyWindow(g_main);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT)
        tessel::mainwindow::ProcessMessage(msg);
    tessel::mainwindow::EndApplication();
    return failures || g_unexpectedDialogs ? 1 : 0;
}
