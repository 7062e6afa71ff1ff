// A save cut off after any of its file operations leaves the old or the new
// text whole where the editor finds it.
// Saving keeps the file what it was: its permission bits, links and
// attributes stay, it saves where others hold it open or no new file may be
// created, and a failed save leaves the old bytes and no temporary file.
// The Unix cases run on the Z:\ path of the test's scratch directory.
#include <optional>
#include <string>

#include "app/mainwindow_win.h"
#include "core/recoveryfile.h"
#include "core/savefile_win.h"
#include "document/document_win.h"
#include "resources/ids.h"
#include "tests/gui/checks.h"
#include "tests/gui/unixside.h"

namespace {

using gui::Arg;
using gui::RunUnix;
using gui::ShellQuote;

// The scratch directory seen through drive Z:, and its Unix path.
struct UnixScratch {
    gui::Scratch scratch;
    std::string unix = gui::UnixPath(scratch.dir);
    std::string z;
    UnixScratch() {
        if (unix.empty()) return;
        if (unix.back() != '/') unix += '/';
        z = "Z:" + unix;
        for (char& c : z)
            if (c == '/') c = '\\';
    }
    bool ok() const { return !unix.empty(); }
    std::string file(const std::string& name, const std::string& bytes) const {
        gui::WriteFile(z + name, bytes);
        return z + name;
    }
};

std::string Sh(const std::string& script) {
    bool ok = false;
    std::string out = RunUnix(script, &ok);
    CHECK_MESSAGE(ok, "shell: " << script << " -> " << out);
    return out;
}

bool TempFileLeft(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((dir + "TSL*.TMP").c_str(), &found);
    if (left == INVALID_HANDLE_VALUE) return false;
    FindClose(left);
    return true;
}

// Opens `path`, puts `text` in front and saves it.
LRESULT EditAndSave(gui::App& app, const std::string& path, const std::string& text) {
    app.command(CMD_OPENPATH, Arg(path));
    app.select(0, 0);
    app.type(text);
    return app.command(CMD_SAVE);
}

}  // namespace

