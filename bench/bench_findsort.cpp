// Times Replace All, sorting and F3 on full-size documents in the real main
// window, each as a ratio against one SetWindowText of its result measured in
// the same run; Replace All also against one replacement per hit, driven as
// the dialog's step loop would (copy the text, search, select, replace).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/common/benchclock.h"
#include "app/mainwindow_win.h"
#include "textops/search.h"
#include "textops/search_win.h"
#include "textops/sorting.h"
#include "textops/sorting_win.h"

namespace {

constexpr WPARAM kBenchLimit = 65535;
constexpr int kRepeats = 3;
constexpr unsigned kReferenceHits = 100;  // the per-hit loop is timed on this many hits and scaled

HWND g_edit;

using bench::Now;

void Settle() {
    UpdateWindow(g_edit);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) tessel::mainwindow::ProcessMessage(msg);
}

std::string Text() {
    int n = GetWindowTextLengthA(g_edit);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(g_edit, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

void Load(const std::string& text, std::size_t selStart, std::size_t selEnd) {
    SetWindowTextA(g_edit, text.c_str());
    SendMessageA(g_edit, EM_SETLIMITTEXT, kBenchLimit, 0);
    SendMessageA(g_edit, EM_SETSEL, selStart, static_cast<LPARAM>(selEnd));
    Settle();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median time of `run` on `input` (selection as given), and whether the
// first run left `expected`.
double Time(const std::string& input, std::size_t s, std::size_t e, const std::function<void()>& run,
            const std::string& expected, bool& correct) {
    std::vector<double> runs;
    for (int r = 0; r < kRepeats; ++r) {
        Load(input, s, e);
        const double t0 = Now();
        run();
        Settle();
        runs.push_back(Now() - t0);
        if (r == 0) correct = Text() == expected;
    }
    return Median(runs);
}

double Floor(const std::string& input, const std::string& result) {
    bool ignored = false;
    return Time(input, 0, 0, [&] { SetWindowTextA(g_edit, result.c_str()); }, result, ignored);
}

// 30000 characters in 2500 lines of ten, with `hits` occurrences of "ab"
// spread evenly over the lines.
std::string HitDocument(unsigned hits) {
    std::string text;
    for (unsigned line = 0; line < 2500; ++line) text += "xxxx xxxx \r\n";
    text.resize(30000);
    for (unsigned h = 0; h < hits; ++h) {
        const std::size_t at = static_cast<std::size_t>(h) * 2500 / hits * 12 + 2;
        text[at] = 'a';
        text[at + 1] = 'b';
    }
    return text;
}

// One replacement per hit, each step copying the text and searching it.
double PerHit(const std::string& input, const std::string& find, const std::string& replace, unsigned hits) {
    Load(input, 0, 0);
    const double t0 = Now();
    std::size_t position = 0;
    for (unsigned h = 0; h < hits; ++h) {
        const tessel::search::Hit hit = tessel::search::find(Text(), find, position, {true, false});
        if (!hit.found) break;
        SendMessageA(g_edit, EM_SETSEL, hit.start, static_cast<LPARAM>(hit.end));
        SendMessageA(g_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replace.c_str()));
        position = hit.start + replace.size();
    }
    Settle();
    return Now() - t0;
}

std::string SortDocument() {
    std::mt19937 rng(4096);
    const char* words[] = {"apfel", "Zebra", "\xC4pfel", "x", "-", "nan", "0x10", ".5", "5.", "1e3"};
    std::string text;
    for (unsigned i = 0; i < tessel::sorting::kMaxLines; ++i) {
        if (rng() % 3 == 0) {
            text += words[rng() % (sizeof words / sizeof *words)];
        } else {
            if (rng() % 4 == 0) text += '-';
            text += std::to_string(rng() % 1000);
            if (rng() % 2) text += "." + std::to_string(rng() % 10);
        }
        if (rng() % 2) text += " z";
        text += "\r\n";
    }
    return text;
}

}  // namespace

// Runs the find, replace and sort benchmarks; returns the number of wrong
// results. `main` is the running main window.
int RunFindSortBench(HWND main) {
    g_edit = GetDlgItem(main, 1);
    int failures = 0;
    std::printf("\nFind, replace and sort on full-size documents. Median of %d runs. Floor: one SetWindowText of\n"
                "the result. The per-hit loop is timed on the first %u hits and scaled.\n\n",
                kRepeats, kReferenceHits);
    std::printf("%-40s %9s %9s %7s %11s %9s\n", "command", "ms", "floor ms", "ratio", "per-hit ms", "speed-up");

    for (unsigned hits : {1000u, 2300u}) {
        const std::string doc = HitDocument(hits);
        const std::string find = "ab", replace = "ba";
        std::string expected = doc;
        for (std::size_t p = 0; (p = expected.find(find, p)) != std::string::npos; p += replace.size())
            expected.replace(p, find.size(), replace);
        bool correct = false;
        const double ms = Time(doc, 0, 0, [&] {
            tessel::search::SetSearchPosition(0);
            tessel::search::RunReplace(main, tessel::search::ReplaceRequest{find, replace, {true, false}, kBenchLimit},
                                       true);
        }, expected, correct);
        const double floor = Floor(doc, expected);
        const double perHit = PerHit(doc, find, replace, kReferenceHits) * hits / kReferenceHits;
        if (!correct) {
            std::printf("  Replace All with %u hits left a wrong text\n", hits);
            ++failures;
        }
        char name[64];
        std::snprintf(name, sizeof name, "Replace All, %u hits", hits);
        std::printf("%-40s %9.1f %9.1f %7.2f %11.0f %8.0fx\n", name, ms, floor, ms / floor, perHit, perHit / ms);
        std::fflush(stdout);
    }

    const std::string sortDoc = SortDocument();
    for (const tessel::sorting::SortOptions options :
         {tessel::sorting::SortOptions{false, false}, tessel::sorting::SortOptions{false, true},
          tessel::sorting::SortOptions{true, false}, tessel::sorting::SortOptions{true, true}}) {
        const tessel::sorting::SortResult r = tessel::sorting::sortSelection(sortDoc, 0, sortDoc.size(), options);
        std::string expected = sortDoc;
        expected.replace(r.replaceStart, r.replaceEnd - r.replaceStart, r.block);
        bool correct = false;
        const double ms = Time(sortDoc, 0, sortDoc.size(), [&] { tessel::sorting::RunSort(g_edit, options); },
                               expected, correct);
        const double floor = Floor(sortDoc, expected);
        if (!correct) {
            std::printf("  sort left a wrong text\n");
            ++failures;
        }
        char name[64];
        std::snprintf(name, sizeof name, "Sort 4096 lines, %s %s (%zu chars)", options.numeric ? "numeric" : "lexical",
                      options.descending ? "desc" : "asc", sortDoc.size());
        std::printf("%-40s %9.1f %9.1f %7.2f %11s %9s\n", name, ms, floor, ms / floor, "n/a", "n/a");
        std::fflush(stdout);
    }

    {
        // F3 for a text that stands only at the very end, without match case.
        std::string doc = HitDocument(1000);
        doc.replace(doc.size() - 6, 6, "Ziel\xE4");
        bool correct = false;
        std::size_t position = 0;
        const double ms = Time(doc, 0, 0, [&] {
            position = 0;
            tessel::search::SearchEdit(g_edit, position, "ZIEL\xC4", {false, false});
        }, doc, correct);
        const double floor = Floor(doc, doc);
        if (position != doc.size()) {
            std::printf("  F3 did not find the text at the end\n");
            ++failures;
        }
        std::printf("%-40s %9.1f %9.1f %7.2f %11s %9s\n", "F3 on 30000 characters (hit at the end)", ms, floor,
                    ms / floor, "n/a", "n/a");
    }
    return failures;
}
