#include <doctest/doctest.h>

#include <string>

#include "document/startercmd.h"

using tessel::starter::commandLine;

TEST_CASE("binding, one blank, file path")
{
    CHECK(commandLine("C:\\WINDOWS\\NOTEPAD.EXE", "C:\\DATEN\\GROSS.TXT") ==
          "C:\\WINDOWS\\NOTEPAD.EXE C:\\DATEN\\GROSS.TXT");
    CHECK(commandLine("WRITE.EXE", "\\\\SERVER\\SHARE\\LOG.TXT") ==
          "WRITE.EXE \\\\SERVER\\SHARE\\LOG.TXT");
}

TEST_CASE("paths with blanks are quoted, each on its own")
{
    CHECK(commandLine("C:\\PROGRAM FILES\\X\\X.EXE", "C:\\DATEN\\GROSS.TXT") ==
          "\"C:\\PROGRAM FILES\\X\\X.EXE\" C:\\DATEN\\GROSS.TXT");
    CHECK(commandLine("C:\\WINDOWS\\NOTEPAD.EXE", "C:\\EIGENE DATEIEN\\GROSS.TXT") ==
          "C:\\WINDOWS\\NOTEPAD.EXE \"C:\\EIGENE DATEIEN\\GROSS.TXT\"");
    CHECK(commandLine("C:\\PROGRAM FILES\\X\\X.EXE", "C:\\EIGENE DATEIEN\\A B.TXT") ==
          "\"C:\\PROGRAM FILES\\X\\X.EXE\" \"C:\\EIGENE DATEIEN\\A B.TXT\"");
    // Already quoted: not quoted twice.
    CHECK(commandLine("\"C:\\PROGRAM FILES\\X\\X.EXE\"", "A.TXT") ==
          "\"C:\\PROGRAM FILES\\X\\X.EXE\" A.TXT");
}

TEST_CASE("long command lines are built whole; an empty binding starts nothing")
{
    const std::string binding = "C:\\" + std::string(380, 'B') + ".EXE";  // 387
    const std::string path = "D:\\" + std::string(250, 'F');
    const std::string line = commandLine(binding, path);
    CHECK(line.size() == binding.size() + 1 + path.size());
    CHECK(line == binding + " " + path);

    CHECK(commandLine("", "C:\\A.TXT").empty());
    // An empty file path still gives the binding and its blank.
    CHECK(commandLine("X.EXE", "") == "X.EXE ");
}