TEST_CASE("saving keeps the file itself: permission bits, a symbolic link and a hard link on Z:") {
    UnixScratch s;
    if (!s.ok()) {
        MESSAGE("not under Wine: the Unix identity cases are not run");
        return;
    }
    gui::App app;
    const std::string u = s.unix;

    SUBCASE("0600 stays 0600 and 0755 stays 0755, the inode stays") {
        for (const char* mode : {"600", "755", "640"}) {
            CAPTURE(mode);
            const std::string name = std::string("modus") + mode + ".txt";
            const std::string path = s.file(name, "alt\r\n");
            Sh("chmod " + std::string(mode) + " " + ShellQuote(u + name));
            const std::string inode = Sh("stat -c %i " + ShellQuote(u + name));
            CHECK(EditAndSave(app, path, "neu ") == 1);
            CHECK(gui::ReadFile(path) == "neu alt\r\n");
            CHECK(Sh("stat -c %a " + ShellQuote(u + name)) == mode);
            CHECK(Sh("stat -c %i " + ShellQuote(u + name)) == inode);
        }
    }
    SUBCASE("a symbolic link stays a link and its target gets the text") {
        s.file("ziel.txt", "Ziel\r\n");
        Sh("ln -s ziel.txt " + ShellQuote(u + "verweis.txt"));
        CHECK(EditAndSave(app, s.z + "verweis.txt", "neu ") == 1);
        CHECK(Sh("readlink " + ShellQuote(u + "verweis.txt")) == "ziel.txt");
        CHECK(gui::ReadFile(s.z + "ziel.txt") == "neu Ziel\r\n");
        Sh("rm " + ShellQuote(u + "verweis.txt"));
    }
    SUBCASE("a hard link keeps sharing the text") {
        s.file("eins.txt", "geteilt");
        Sh("ln " + ShellQuote(u + "eins.txt") + " " + ShellQuote(u + "zwei.txt"));
        CHECK(EditAndSave(app, s.z + "eins.txt", "neu ") == 1);
        CHECK(gui::ReadFile(s.z + "zwei.txt") == "neu geteilt");
        CHECK(Sh("stat -c %h " + ShellQuote(u + "eins.txt")) == "2");
    }
    CHECK_FALSE(TempFileLeft(s.z));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("saving sets the archive attribute and keeps the others") {
    gui::Scratch s;
    const std::string path = s.file("archiv.txt", "alt");
    gui::App app;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    // Wine reports every file as to be archived; Windows keeps the bit clear.
    const bool archiveCleared = (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE) == 0;
    CHECK(EditAndSave(app, path, "neu ") == 1);
    const DWORD after = GetFileAttributesA(path.c_str());
    if (archiveCleared)
        CHECK((after & FILE_ATTRIBUTE_ARCHIVE) != 0);
    else
        MESSAGE("the archive attribute cannot be cleared here: only the kept attributes are checked");
    CHECK((after & FILE_ATTRIBUTE_HIDDEN) != 0);
    CHECK(gui::ReadFile(path) == "neu alt");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a file that another program holds open without delete sharing still saves") {
    gui::Scratch s;
    const std::string path = s.file("offen.txt", "alt");
    gui::App app;
    for (DWORD access : {static_cast<DWORD>(GENERIC_READ), static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE)}) {
        CAPTURE(access);
        app.command(CMD_OPENPATH, Arg(path));
        app.select(0, 0);
        app.type("x");
        HANDLE holder = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        REQUIRE(holder != INVALID_HANDLE_VALUE);
        CHECK(app.command(CMD_SAVE) == 1);
        CloseHandle(holder);
        CHECK(gui::ReadFile(path).substr(0, 1) == "x");
        CHECK_FALSE(tessel::document::Modified());
    }
    CHECK(gui::ReadFile(path) == "xxalt");

    // A holder that forbids writing but allows deleting: the file is replaced
    // by a new one, unless that would break a hard link.
    app.command(CMD_OPENPATH, Arg(path));
    app.select(0, 0);
    app.type("y");
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    REQUIRE(reader != INVALID_HANDLE_VALUE);
    CHECK(app.command(CMD_SAVE) == 1);
    CloseHandle(reader);
    CHECK(gui::ReadFile(path) == "yxxalt");

    const std::string second = s.dir + "zweiter.txt";
    REQUIRE(CreateHardLinkA(second.c_str(), path.c_str(), nullptr));
    app.type("z");
    reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         0, nullptr);
    gui::ExpectMessage("Tessel", "Fehler beim Schreiben von OFFEN.TXT!", MB_ICONWARNING);
    CHECK(app.command(CMD_SAVE) == 0);
    CloseHandle(reader);
    CHECK(gui::ReadFile(path) == "yxxalt");
    CHECK(gui::ReadFile(second) == "yxxalt");
    CHECK(tessel::document::Modified());
    CHECK_FALSE(TempFileLeft(s.dir));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a file in a directory where no new file can be created still saves") {
    UnixScratch s;
    if (!s.ok()) {
        MESSAGE("not under Wine: the locked directory case is not run");
        return;
    }
    const std::string path = s.file("fest.txt", "alt\r\n");
    gui::App app;
    // Immutable: no entry of the directory may be added, removed or renamed,
    // while the files in it can still be written.
    bool locked = false;
    RunUnix("chattr +i " + ShellQuote(s.unix), &locked);
    struct Unlock {
        std::string dir;
        ~Unlock() { RunUnix("chattr -i " + ShellQuote(dir)); }
    } unlock{s.unix};
    if (!locked) {
        MESSAGE("chattr +i is not available here: the locked directory case is not run");
        return;
    }
    REQUIRE(CreateDirectoryA((s.z + "probe").c_str(), nullptr) == 0);
    CHECK(EditAndSave(app, path, "neu ") == 1);
    CHECK(gui::ReadFile(path) == "neu alt\r\n");

    CHECK_FALSE(TempFileLeft(s.z));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("on a drive too full for a second copy, a text of the same size still saves in place") {
    const std::string drive = gui::FullDrive();
    if (drive.empty()) {
        MESSAGE("TESSEL_FULL_DRIVE not set: the full-drive case is not run");
        return;
    }
    const std::string doc = drive + "gleich.txt";
    const std::string original(8000, 'o');
    gui::WriteFile(doc, original);
    // Fill the rest of the drive.
    HANDLE filler = CreateFileA((drive + "filler.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(filler != INVALID_HANDLE_VALUE);
    const std::string block(1024, 'f');
    DWORD written = 0;
    while (WriteFile(filler, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
           written == block.size()) {
    }
    CloseHandle(filler);

    gui::App app;
    app.command(CMD_OPENPATH, Arg(doc));
    app.select(0, 1);
    app.type("n");
    CHECK(app.command(CMD_SAVE) == 1);
    CHECK(gui::ReadFile(doc) == "n" + original.substr(1));
    CHECK_FALSE(TempFileLeft(drive));

    // One byte more does not fit: the old text stays.
    app.select(0, 0);
    app.type(std::string(5000, 'm'));
    gui::ExpectMessage("Tessel", "Fehler beim Schreiben von GLEICH.TXT!", MB_ICONWARNING);
    CHECK(app.command(CMD_SAVE) == 0);
    CHECK(gui::ReadFile(doc) == "n" + original.substr(1));
    CHECK_FALSE(TempFileLeft(drive));
    gui::RemoveFile(doc);
    gui::RemoveFile(drive + "filler.bin");
    CHECK_DIALOGS_ANSWERED();
}

namespace {

// The backup offer shown when a document with a left-over backup is opened.
std::string BackupOffer(const std::string& title) {
    return "Das Speichern von " + title +
           " wurde nicht abgeschlossen. Eine Sicherungskopie des Textes, der gespeichert werden sollte, ist noch "
           "vorhanden.\n\nMöchten Sie die Sicherungskopie als nicht gespeicherten Text übernehmen ?";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The text of a backup that reads, or no value.
std::optional<std::string> BackupText(const std::string& place) {
    tessel::recoveryfile::Record record;
    if (!Exists(place) ||
        tessel::recoveryfile::Decode(gui::ReadFile(place), record) != tessel::recoveryfile::ReadResult::kRead)
        return std::nullopt;
    return record.text;
}

}  // namespace

TEST_CASE("a save cut off after any of its file operations leaves the old or the new text where the editor finds it") {
    gui::Scratch s;
    gui::App app;
    const std::string path = s.dir + "brief.txt";
    const std::string beside = tessel::savefile::BackupBeside(path.c_str());
    const std::string inSettings = tessel::savefile::BackupInSettings(path.c_str(), gui::IniPath().c_str());
    const std::string old = "alter Text\r\n" + std::string(3000, 'a');
    const std::string fresh = "neuer Text\r\n" + std::string(2000, 'n');   // shorter: the length is cut too

    enum Kind { kInPlace, kNewFile, kSettingsFolder };
    for (Kind kind : {kInPlace, kNewFile, kSettingsFolder}) {
        const int kindNo = kind;
        CAPTURE(kindNo);
        // A directory where the backup beside would go sends it to the settings folder.
        if (kind == kSettingsFolder) REQUIRE(CreateDirectoryA(beside.c_str(), nullptr));
        int step = 0;
        for (;; ++step) {
            CAPTURE(step);
            if (kind == kNewFile)
                gui::RemoveFile(path);
            else
                gui::WriteFile(path, old);
            tessel::savefile::CutAtStep(step);
            const bool saved = tessel::savefile::SaveDocumentBytes(path.c_str(), fresh.data(), fresh.size());
            tessel::savefile::CutAtStep(-1);
            if (!tessel::savefile::LastSaveCut()) {
                // The whole save: the new text and nothing beside it.
                CHECK(saved);
                CHECK(gui::ReadFile(path) == fresh);
                break;
            }
            if (!Exists(path)) {
                // Cut before a new file was created: the old state, no file.
                CHECK(kind == kNewFile);
                gui::RemoveFile(beside);
                continue;
            }
            const std::string place = kind == kSettingsFolder ? inSettings : beside;
            const std::optional<std::string> backup = BackupText(place);
            if (backup) CHECK(*backup == fresh);
            const bool offered = backup && *backup != gui::ReadFile(path);
            if (offered) gui::ExpectMessage("Tessel", BackupOffer("BRIEF.TXT"), MB_ICONQUESTION, IDYES);
            app.command(CMD_OPENPATH, Arg(path));
            const std::string shown = app.text();
            CHECK((shown == fresh || (kind != kNewFile && shown == old)));
            CHECK(tessel::document::Modified() == offered);
            CHECK_FALSE(Exists(place));
            tessel::document::SetModified(false);
        }
        // Opening, creating, writing and flushing the backup and the document,
        // cutting the length and removing the backup.
        CHECK(step >= (kind == kNewFile ? 7 : 8));
        CHECK_FALSE(Exists(inSettings));
        if (kind == kSettingsFolder)
            RemoveDirectoryA(beside.c_str());
        else
            CHECK_FALSE(Exists(beside));
        CHECK_DIALOGS_ANSWERED();
    }

    // A backup left over by a save that had finished holds the document's
    // text: it goes silently. "Nein" removes one that differs.
    gui::WriteFile(path, fresh);
    tessel::recoveryfile::Record record;
    record.kind = tessel::recoveryfile::Kind::kBackup;
    record.path = path;
    record.text = fresh;
    gui::WriteFile(beside, tessel::recoveryfile::Encode(record));
    app.command(CMD_OPENPATH, Arg(path));
    CHECK_FALSE(Exists(beside));
    record.text = "anders";
    gui::WriteFile(beside, tessel::recoveryfile::Encode(record));
    gui::ExpectMessage("Tessel", BackupOffer("BRIEF.TXT"), MB_ICONQUESTION, IDNO);
    app.command(CMD_OPENPATH, Arg(path));
    CHECK(app.text() == fresh);
    CHECK_FALSE(tessel::document::Modified());
    CHECK_FALSE(Exists(beside));
    CHECK_FALSE(TempFileLeft(s.dir));
    CHECK_DIALOGS_ANSWERED();
}

TEST_CASE("a file of the user's own that has the backup's name is neither written over nor deleted") {
    gui::Scratch s;
    gui::App app;
    const std::string path = s.file("notiz.txt", "alt");
    const std::string beside = tessel::savefile::BackupBeside(path.c_str());
    gui::WriteFile(beside, "eigene Datei");
    CHECK(EditAndSave(app, path, "neu ") == 1);
    CHECK(gui::ReadFile(path) == "neu alt");
    app.command(CMD_OPENPATH, Arg(path));
    CHECK(gui::ReadFile(beside) == "eigene Datei");
    CHECK_FALSE(Exists(tessel::savefile::BackupInSettings(path.c_str(), gui::IniPath().c_str())));
    CHECK_DIALOGS_ANSWERED();
}
