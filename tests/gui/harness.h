// Test harness for the GUI tests: starts the real main window, sends it real
// commands, and answers the message boxes and dialogs it shows through a
// scripted responder that checks each one before pressing a button.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// ------------------------------------------------------------ responder
// One expected dialog. The responder takes the steps in order: each dialog
// that opens is checked against the next step (caption, and for message boxes
// text and icon), then the step's action runs. A dialog nobody expected is
// recorded as a failure and cancelled, so a test can never hang on it.
struct Step {
    std::string caption;                  // exact window caption
    std::string text;                     // message box text (exact); empty: not checked
    UINT icon = 0;                        // MB_ICONERROR etc.; 0: not checked
    int button = IDOK;                    // pressed when there is no action
    std::function<void(HWND)> action;     // runs instead of pressing `button`
    bool checkText = false;
};

void ExpectMessage(const std::string& caption, const std::string& text, UINT icon, int button = IDOK);
void ExpectDialog(const std::string& caption, std::function<void(HWND)> action);
// Failures recorded so far (mismatches, unexpected dialogs, unanswered steps),
// and clears the script. Every test checks it is empty at its end.
std::vector<std::string> TakeFailures();
// Steps not yet used.
size_t PendingSteps();

// What the responder saw, newest last: "caption|text".
const std::vector<std::string>& SeenDialogs();

// Actions for dialogs. All of them post, so the dialog's own loop runs them.
void Press(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
std::string ItemText(HWND dialog, int id);
// Types a name into a common file dialog's file field and confirms.
void ChooseFile(HWND dialog, const std::string& path);

// ------------------------------------------------------------ application
// The running main window. The settings file and the recovery file beside
// the test program are removed before the start unless `keepSettings`.
class App {
public:
    explicit App(const std::string& cmdLine = "", bool keepSettings = false);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HWND main() const { return main_; }
    HWND edit() const;
    LRESULT command(unsigned id, LPARAM arg = 0);
    std::string text() const;
    // Puts text into the edit control as if it had been loaded: unmodified.
    void setText(const std::string& text);
    // Replaces the selection as if typed: the edit control notifies.
    void type(const std::string& text);
    void select(int start, int end);
    std::pair<int, int> selection() const;
    std::string caption() const;
    // Sends WM_CLOSE and runs the loop until the window is gone (true) or
    // the close was refused (false).
    bool close();
    bool alive() const;

private:
    HWND main_ = nullptr;
};

// Runs queued messages through the program's own loop step.
void Pump();

// Out of memory on demand: the first allocation (operator new) for which
// `when` holds throws std::bad_alloc, once; the responder's own allocations
// never fail. `when` must not allocate. Null disarms.
void FailOneAllocation(bool (*when)());
// Whether the armed allocation failure happened.
bool AllocationFailed();

// ------------------------------------------------------------ files
std::string IniPath();                   // the settings file of the test program
std::string RecoveryPath();              // its recovery file (extension RCV)
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);
std::string TempDir();                   // a fresh directory for the test's files, ends with '\'
std::string IniValue(const char* section, const char* key);
void SetIniValue(const char* section, const char* key, const char* value);

// A fresh directory for one test's files, removed with everything in it.
struct Scratch {
    std::string dir = TempDir();
    ~Scratch() { RemoveTree(dir); }
    std::string file(const std::string& name, const std::string& bytes) const;
    static void RemoveTree(const std::string& directory);
};

// A path as the lParam of commands 9 and 17.
inline LPARAM Arg(const std::string& path) { return reinterpret_cast<LPARAM>(path.c_str()); }
std::string Upper(std::string s);
// The change prompt's text for a document title.
std::string Prompt(const std::string& title);
// Puts text on the clipboard; null empties it.
void SetClipboard(const char* text);
// The clipboard's text ("" when it holds none).
std::string ClipboardText();
// A small drive the test may fill: TESSEL_FULL_DRIVE names its Unix directory
// (the test command mounts a 64 KB tmpfs there). Its Z:\ path with a
// backslash behind it, or "" when there is none (the caller says so and
// skips its full-drive case).
std::string FullDrive();
// A copy of the program in a folder nobody may write to (chattr +i):
// TESSEL_READONLY_PROGRAM names its Unix directory. Its Z:\ path with a
// backslash behind it, or "" when there is none.
std::string ReadOnlyProgramFolder();

}  // namespace gui
