// Unsaved text after a crash: the recovery file is written after typing
// stops, removed on save, on discarded changes and at a normal exit, and
// offered once at the next start of a program that was killed. A killed
// save leaves the old or the new text whole.
#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "core/recoveryfile.h"
#include "core/savefile_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

using tessel::recoveryfile::Decode;
using tessel::recoveryfile::ReadResult;
using tessel::recoveryfile::Record;

const char kOfferStart[] = "Tessel wurde nicht ordnungsgemäß beendet. Nicht gespeicherte Änderungen an ";
const char kOfferEnd[] = " wiederherstellen?";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitFor(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        gui::Pump();
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

// The record in the recovery file, read through a handle that lets the
// program holding it write on.
ReadResult ReadHeld(const std::string& path, Record& record) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ReadResult::kForeign;
    std::string bytes(70000, '\0');
    DWORD got = 0;
    ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return Decode(bytes, record);
}

std::string BesideMe(const char* name) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string me = module;
    return me.substr(0, me.find_last_of('\\') + 1) + name;
}

// The editor as a program of its own, which the test can kill.
class Editor {
public:
    explicit Editor(const std::string& args = "") {
        const std::string exe = BesideMe("tessel32.exe");
        std::string cmd = "\"" + exe + "\" " + args;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        if (started_) WaitForInputIdle(pi_.hProcess, 10000);
    }
    ~Editor() {
        if (!started_) return;
        kill();
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }

    // The program's first visible window of `cls` within `ms`, or null.
    HWND window(const char* cls, int ms) const {
        HWND found = nullptr;
        WaitFor([&] {
            Find find{pi_.dwProcessId, cls, nullptr};
            EnumWindows(FindProc, reinterpret_cast<LPARAM>(&find));
            found = find.found;
            return found != nullptr;
        }, ms);
        return found;
    }
    HWND main() const { return window("Tessel32", 10000); }
    HWND box(int ms = 10000) const { return window("#32770", ms); }
    HWND edit() const { return FindWindowExA(main(), nullptr, "edit", nullptr); }

