#include "document/starter_win.h"

#include <cstdio>
#include <string>

#include "core/msgbox_win.h"
#include "core/settings_win.h"
#include "document/filedialog_win.h"
#include "document/filetypes.h"
#include "document/startercmd.h"
#include "resources/ids.h"
#include "core/dialogutil_win.h"
#include "core/shell_win.h"

namespace tessel::starter {
namespace {

constexpr DWORD kCaptionRead = 128;   // a binding read for the button caption
constexpr DWORD kTestRead = 32;       // a binding read only to see whether there is one
constexpr int kCaptionLength = 31;

constexpr msgbox::Message kStarterHelp{
    "Zum Belegen der Schaltflächen mit Alternativprogrammen, muß nur beim Klicken die "
    "Umschalttaste gehalten werden.\n\nMan kann dann eine andere Programmdatei aud dem "
    "Dateidialog wählen !",
    msgbox::kCaptionNote, MB_ICONINFORMATION};

// The last button clicked without Shift; kept from one opening to the next.
int g_chosen;
// The choosing dialog's path and file type, kept between calls.
char g_programPath[512];
DWORD g_filterIndex;

bool IsStarterButton(int id) { return id >= kFirstButton && id <= kLastButton; }

// PRGSTART/EXE<id>: the program bound to a button.
std::string BindingKey(int buttonId) {
    char key[16];
    std::snprintf(key, sizeof key, "EXE%d", buttonId);
    return key;
}

std::string ReadBinding(int buttonId, DWORD capacity) {
    return settings::ReadString(kSection, BindingKey(buttonId).c_str(), capacity);
}

void ShowCaption(HWND dialog, int id) {
    std::string binding = ReadBinding(id, kCaptionRead);
    std::string caption = binding.empty() ? std::string() : filedialog::FileTitle(binding.c_str(), kCaptionLength + 1);
    if (caption.size() > kCaptionLength) caption.resize(kCaptionLength);
    CharUpperA(caption.data());
    SetDlgItemTextA(dialog, id, caption.c_str());
}

bool ChooseProgram(HWND dialog) {
    filedialog::Request request{g_programPath,
                                sizeof g_programPath,
                                filetypes::kProgramDefaultExtension,
                                filetypes::programFilter().c_str(),
                                "Programmdatei wählen",
                                g_filterIndex};
    BOOL chosen = filedialog::Run(dialog, filedialog::kOpen, request);
    g_filterIndex = request.filterIndex;
    return chosen != 0;
}

struct StarterRecord {
    int closeAfterStart = 1;
};

void ButtonClicked(HWND dialog, int id) {
    if (GetKeyState(VK_SHIFT) < 0) {
        // Shift+click binds another program to the button.
        if (ChooseProgram(dialog)) {
            settings::WriteString(kSection, BindingKey(id).c_str(), g_programPath);
            ShowCaption(dialog, id);
        }
        return;
    }
    g_chosen = id;
    if (!ReadBinding(id, kTestRead).empty()) SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

const dialogutil::DialogKind<StarterRecord> kStarterDialog{
    "EDITSTARTER", IDC_STARTER_ICON,
    [](HWND d, StarterRecord&) -> BOOL {
        for (int id = kFirstButton; id <= kLastButton; ++id) ShowCaption(d, id);
        CheckDlgButton(d, IDC_STARTER_CLOSE, BST_CHECKED);
        return TRUE;
    },
    nullptr,
    [](HWND d, WPARAM wParam, StarterRecord& r) -> INT_PTR {
        const int id = LOWORD(wParam);
        if (IsStarterButton(id)) {
            if (HIWORD(wParam) == BN_CLICKED) ButtonClicked(d, id);
            return TRUE;
        }
        switch (id) {
        case IDC_STARTER_CLOSE:
            r.closeAfterStart = r.closeAfterStart ? 0 : 1;
            CheckDlgButton(d, IDC_STARTER_CLOSE, r.closeAfterStart ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case IDC_STARTER_HELP:
            msgbox::Show(kStarterHelp);
            return TRUE;
        default:
            return FALSE;
        }
    }};

}  // namespace

void Run(HWND main, const char* filePath) {
    const std::string file = filePath ? filePath : "";
    StarterRecord record;
    if (dialogutil::Run(main, kStarterDialog, record) != 1) return;
    const int button = g_chosen;
    if (!IsStarterButton(button)) return;
    // Program and file are quoted where they hold blanks, and the line is
    // built at its full length: a cut line would start with a wrong file.
    const std::string line =
        commandLine(ReadBinding(button, kCommandLineBufferSize), file);
    if (line.empty()) return;
    if (record.closeAfterStart) shell::SendCommand(CMD_EXIT);
    WinExec(line.c_str(), SW_SHOW);
}

}  // namespace tessel::starter
