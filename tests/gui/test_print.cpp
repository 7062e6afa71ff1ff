// Printing through command 14 on a real printer: a private CUPS queue that
// writes each job to a file (scripts/printer.sh; TESSEL_PRINT_DIR names its
// directory). The job's PostScript is read back: its pages, the lines on each
// page, copies with and without collation, a long line cut, a TAB passed on.
#include <map>
#include <string>
#include <vector>

#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

const char kPrintCaption[] = "Print";   // the platform's print dialog
const int kCopiesField = 0x482;         // edt3
const int kCollateBox = 0x411;          // chx2

// The job directory as Wine sees it, or empty when there is no test printer.
std::string JobDir() {
    char unixDir[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("TESSEL_PRINT_DIR", unixDir, sizeof unixDir)) return {};
    std::string dir = std::string("Z:") + unixDir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    if (dir.back() != '\\') dir += '\\';
    return dir;
}

std::vector<std::string> JobFiles(const std::string& dir) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "job-*.prn").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do files.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// Waits for the spooler to hand the next job to the printer's file.
std::string NextJob(const std::string& dir, std::size_t before) {
    for (int i = 0; i < 200; ++i) {
        std::vector<std::string> files = JobFiles(dir);
        if (files.size() > before) {
            std::string newest;
            for (const std::string& f : files)
                if (f.size() > newest.size() || (f.size() == newest.size() && f > newest)) newest = f;
            return gui::ReadFile(dir + newest);
        }
        Sleep(50);
        gui::Pump();
    }
    return {};
}

char GlyphChar(const std::string& name) {
    static const char* const kDigits[] = {"zero", "one", "two", "three", "four",
                                          "five", "six", "seven", "eight", "nine"};
    if (name.size() == 1) return name[0];
    for (int d = 0; d < 10; ++d)
        if (name == kDigits[d]) return static_cast<char>('0' + d);
    if (name == "space") return ' ';
    return '?';   // .notdef: a character the font has no picture for, such as TAB
}

// The printed pages, each as its lines from top to bottom: the glyphs shown
// after each "x y moveto", gathered by y.
std::vector<std::vector<std::string>> Pages(const std::string& ps) {
    std::vector<std::vector<std::string>> pages;
    std::map<long, std::string>* lines = nullptr;
    std::vector<std::map<long, std::string>> raw;
    long y = 0;
    std::size_t at = 0;
    while (at < ps.size()) {
        std::size_t end = ps.find('\n', at);
        if (end == std::string::npos) end = ps.size();
        const std::string line = ps.substr(at, end - at);
        at = end + 1;
        if (line.rfind("%%Page:", 0) == 0) {
            raw.emplace_back();
            lines = &raw.back();
        } else if (lines && line.size() > 7 && line.compare(line.size() - 7, 7, " moveto") == 0) {
            long x = 0;
            std::sscanf(line.c_str(), "%ld %ld", &x, &y);
        } else if (lines && line.size() > 11 && line[0] == '/' &&
                   line.compare(line.size() - 10, 10, " glyphshow") == 0) {
            (*lines)[y] += GlyphChar(line.substr(1, line.find(' ') - 1));
        }
    }
    for (const auto& page : raw) {
        pages.emplace_back();
        for (const auto& entry : page) pages.back().push_back(entry.second);
        if (pages.back().empty()) pages.back().push_back("");   // an empty page has one empty line
    }
    return pages;
}

// The metrics the test expects of the default printer, measured here.
struct Layout {
    int linesPerPage = 0;
    int charsPerLine = 0;
};

Layout PrinterLayout() {
    char name[256] = {};
    DWORD size = sizeof name;
    Layout l;
    if (!GetDefaultPrinterA(name, &size)) return l;
    HDC dc = CreateDCA(nullptr, name, nullptr, nullptr);
    if (!dc) return l;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int h = tm.tmHeight + tm.tmExternalLeading;
    l.linesPerPage = GetDeviceCaps(dc, VERTRES) / h - 4;
    l.charsPerLine = GetDeviceCaps(dc, HORZRES) / tm.tmAveCharWidth - 5;
    DeleteDC(dc);
    return l;
}

std::string Numbered(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += (i ? "\r\nL" : "L") + std::to_string(i);
    return text;
}

// The abort box may come and go between two looks of the responder; a print
// that was too quick for it to be seen is no failure.
void CheckDialogsAllowingQuickJob() {
    for (const std::string& failure : gui::TakeFailures())
        if (failure != "dialog \"Tessel\" never appeared") FAIL_CHECK(failure);
}

void ExpectAbortBox(const std::string& title) {
    gui::ExpectDialog("Tessel", [title](HWND d) {
        CHECK(gui::ItemText(d, IDC_PA_TITLE) == title);
        CHECK_FALSE(IsWindowEnabled(GetParent(d)));
    });
}

void ExpectPrintDialog(int copies, bool collate) {
    gui::ExpectDialog(kPrintCaption, [copies, collate](HWND d) {
        if (copies > 1) gui::SetItemText(d, kCopiesField, std::to_string(copies));
        CheckDlgButton(d, kCollateBox, collate ? BST_CHECKED : BST_UNCHECKED);
        gui::Press(d, IDOK);
    });
}

}  // namespace

