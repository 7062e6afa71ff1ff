#include "document/print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <new>
#include <vector>

#include "core/deferred_win.h"
#include "core/msgbox_win.h"
#include "core/shell_win.h"
#include "document/document_win.h"
#include "document/printpages.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"

namespace tessel::print {
namespace {

constexpr msgbox::Message kPrintFailed{"Fehler beim Drucken von %s!", msgbox::kCaptionTessel, MB_ICONWARNING};

bool g_abort;          // the user cancelled the running job
HWND g_abortDialog;    // the modeless box while a job runs
bool g_printing;       // a print command is running

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        return TRUE;
    case WM_COMMAND:
        g_abort = true;
        EnableWindow(GetParent(dialog), TRUE);
        DestroyWindow(dialog);
        g_abortDialog = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}

// Called by the platform while it builds the pages: keeps the user interface
// alive, so the abort box can be used.
BOOL CALLBACK AbortProc(HDC, int) {
    MSG msg;
    while (!g_abort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is ending: stop the job and leave the quit to the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            g_abort = true;
            break;
        }
        if (g_abortDialog && IsDialogMessageA(g_abortDialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return g_abort ? FALSE : TRUE;
}

// Frees what the print dialog handed back besides the device context.
void FreeDialogMemory(PRINTDLGA& pd) {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    pd.hDevMode = pd.hDevNames = nullptr;
}

// Whatever way the job ends, the main window is enabled again, the abort box
// is gone and a started job that did not end is aborted.
struct JobGuard {
    HWND main;
    HDC dc;
    bool started = false;   // StartDoc succeeded, EndDoc or AbortDoc not yet called
    ~JobGuard() {
        if (started) AbortDoc(dc);
        EnableWindow(main, TRUE);
        if (g_abortDialog) DestroyWindow(g_abortDialog);
        g_abortDialog = nullptr;
    }
};

// The job on the printer context `dc`, from the abort box to EndDoc.
bool RunJob(HWND main, HWND edit, HDC dc, const char* title, const PageGeometry& g, int copies, bool collate) {
    const int lineCount = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    // Everything the job needs is allocated before the main window is
    // disabled. Room for the line and, for a one-character line, EM_GETLINE's
    // size word.
    std::vector<char> line(std::max<std::size_t>(static_cast<std::size_t>(g.charsPerLine) + 1, 2));
    PageOps ops;
    ops.startPage = [dc] { return StartPage(dc) > 0; };
    ops.endPage = [dc] { return EndPage(dc) > 0; };
    ops.aborted = [] { return g_abort; };
    ops.printLine = [&](int index, int x, int y) {
        // EM_GETLINE reads the buffer's size from its first word, so a
        // longer line is cut there; the characters go out as they are.
        *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(g.charsPerLine);
        const auto n = static_cast<int>(
            SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.data())));
        if (n > 0) TextOutA(dc, x, y, line.data(), n);
    };

    EnableWindow(main, FALSE);
    JobGuard guard{main, dc};
    g_abort = false;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE));
    g_abortDialog = CreateDialogParamA(instance, "ABORTDLGBOX", main, AbortDialogProc, 0);
    if (g_abortDialog) {
        dialogutil::CentreWindow(g_abortDialog);
        SetDlgItemTextA(g_abortDialog, IDC_PA_TITLE, title);
    }
    SetAbortProc(dc, AbortProc);

    // The job's name: the first three characters of the caption.
    char docName[8] = {};
    GetWindowTextA(main, docName, 4);
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = docName;

    bool success = StartDocA(dc, &info) > 0;
    if (success) {
        guard.started = true;
        success = printPages(g, lineCount, copies, collate, ops);
        // After a cancel too: the pages done so far are sent. A job the
        // spooler did not take is a failure, not a success.
        if (success) {
            guard.started = false;
            success = EndDoc(dc) > 0;
        }
    }
    return success && !g_abort;
}

}  // namespace

int Print(HWND main, HWND edit, const char* title) {
    // The abort procedure dispatches messages while a job runs; a print
    // command that arrives meanwhile waits for no second job.
    if (g_printing) return 1;
    struct Busy {
        Busy() { g_printing = true; }
        ~Busy() { g_printing = false; }
    } busy;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = main;
    pd.Flags = PD_RETURNDC | PD_COLLATE;
    pd.nFromPage = 1;
    pd.nToPage = 0xFFFF;
    pd.nMinPage = 1;
    pd.nMaxPage = 0xFFFF;
    pd.nCopies = 1;
    if (!deferred::PrintDlgA(&pd)) {
        FreeDialogMemory(pd);
        if (pd.hDC) DeleteDC(pd.hDC);
        return 1;
    }
    FreeDialogMemory(pd);
    HDC dc = pd.hDC;
    if (!dc) return 0;

    TEXTMETRICA tm{};
    std::optional<PageGeometry> g;
    if (GetTextMetricsA(dc, &tm))
        g = pageGeometry({tm.tmHeight, tm.tmExternalLeading, tm.tmAveCharWidth, GetDeviceCaps(dc, HORZRES),
                          GetDeviceCaps(dc, VERTRES)});
    bool ok = false;
    if (g) {
        try {
            ok = RunJob(main, edit, dc, title, *g, pd.nCopies, (pd.Flags & PD_COLLATE) != 0);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    DeleteDC(dc);
    return ok ? 1 : 0;
}

namespace {

LRESULT PrintCommand(HWND main, unsigned, LPARAM) {
    // The abort box shows the title as it is, empty for an untitled document;
    // the failure message names it "NAMENLOS".
    if (!Print(main, shell::EditControl(), document::Title()))
        document::Warn(main, kPrintFailed);
    return 0;
}

constexpr command::CommandEntry kCommands[] = {
    {CMD_PRINT, PrintCommand},
};

}  // namespace

command::CommandTable Commands() { return command::MakeTable(kCommands); }

}  // namespace tessel::print
