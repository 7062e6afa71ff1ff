#include <doctest/doctest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "document/longpath.h"

using tessel::longpath::expandLongPath;

namespace {

// A file system that knows some paths (matched without regard to case, as
// FindFirstFile does) and records every lookup.
struct FakeFileSystem {
    std::map<std::string, std::string> entries;  // upper-case path -> stored name
    std::vector<std::string> lookups;

    tessel::longpath::FindFileName finder()
    {
        return [this](const std::string& path) -> std::optional<std::string> {
            lookups.push_back(path);
            std::string key = path;
            for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            const auto it = entries.find(key);
            if (it == entries.end()) return std::nullopt;
            return it->second;
        };
    }
};

FakeFileSystem programFiles()
{
    FakeFileSystem fs;
    fs.entries["C:\\PROGRA~1"] = "Program Files";
    fs.entries["C:\\PROGRAM FILES"] = "Program Files";
    fs.entries["C:\\PROGRA~1\\X.TXT"] = "x.txt";
    fs.entries["C:\\PROGRA~1\\TESSEL"] = "Tessel";
    fs.entries["C:\\PROGRA~1\\TESSEL\\LIESMI~1.TXT"] = "Liesmich zuerst.txt";
    return fs;
}

}  // namespace

TEST_CASE("each component takes the spelling the file system stores")
{
    auto fs = programFiles();
    std::string out;
    CHECK(expandLongPath("C:\\PROGRA~1\\X.TXT", out, fs.finder()) == 1);
    CHECK(out == "C:\\Program Files\\x.txt");
    // Looked up from the end towards the root, the root itself is not.
    CHECK(fs.lookups == std::vector<std::string>{"C:\\PROGRA~1\\X.TXT", "C:\\PROGRA~1"});

    CHECK(expandLongPath("c:\\progra~1\\tessel\\liesmi~1.txt", out, fs.finder()) == 1);
    CHECK(out == "c:\\Program Files\\Tessel\\Liesmich zuerst.txt");
}