    std::string text() const {
        char buffer[4096] = {};
        DWORD_PTR got = 0;
        SendMessageTimeoutA(edit(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000, &got);
        return buffer;
    }
    std::string caption() const {
        char buffer[256] = {};
        GetWindowTextA(main(), buffer, sizeof buffer);
        return buffer;
    }
    // Typed as keys: the edit control reports each change.
    void type(const std::string& typed) const {
        HWND e = edit();
        for (char c : typed) PostMessageA(e, WM_CHAR, static_cast<unsigned char>(c), 1);
        settle();
    }
    // Waits until the program has handled what was posted to it.
    void settle() const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    }
    void post(unsigned command) const { PostMessageA(main(), WM_COMMAND, command, 0); }
    void close() const { PostMessageA(main(), WM_CLOSE, 0, 0); }
    bool exited(int ms = 10000) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
    void kill() const {
        TerminateProcess(pi_.hProcess, 9);
        WaitForSingleObject(pi_.hProcess, 5000);
    }

private:
    struct Find {
        DWORD pid;
        const char* cls;
        HWND found;
    };
    static BOOL CALLBACK FindProc(HWND wnd, LPARAM lParam) {
        Find* find = reinterpret_cast<Find*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        char cls[64] = {};
        GetClassNameA(wnd, cls, sizeof cls);
        if (pid != find->pid || !IsWindowVisible(wnd) || lstrcmpiA(cls, find->cls) != 0) return TRUE;
        find->found = wnd;
        return FALSE;
    }
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

std::string BoxText(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

// Answers the box and waits until it is gone, so that a settle() after it
// waits for what the program does with the answer.
void Answer(HWND box, int button) {
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([&] { return !IsWindow(box); }, 10000);
}

std::string Lower(std::string s) {
    CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

TEST_CASE("after a kill the next start offers the unsaved text once: Ja restores it with its path, Nein removes it") {
    Editor probe;
    if (!probe.started()) {
        MESSAGE("tessel32.exe is not beside the tests: the crash cases are not run");
        return;
    }
    probe.kill();
    gui::Scratch s;
    const std::string doc = s.file("notiz.txt", "alt\r\n");
    const std::string rcv = BesideMe("tessel32.RCV");
    gui::RemoveFile(rcv);

    // Types, waits for the recovery file, and is killed from this process.
    auto crash = [&](const std::string& args, const std::string& typed) {
        Editor e(args);
        REQUIRE(e.main());
        e.type(typed);
        Record record;
        CHECK(WaitFor([&] { return ReadHeld(rcv, record) == ReadResult::kRead; }, 15000));
        e.kill();
        REQUIRE(Exists(rcv));
    };

    crash("\"" + doc + "\"", "neu ");
    {
        Editor a;
        HWND box = a.box();
        REQUIRE(box);
        const std::string offer = BoxText(box);
        CHECK(Lower(offer) == Lower(kOfferStart + doc + kOfferEnd));
        Answer(box, IDYES);
        a.settle();
        CHECK(a.text() == "neu alt\r\n");
        CHECK(a.caption() == "Tessel :  NOTIZ.TXT");
        {
            // A second start while the first runs asks nothing.
            Editor b;
            REQUIRE(b.main());
            CHECK_FALSE(b.box(1500));
            b.close();
            CHECK(b.exited());
        }
        // The text came back as changed: closing asks; "Nein" ends without a trace.
        a.close();
        box = a.box();
        REQUIRE(box);
        CHECK(BoxText(box) == gui::Prompt("NOTIZ.TXT"));
        Answer(box, IDNO);
        CHECK(a.exited());
    }
    CHECK_FALSE(Exists(rcv));
    CHECK(gui::ReadFile(doc) == "alt\r\n");

    // Untitled, answered "Nein": nothing restored, the file gone, and the
    // start after that asks nothing; the command line is handled as always.
    crash("", "Hallo");
    {
        Editor a("\"" + doc + "\"");
        HWND box = a.box();
        REQUIRE(box);
        CHECK(BoxText(box) == std::string(kOfferStart) + "NAMENLOS" + kOfferEnd);
        Answer(box, IDNO);
        a.settle();
        CHECK_FALSE(Exists(rcv));
        CHECK(a.text() == "alt\r\n");
        a.close();
        CHECK(a.exited());
    }
    {
        Editor a;
        REQUIRE(a.main());
        CHECK_FALSE(a.box(1500));
        a.type("x");
        a.close();
        HWND box = a.box();
        REQUIRE(box);
        Answer(box, IDNO);
        CHECK(a.exited());
    }
    CHECK_FALSE(Exists(rcv));
}

TEST_CASE("the recovery file follows the changes without touching undo or selection; a damaged one is only noted") {
    const std::string rcv = gui::RecoveryPath();
    gui::Scratch s;
    const std::string doc = s.file("text.txt", "eins zwei");
    {
        gui::App app;
        app.command(CMD_OPENPATH, gui::Arg(doc));
        app.select(0, 0);
        app.type("null ");
        app.select(2, 7);
        CHECK_FALSE(Exists(rcv));   // not at once: after typing stops
        REQUIRE(WaitFor([&] { return Exists(rcv); }, 5000));
        Record record;
        REQUIRE(ReadHeld(rcv, record) == ReadResult::kRead);
        CHECK(Lower(record.path) == Lower(doc));
        CHECK(record.text == "null eins zwei");
        CHECK(record.modified);
        CHECK(app.selection() == std::make_pair(2, 7));
        CHECK(SendMessageA(app.edit(), EM_CANUNDO, 0, 0) != 0);

        // Saved: gone. Changed again and discarded with "Nein": gone.
        CHECK(app.command(CMD_SAVE) == 1);
        CHECK_FALSE(Exists(rcv));
        app.type("x");
        REQUIRE(WaitFor([&] { return Exists(rcv); }, 5000));
        gui::ExpectMessage("Tessel", gui::Prompt("TEXT.TXT"), MB_ICONWARNING, IDNO);
        app.command(CMD_NEW);
        CHECK_FALSE(Exists(rcv));
        CHECK_DIALOGS_ANSWERED();
    }

    // A damaged and a foreign file are noted and never loaded.
    Record record;
    record.text = "geheim";
    std::string damaged = tessel::recoveryfile::Encode(record);
    damaged[damaged.size() - 1] ^= 1;
    for (const std::string& bytes : {damaged, std::string("[WINDOWSIZE]\r\nXPOS=1\r\n")}) {
        gui::WriteFile(rcv, bytes);
        gui::ExpectMessage("Tessel",
                           "Die Wiederherstellungsdatei " + rcv +
                               " ist beschädigt oder stammt nicht von Tessel; sie wird nicht geladen.",
                           MB_ICONWARNING);
        gui::App app("", true);
        CHECK(app.text().empty());
        CHECK_FALSE(tessel::document::Modified());
        CHECK_DIALOGS_ANSWERED();
    }
    // Made and never written: removed without a word. Rewritten and stopped
    // before it was cut: the new record is offered.
    gui::WriteFile(rcv, "");
    {
        gui::App app("", true);
        CHECK_DIALOGS_ANSWERED();
    }
    CHECK_FALSE(Exists(rcv));
    record.text = "kurz";
    gui::WriteFile(rcv, tessel::recoveryfile::Encode(record) + "Rest eines l\xE4ngeren Textes");
    gui::ExpectMessage("Tessel", std::string(kOfferStart) + "NAMENLOS" + kOfferEnd, MB_ICONQUESTION, IDYES);
    {
        gui::App app("", true);
        CHECK(app.text() == "kurz");
        CHECK(tessel::document::Modified());
        CHECK_DIALOGS_ANSWERED();
    }
    gui::RemoveFile(rcv);
}

// Types 1000 characters into `edit` as keys, in lines of 50; the time in ms.
double Type1000(HWND edit) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i)
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(i % 50 == 49 ? '\r' : 'a' + i % 26), 1);
    gui::Pump();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST_CASE("typing 1000 characters: the recovery writer costs nothing per key") {
    // Measured against a bare edit control of the same size and style, as
    // Wine's own drawing of each key dominates and differs between machines.
    double bare = 0;
    RECT rect{};
    double ms = 0;
    {
        gui::App app;
        GetWindowRect(app.edit(), &rect);
        ms = Type1000(app.edit());
        CHECK(app.text().size() == 1020);   // CR LF for each of the 20 line ends
        CHECK_DIALOGS_ANSWERED();
    }
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", nullptr,
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    REQUIRE(edit);
    bare = Type1000(edit);
    DestroyWindow(edit);
    MESSAGE("typing 1000 characters: " << ms << " ms, into a bare edit control " << bare << " ms: "
                                       << ms / bare);
    CHECK(ms < 3 * bare + 1000);
}

TEST_CASE("an editor killed while it saves over and over leaves the old or the new text whole, on a full drive too") {
    Editor probe;
    if (!probe.started()) {
        MESSAGE("tessel32.exe is not beside the tests: the killed save is not run");
        return;
    }
    probe.kill();
    gui::Scratch s;
    const std::string drive = gui::FullDrive();
    if (drive.empty()) MESSAGE("TESSEL_FULL_DRIVE not set: the killed save runs on an ordinary drive");
    const std::string doc = (drive.empty() ? s.dir : drive) + "abbruch.txt";
    gui::RemoveFile(BesideMe("tessel32.RCV"));
    std::string base;
    while (base.size() < 12000) base += "Eine Zeile Text, die gespeichert wird.\r\n";
    gui::WriteFile(doc, "A" + base);
    const std::string filler = drive + "filler.bin";
    if (!drive.empty()) {
        // The drive is full: the backup goes to the settings folder.
        HANDLE h = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const std::string block(1024, 'f');
        DWORD written = 0;
        while (WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written) {
        }
        CloseHandle(h);
    }
    const std::string places[] = {tessel::savefile::BackupBeside(doc.c_str()),
                                  tessel::savefile::BackupInSettings(doc.c_str(), gui::IniPath().c_str())};
    int killedMidSave = 0;
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        CAPTURE(round);
        {
            Editor e("\"" + doc + "\"");
            HWND main = e.main();
            HWND edit = e.edit();
            REQUIRE(edit);
            // Saves one after the other, the text going back and forth
            // between two first letters through undo.
            PostMessageA(edit, EM_SETSEL, 0, 1);
            PostMessageA(edit, WM_CHAR, static_cast<WPARAM>('a' + round), 1);
            for (int i = 0; i < 300; ++i) {
                PostMessageA(edit, EM_UNDO, 0, 0);
                for (int save = 0; save < 4; ++save) PostMessageA(main, WM_COMMAND, CMD_SAVE, 0);
            }
            Sleep(static_cast<DWORD>(300 + 97 * round));
            e.kill();
        }
        gui::RemoveFile(BesideMe("tessel32.RCV"));
        const std::string onDisk = gui::ReadFile(doc);
        std::optional<std::string> backup;
        for (const std::string& place : places) {
            Record record;
            if (!Exists(place)) continue;
            ++killedMidSave;
            if (Decode(gui::ReadFile(place), record) == ReadResult::kRead) backup = record.text;
        }
        gui::App app;
        if (backup && *backup != onDisk)
            gui::ExpectMessage("Tessel",
                               "Das Speichern von ABBRUCH.TXT wurde nicht abgeschlossen. Eine Sicherungskopie des "
                               "Textes, der gespeichert werden sollte, ist noch vorhanden.\n\nMöchten Sie die "
                               "Sicherungskopie als nicht gespeicherten Text übernehmen ?",
                               MB_ICONQUESTION, IDYES);
        app.command(CMD_OPENPATH, gui::Arg(doc));
        const std::string shown = app.text();
        CHECK(shown.size() == base.size() + 1);
        CHECK(shown.substr(1) == base);
        CHECK(IsCharAlphaA(shown.empty() ? '?' : shown[0]));
        for (const std::string& place : places) CHECK_FALSE(Exists(place));
        CHECK_DIALOGS_ANSWERED();
    }
    MESSAGE("killed in the middle of a save: " << killedMidSave << " of " << kRounds << " rounds");
    gui::RemoveFile(doc);
    if (!drive.empty()) gui::RemoveFile(filler);
}