TEST_CASE("printing: pages, lines cut, a TAB passed on, copies with and without collation") {
    const std::string dir = JobDir();
    if (dir.empty()) {
        MESSAGE("TESSEL_PRINT_DIR not set: no test printer, the printing cases are not run");
        return;
    }
    const Layout layout = PrinterLayout();
    REQUIRE(layout.linesPerPage > 1);
    REQUIRE(layout.charsPerLine > 10);
    gui::App app;
    app.setText(Numbered(2 * layout.linesPerPage + 1) + "\r\na\tb\r\n" + std::string(layout.charsPerLine + 20, 'x'));
    const int lines = 2 * layout.linesPerPage + 3;

    SUBCASE("one copy") {
        const std::size_t before = JobFiles(dir).size();
        ExpectPrintDialog(1, true);
        ExpectAbortBox("");
        app.command(CMD_PRINT);
        const auto pages = Pages(NextJob(dir, before));
        REQUIRE(pages.size() == 3);
        CHECK(pages[0].size() == static_cast<std::size_t>(layout.linesPerPage));
        CHECK(pages[0].front() == "L0");
        CHECK(pages[1].front() == "L" + std::to_string(layout.linesPerPage));
        REQUIRE(pages[2].size() == static_cast<std::size_t>(lines - 2 * layout.linesPerPage));
        CHECK(pages[2][1] == "a?b");   // the TAB reaches the printer as it is
        CHECK(pages[2][2] == std::string(layout.charsPerLine, 'x'));
        CHECK(IsWindowEnabled(app.main()));
    }
    SUBCASE("two copies collated: the whole document twice") {
        const std::size_t before = JobFiles(dir).size();
        ExpectPrintDialog(2, true);
        ExpectAbortBox("");
        app.command(CMD_PRINT);
        const auto pages = Pages(NextJob(dir, before));
        REQUIRE(pages.size() == 6);
        const std::string second = "L" + std::to_string(layout.linesPerPage);
        CHECK(pages[0].front() == "L0");
        CHECK(pages[1].front() == second);
        CHECK(pages[3].front() == "L0");
        CHECK(pages[4].front() == second);
    }
    SUBCASE("three copies not collated: each page three times in a row") {
        const std::size_t before = JobFiles(dir).size();
        ExpectPrintDialog(3, false);
        ExpectAbortBox("");
        app.command(CMD_PRINT);
        const auto pages = Pages(NextJob(dir, before));
        REQUIRE(pages.size() == 9);
        for (int i = 0; i < 3; ++i) {
            CHECK(pages[static_cast<std::size_t>(i)].front() == "L0");
            CHECK(pages[static_cast<std::size_t>(3 + i)].front() == "L" + std::to_string(layout.linesPerPage));
        }
    }
    SUBCASE("a cancelled print dialog does nothing") {
        const std::size_t before = JobFiles(dir).size();
        gui::ExpectDialog(kPrintCaption, [](HWND d) { gui::Press(d, IDCANCEL); });
        app.command(CMD_PRINT);
        Sleep(300);
        CHECK(JobFiles(dir).size() == before);
    }
    CheckDialogsAllowingQuickJob();
}

TEST_CASE("cancelling in the abort box ends the job with the failure message") {
    const std::string dir = JobDir();
    if (dir.empty()) {
        MESSAGE("TESSEL_PRINT_DIR not set: no test printer, the printing cases are not run");
        return;
    }
    gui::App app;
    app.setText(Numbered(2400));
    ExpectPrintDialog(1, true);
    gui::ExpectDialog("Tessel", [](HWND d) {
        CHECK(gui::ItemText(d, IDC_PA_TITLE).empty());   // untitled: no title
        gui::Press(d, IDCANCEL);
    });
    gui::ExpectMessage("Tessel", "Fehler beim Drucken von NAMENLOS!", MB_ICONWARNING);
    const std::size_t before = JobFiles(dir).size();
    app.command(CMD_PRINT);
    CHECK(IsWindowEnabled(app.main()));
    // The abort procedure's "stop" cancels the job in the spooler; whatever
    // may reach the printer is never the whole document.
    Sleep(500);
    if (JobFiles(dir).size() > before)
        CHECK(Pages(NextJob(dir, before)).size() < 2400 / static_cast<std::size_t>(PrinterLayout().linesPerPage));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a printer that refuses the job: the failure message, never a success") {
    const std::string dir = JobDir();
    char reject[MAX_PATH] = {};
    if (dir.empty() || !GetEnvironmentVariableA("TESSEL_PRINT_REJECT", reject, sizeof reject)) {
        MESSAGE("no test printer that can be made to refuse jobs: not run");
        return;
    }
    gui::App app;
    app.setText("Zeile");
    ExpectPrintDialog(1, true);
    ExpectAbortBox("");
    gui::ExpectMessage("Tessel", "Fehler beim Drucken von NAMENLOS!", MB_ICONWARNING);
    app.command(CMD_PRINT);
    CheckDialogsAllowingQuickJob();
}

TEST_CASE("out of memory once the job runs: the main window is enabled again and the abort box is gone") {
    const std::string dir = JobDir();
    if (dir.empty()) {
        MESSAGE("TESSEL_PRINT_DIR not set: no test printer, the printing cases are not run");
        return;
    }
    gui::App app;
    app.setText(Numbered(3));
    ExpectPrintDialog(1, true);
    ExpectAbortBox("");
    // The first allocation while the abort box is up fails.
    gui::FailOneAllocation([] { return FindWindowA("#32770", "Tessel") != nullptr; });
    app.command(CMD_PRINT);
    gui::FailOneAllocation(nullptr);
    CHECK(IsWindowEnabled(app.main()));
    CHECK(FindWindowA("#32770", "Tessel") == nullptr);
    // Nothing is allocated while the job runs, so it prints; were anything
    // to fail there, the failure would be reported.
    for (const std::string& failure : gui::TakeFailures())
        if (failure != "dialog \"Tessel\" never appeared" &&
            !(gui::AllocationFailed() && failure.find("Fehler beim Drucken") != std::string::npos))
            FAIL_CHECK(failure);
}