TEST_CASE("a missing component leaves the path as given")
{
    auto fs = programFiles();
    std::string out = "old contents";
    CHECK(expandLongPath("C:\\PROGRA~1\\FEHLT.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\PROGRA~1\\FEHLT.TXT");
    CHECK(expandLongPath("C:\\NIRGENDS\\X.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\NIRGENDS\\X.TXT");
}

TEST_CASE("a trailing backslash or an empty component gives 0")
{
    auto fs = programFiles();
    std::string out;
    CHECK(expandLongPath("C:\\PROGRA~1\\", out, fs.finder()) == 0);
    CHECK(out == "C:\\PROGRA~1\\");
    CHECK(expandLongPath("C:\\PROGRA~1\\\\X.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\PROGRA~1\\\\X.TXT");
}

TEST_CASE("UNC paths keep \\\\server\\ and fail when the share cannot be looked up")
{
    FakeFileSystem fs;
    fs.entries["\\\\SERVER\\SHARE\\DOKU~1"] = "Dokumente";
    fs.entries["\\\\SERVER\\SHARE\\DOKU~1\\A.TXT"] = "A.txt";
    std::string out;
    CHECK(expandLongPath("\\\\SERVER\\SHARE\\DOKU~1\\A.TXT", out, fs.finder()) == 0);
    CHECK(out == "\\\\SERVER\\SHARE\\DOKU~1\\A.TXT");
    CHECK(fs.lookups.back() == "\\\\SERVER\\SHARE");

    // A file system that does report the share expands the rest.
    fs.entries["\\\\SERVER\\SHARE"] = "share";
    CHECK(expandLongPath("\\\\SERVER\\SHARE\\DOKU~1\\A.TXT", out, fs.finder()) == 1);
    CHECK(out == "\\\\SERVER\\share\\Dokumente\\A.txt");
}

TEST_CASE("roots, relative paths and drive-relative paths")
{
    FakeFileSystem fs;
    fs.entries["C:FOO"] = "Foo";
    fs.entries["C:FOO\\BAR"] = "bar";
    fs.entries["README"] = "ReadMe";
    fs.entries["DIR"] = "Dir";
    fs.entries["DIR\\F"] = "f";
    std::string out;
    // Nothing but the root: nothing to look up.
    CHECK(expandLongPath("C:\\", out, fs.finder()) == 1);
    CHECK(out == "C:\\");
    // Drive-relative: the root is just "C:".
    CHECK(expandLongPath("C:FOO\\BAR", out, fs.finder()) == 1);
    CHECK(out == "C:Foo\\bar");
    // No root at all.
    CHECK(expandLongPath("README", out, fs.finder()) == 1);
    CHECK(out == "ReadMe");
    CHECK(expandLongPath("DIR\\F", out, fs.finder()) == 1);
    CHECK(out == "Dir\\f");
    CHECK(fs.lookups.size() == 5u);
}

TEST_CASE("wildcards and over-long results are not expanded")
{
    FakeFileSystem fs;
    fs.entries["C:\\*.TXT"] = "first.txt";  // what FindFirstFile would answer
    std::string out;
    CHECK(expandLongPath("C:\\*.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\*.TXT");
    CHECK(fs.lookups.empty());

    // Two short names whose long names make the path longer than 255.
    fs.entries["C:\\LONG~1"] = std::string(150, 'd');
    fs.entries["C:\\LONG~1\\LONG~2"] = std::string(150, 'f');
    CHECK(expandLongPath("C:\\LONG~1\\LONG~2", out, fs.finder()) == 0);
    CHECK(out == "C:\\LONG~1\\LONG~2");
    // Exactly 255 is fine.
    fs.entries["C:\\LONG~1\\LONG~3"] = std::string(255 - 3 - 150 - 1, 'f');
    CHECK(expandLongPath("C:\\LONG~1\\LONG~3", out, fs.finder()) == 1);
    CHECK(out.size() == 255u);

    const std::string tooLong = "C:\\" + std::string(253, 'x');
    CHECK(expandLongPath(tooLong, out, fs.finder()) == 0);
    CHECK(out == tooLong);
}

TEST_CASE("the expansion never turns a path into one that names another file")
{
    FakeFileSystem fs;
    fs.entries["\\TEXTE"] = "Texte";
    fs.entries["\\TEXTE\\A.TXT"] = "a.txt";
    fs.entries["C:/TEXTE/A.TXT"] = "a.txt";  // the system looks up the last name
    fs.entries["C:/TEXTE"] = "Texte";
    std::string out;
    // From the root of the current drive: the leading backslash stays, the
    // path does not become relative to the current directory.
    CHECK(expandLongPath("\\TEXTE\\A.TXT", out, fs.finder()) == 1);
    CHECK(out == "\\Texte\\a.txt");
    // The cuts see only backslashes; a lookup across a '/' would lose the
    // directories before it ("C:a.txt"), so such a path is left as given.
    CHECK(expandLongPath("C:/TEXTE/A.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:/TEXTE/A.TXT");
    CHECK(expandLongPath("C:\\PROGRA~1/X.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\PROGRA~1/X.TXT");
}

TEST_CASE("dot components are resolved before the lookup")
{
    using tessel::longpath::resolveDots;
    CHECK(resolveDots("C:\\dir\\sub\\..\\f.txt") == "C:\\dir\\f.txt");
    CHECK(resolveDots("C:\\dir\\.\\f.txt") == "C:\\dir\\f.txt");
    CHECK(resolveDots("C:\\a\\b\\..\\..\\f.txt") == "C:\\f.txt");
    CHECK(resolveDots("C:\\dir\\sub\\..") == "C:\\dir");
    CHECK(resolveDots("\\\\SERVER\\SHARE\\x\\..\\y") == "\\\\SERVER\\SHARE\\y");
    CHECK(resolveDots("dir\\..\\f") == "f");
    CHECK(resolveDots("C:\\") == "C:\\");
    // A name that merely starts with dots is a name.
    CHECK(resolveDots("C:\\..x\\...\\.y") == "C:\\..x\\...\\.y");
    // Doubled and trailing backslashes stay for the lookup to refuse.
    CHECK(resolveDots("C:\\dir\\\\f") == "C:\\dir\\\\f");
    CHECK(resolveDots("C:\\dir\\") == "C:\\dir\\");
    // Climbing above the root is no path.
    CHECK_FALSE(resolveDots("C:\\..\\f.txt"));
    CHECK_FALSE(resolveDots("..\\f.txt"));
    CHECK_FALSE(resolveDots("C:.."));
    // A dropped dot never lets a doubled backslash become a new root.
    CHECK_FALSE(resolveDots(".\\\\x"));
    CHECK_FALSE(resolveDots("C:.\\\\x"));
    CHECK_FALSE(resolveDots("\\.\\\\srv\\share\\f"));
    CHECK_FALSE(resolveDots("a\\..\\\\x"));
    CHECK_FALSE(resolveDots("C:.\\/x"));
    CHECK_FALSE(resolveDots(".\\a:b"));
    // A leading backslash makes a root, whatever follows it.
    CHECK(resolveDots("\\:x\\..\\y") == "\\y");
    CHECK(resolveDots("C:\\d\\..\\a:b") == "C:\\a:b");

    FakeFileSystem fs;
    fs.entries["C:\\DIR"] = "Dir";
    fs.entries["C:\\DIR\\F.TXT"] = "f.txt";
    fs.entries["C:\\DIR\\SUB"] = "Sub";
    // What FindFirstFile answers for a ".." lookup: the directory's own name.
    fs.entries["C:\\DIR\\SUB\\.."] = "Dir";
    std::string out;
    CHECK(expandLongPath("C:\\DIR\\SUB\\..\\F.TXT", out, fs.finder()) == 1);
    CHECK(out == "C:\\Dir\\f.txt");
    CHECK(expandLongPath("C:\\..\\F.TXT", out, fs.finder()) == 0);
    CHECK(out == "C:\\..\\F.TXT");
}
