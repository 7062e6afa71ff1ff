// The Unix side of the files the GUI tests use under Wine: the Unix path of a
// Windows path, and shell commands run on the host (permission bits, links,
// file attributes that Windows calls cannot set). Not available outside Wine;
// the tests that need it say so and skip.
#pragma once
#include <string>

namespace gui {

// The Unix path of a Windows path (through Wine's own mapping); empty when
// the program does not run under Wine.
std::string UnixPath(const std::string& windowsPath);

// Runs `script` with /bin/sh on the host and gives its standard output
// (trailing line breaks removed). `ok` tells whether it ran and exited with 0.
std::string RunUnix(const std::string& script, bool* ok = nullptr);

// Quotes a Unix path for the shell.
std::string ShellQuote(const std::string& text);

}  // namespace gui
