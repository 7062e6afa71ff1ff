// The text-block dialog through command 48: its button states, adding under
// the proposed name, deleting, the 256-block limit, inserting with undo, the
// file written only after a change and never lost to a failed write, and
// damaged files.
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/ids.h"
#include "tests/gui/checks.h"

namespace {

const char kCaption[] = "Textbaustein";

std::string AtxPath() {
    std::string ini = gui::IniPath();
    return ini.substr(0, ini.size() - 3) + "ATX";
}

std::string Record(const std::string& name, const std::string& text) {
    const std::size_t length = 24 + text.size();
    std::string r;
    r.push_back(static_cast<char>(length & 0xFF));
    r.push_back(static_cast<char>(length >> 8));
    return r + name + std::string(24 - name.size(), '\0') + text;
}

// The text-block file beside the test program, removed before and after.
struct AtxFile {
    AtxFile() { gui::RemoveFile(AtxPath()); }
    explicit AtxFile(const std::string& bytes) { gui::WriteFile(AtxPath(), bytes); }
    ~AtxFile() { gui::RemoveFile(AtxPath()); }
};

bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

struct Buttons {
    bool insert, add, remove;
    std::string second;
};

void CheckButtons(HWND d, const Buttons& b) {
    CHECK(Enabled(d, IDOK) == b.insert);
    CHECK(Enabled(d, IDC_TB_ADD) == b.add);
    CHECK(Enabled(d, IDC_TB_DELETE) == b.remove);
    CHECK(gui::ItemText(d, IDCANCEL) == b.second);
}

std::vector<std::string> ListNames(HWND d) {
    std::vector<std::string> names;
    const int n = static_cast<int>(SendDlgItemMessageA(d, IDC_TB_NAME, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char buf[64] = {};
        SendDlgItemMessageA(d, IDC_TB_NAME, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
        names.push_back(buf);
    }
    return names;
}

// Synchronous clicks and list choices: the dialog handles them at once.
void Click(HWND d, int id) { SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
void Choose(HWND d, int item) {
    SendDlgItemMessageA(d, IDC_TB_NAME, CB_SETCURSEL, item, 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_TB_NAME, CBN_SELCHANGE), 0);
}

const std::string kTwo = Record("eins", "erster\r\nBlock") + Record("zwei", "2");

}  // namespace

TEST_CASE("the dialog's buttons in each situation") {
    gui::App app;
    SUBCASE("without a selection, blocks present: the first is shown") {
        AtxFile file(kTwo);
        gui::ExpectDialog(kCaption, [](HWND d) {
            CheckButtons(d, {true, false, true, "&Abbrechen"});
            CHECK(ListNames(d) == std::vector<std::string>{"eins", "zwei"});
            CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "erster\r\nBlock");
            Choose(d, 1);
            CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "2");
            Click(d, IDC_TB_DELETE);   // after deleting
            CheckButtons(d, {false, false, true, "&Schließen"});
            CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "erster\r\nBlock");
            gui::Press(d, IDCANCEL);
        });
        app.command(CMD_TEXTBLOCKS);
        CHECK(gui::ReadFile(AtxPath()) == Record("eins", "erster\r\nBlock"));
    }
    SUBCASE("without a selection and without blocks; closing changes nothing") {
        AtxFile none;
        gui::ExpectDialog(kCaption, [](HWND d) {
            CheckButtons(d, {false, false, true, "&Schließen"});
            CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "");
            Click(d, IDC_TB_DELETE);   // nothing selected: nothing happens
            Click(d, IDOK);            // disabled: Enter does nothing either
            SendMessageA(d, WM_CLOSE, 0, 0);
        });
        app.command(CMD_TEXTBLOCKS);
        CHECK(GetFileAttributesA(AtxPath().c_str()) == INVALID_FILE_ATTRIBUTES);
    }
    SUBCASE("with a selection: the proposed name and the preview, then adding") {
        AtxFile file(kTwo);
        app.setText("123 Hallo Welt! und mehr");
        app.select(0, 15);
        gui::ExpectDialog(kCaption, [](HWND d) {
            CheckButtons(d, {false, true, false, "&Abbrechen"});
            CHECK(gui::ItemText(d, IDC_TB_NAME) == "Hallo Welt");
            CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "123 Hallo Welt!");
            CHECK(ListNames(d) == std::vector<std::string>{"eins", "zwei"});
            Click(d, IDC_TB_ADD);      // after adding
            CheckButtons(d, {false, false, true, "&Schließen"});
            CHECK(ListNames(d).back() == "Hallo Welt");
            gui::Press(d, IDCANCEL);
        });
        app.command(CMD_TEXTBLOCKS);
        CHECK(gui::ReadFile(AtxPath()) == kTwo + Record("Hallo Welt", "123 Hallo Welt!"));
        CHECK(app.text() == "123 Hallo Welt! und mehr");   // closing never changes the document
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("stored blocks: the 29-byte record, a 24-character name, add then delete another, delete all") {
    gui::App app;
    AtxFile none;
    app.setText("abc");
    app.select(0, 3);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(gui::ItemText(d, IDC_TB_NAME) == "abc");
        gui::SetItemText(d, IDC_TB_NAME, "X");
        Click(d, IDC_TB_ADD);
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    const std::string x = gui::ReadFile(AtxPath());
    CHECK(x.size() == 29);
    CHECK(x == std::string("\x1B\x00X", 3) + std::string(23, '\0') + "abc");

    // The field takes 24 typed characters; 23 are stored.
    app.setText("Gr\xF6\xDF" "e");
    app.select(0, 5);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(gui::ItemText(d, IDC_TB_NAME) == "Gre");
        SendDlgItemMessageA(d, IDC_TB_NAME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ABCDEFGHIJKLMNOPQRSTUVWX"));
        Click(d, IDC_TB_ADD);
        // Adding, then deleting another block in the same opening.
        Choose(d, 0);
        CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "abc");
        Click(d, IDC_TB_DELETE);
        CHECK(ListNames(d) == std::vector<std::string>{"ABCDEFGHIJKLMNOPQRSTUVW"});
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(gui::ReadFile(AtxPath()) == Record("ABCDEFGHIJKLMNOPQRSTUVW", "Gr\xF6\xDF" "e"));

    // Deleting every block leaves an empty file.
    gui::WriteFile(AtxPath(), kTwo);
    app.select(0, 0);
    gui::ExpectDialog(kCaption, [](HWND d) {
        Click(d, IDC_TB_DELETE);
        Click(d, IDC_TB_DELETE);
        CHECK(ListNames(d).empty());
        CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "");
        Click(d, IDC_TB_DELETE);
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(GetFileAttributesA(AtxPath().c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(gui::ReadFile(AtxPath()).empty());
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("inserting at the caret undoes in one step; a 30000-character block") {
    gui::App app;
    AtxFile file(kTwo + Record("gross", std::string(30000, 'g')));
    app.setText("vorher|nachher");
    app.select(6, 6);   // with a selection the dialog offers to store it instead
    gui::ExpectDialog(kCaption, [](HWND d) {
        Choose(d, 0);
        gui::Press(d, IDOK);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(app.text() == "vorhererster\r\nBlock|nachher");
    app.command(CMD_UNDO);
    CHECK(app.text() == "vorher|nachher");
    CHECK(gui::ReadFile(AtxPath()) == kTwo + Record("gross", std::string(30000, 'g')));   // unchanged

    app.setText("");
    gui::ExpectDialog(kCaption, [](HWND d) {
        Choose(d, 2);
        // The preview shows the block's beginning: a long line costs the
        // wrapping edit control time that grows with its square.
        CHECK(GetWindowTextLengthA(GetDlgItem(d, IDC_TB_PREVIEW)) == 4096);
        gui::Press(d, IDOK);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(app.text() == std::string(30000, 'g'));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("256 blocks with 23-character names: the 257th is refused and nothing is stored") {
    std::string many;
    for (int i = 0; i < 256; ++i) many += Record(std::string(22, 'N') + static_cast<char>('A' + i % 26), "t");
    AtxFile file(many);
    gui::App app;
    app.setText("noch einer");
    app.select(0, 10);
    // The warning comes from inside the dialog: answer it, then close the dialog.
    static HWND dialog;
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(ListNames(d).size() == 256);
        dialog = d;
        gui::Press(d, IDC_TB_ADD);
    });
    gui::ExpectDialog("Warnung", [](HWND box) {
        CHECK(gui::ItemText(box, 0xFFFF) == "Es sind bereits 256 Textbausteine definiert - keine weiteren mehr möglich");
        CHECK(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0) ==
              reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_HAND)));
        gui::Press(box, IDOK);
        CheckButtons(dialog, {false, true, false, "&Abbrechen"});
        CHECK(ListNames(dialog).size() == 256);
        gui::Press(dialog, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    gui::Pump();
    CHECK(gui::ReadFile(AtxPath()) == many);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("damaged files open with their whole records and are not rewritten unless changed") {
    gui::App app;
    std::string random(1 << 20, '\0');
    std::srand(12);
    for (char& c : random) c = static_cast<char>(std::rand() & 0xFF);
    struct Case {
        std::string bytes;
        std::size_t blocks;
    };
    const Case cases[] = {
        {"", 0},
        {"\x1B", 0},
        {kTwo + "\x30\x00" "abc", 2},
        {std::string(5000, '\0'), 0},
        {random, std::string::npos},
        {std::string("\x1A\x00", 2) + std::string(24, 'Q') + "zz", 1},
    };
    for (const Case& c : cases) {
        AtxFile file(c.bytes);
        gui::ExpectDialog(kCaption, [&c](HWND d) {
            if (c.blocks != std::string::npos) CHECK(ListNames(d).size() == c.blocks);
            if (c.blocks == 1) CHECK(ListNames(d)[0] == std::string(23, 'Q'));
            gui::Press(d, IDCANCEL);
        });
        app.command(CMD_TEXTBLOCKS);
        CHECK(gui::ReadFile(AtxPath()) == c.bytes);
    }
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a block holding a NUL byte keeps all its bytes when the file is rewritten") {
    gui::App app;
    const std::string withNul = Record("nul", std::string("vor\0nach", 8));
    AtxFile file(withNul + Record("weg", "x"));
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(gui::ItemText(d, IDC_TB_PREVIEW) == "vor");   // a window text ends at the NUL
        Choose(d, 1);
        Click(d, IDC_TB_DELETE);
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(gui::ReadFile(AtxPath()) == withNul);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a failed write keeps the old file and the blocks, which the next opening offers again") {
    const std::string drive = gui::FullDrive();
    if (drive.empty()) {
        MESSAGE("TESSEL_FULL_DRIVE not set: the full-drive case is not run");
        return;
    }
    const std::string atx = drive + "BLOCKS.ATX";
    gui::WriteFile(atx, kTwo);
    gui::WriteFile(drive + "filler.bin", std::string(40000, 'f'));
    gui::App app;
    app.setText(std::string(29000, 'b'));
    app.select(0, 29000);
    gui::ExpectDialog(kCaption, [](HWND d) {
        Click(d, IDC_TB_ADD);
        gui::Press(d, IDCANCEL);
    });
    gui::ExpectMessage("Warnung",
                       "Die Textbausteine konnten nicht gespeichert werden.\n\nDie Datei bleibt, wie sie war; die "
                       "Änderungen werden beim nächsten Schließen des Dialogs erneut gespeichert.",
                       MB_ICONERROR);
    app.command(CMD_TEXTBLOCKS, gui::Arg(atx));
    CHECK(gui::ReadFile(atx) == kTwo);
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((drive + "TSL*.TMP").c_str(), &found);
    CHECK(left == INVALID_HANDLE_VALUE);
    if (left != INVALID_HANDLE_VALUE) FindClose(left);

    // With room again, the next opening still has the new block and writes it.
    gui::RemoveFile(drive + "filler.bin");
    app.select(0, 0);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(ListNames(d) == std::vector<std::string>{"eins", "zwei", std::string(23, 'b')});
        CHECK(gui::ItemText(d, IDCANCEL) == "&Abbrechen");
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS, gui::Arg(atx));
    CHECK(gui::ReadFile(atx) == kTwo + Record(std::string(23, 'b'), std::string(29000, 'b')));
    gui::RemoveFile(atx);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a read-only text-block file is not overwritten: the warning, and the file as it was") {
    gui::App app;
    AtxFile file(kTwo);
    SetFileAttributesA(AtxPath().c_str(), FILE_ATTRIBUTE_READONLY);
    app.select(0, 0);
    gui::ExpectDialog(kCaption, [](HWND d) {
        Click(d, IDC_TB_DELETE);
        gui::Press(d, IDCANCEL);
    });
    gui::ExpectMessage("Warnung",
                       "Die Textbausteine konnten nicht gespeichert werden.\n\nDie Datei bleibt, wie sie war; die "
                       "Änderungen werden beim nächsten Schließen des Dialogs erneut gespeichert.",
                       MB_ICONERROR);
    app.command(CMD_TEXTBLOCKS);
    CHECK(gui::ReadFile(AtxPath()) == kTwo);
    CHECK((GetFileAttributesA(AtxPath().c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    // Writable again: the next closing stores the deletion.
    SetFileAttributesA(AtxPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(ListNames(d) == std::vector<std::string>{"zwei"});
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(gui::ReadFile(AtxPath()) == Record("zwei", "2"));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a text-block file that exists but cannot be read is never written; the dialog still opens") {
    gui::App app;
    AtxFile file(kTwo);
    const std::string warning = "Die Textbausteine in " + AtxPath() +
                                " konnten nicht gelesen werden; vielleicht hat ein anderes Programm die Datei "
                                "geöffnet.\n\nDamit keine Textbausteine verloren gehen, bleibt die Datei unverändert: "
                                "Hinzufügen und Löschen sind gesperrt, bis sie wieder gelesen werden kann.";
    // Another program holds the file without read sharing.
    HANDLE held = CreateFileA(AtxPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    app.setText("neuer Block");
    app.select(0, 11);
    gui::ExpectMessage("Warnung", warning, MB_ICONERROR);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CheckButtons(d, {false, false, false, "&Abbrechen"});
        CHECK(ListNames(d).empty());
        Click(d, IDC_TB_ADD);   // disabled: nothing is added
        CHECK(ListNames(d).empty());
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CloseHandle(held);
    CHECK(gui::ReadFile(AtxPath()) == kTwo);

    // Readable again: the next opening has every stored block, and closing
    // it writes nothing over them.
    app.select(0, 0);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CHECK(ListNames(d) == std::vector<std::string>{"eins", "zwei"});
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS);
    CHECK(gui::ReadFile(AtxPath()) == kTwo);

    // A path that cannot be read as a file at all: the same warning, and
    // the dialog still opens.
    gui::Scratch scratch;
    const std::string folder = scratch.dir + "ORDNER.ATX";
    REQUIRE(CreateDirectoryA(folder.c_str(), nullptr));
    app.setText("neu");
    app.select(0, 3);
    gui::ExpectMessage("Warnung",
                       "Die Textbausteine in " + folder + warning.substr(warning.find(" konnten")), MB_ICONERROR);
    gui::ExpectDialog(kCaption, [](HWND d) {
        CheckButtons(d, {false, false, false, "&Abbrechen"});
        gui::Press(d, IDCANCEL);
    });
    app.command(CMD_TEXTBLOCKS, gui::Arg(folder));
    CHECK(GetFileAttributesA(folder.c_str()) == FILE_ATTRIBUTE_DIRECTORY);
    CHECK_DIALOGS_ANSWERED();
}
