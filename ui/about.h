// The about box's system lines and the rules for finding the system
// information program, apart from the calls that gather them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessel::about {

// "Windows NT", "Windows 95", "Windows 32s", "Windows" or "" by the major
// version and the platform id (0 Win32s, 1 Windows 9x, 2 NT).
std::string platformName(unsigned major, unsigned platformId);

// ":  5.01.2600": major, minor (two digits) and build, each its low 16 bits.
std::string windowsVersionLine(std::uint32_t major, std::uint32_t minor, std::uint32_t build);
// ":  Windows NT Service Pack 6": the platform name and the service-pack text.
std::string platformLine(unsigned major, unsigned platformId, const std::string& servicePack);
// ":  1024 x 768 x 32"
std::string screenLine(int width, int height, int bitsPerPixel);
// ":  524288 KB" of the physical memory in bytes.
std::string memoryLine(std::uint64_t totalBytes);
// ":  63 % frei" from the share of memory in use.
std::string freeLine(unsigned percentInUse);
// "Version : 1.0.0"
std::string versionLine(const std::string& fileVersion);

// A registry string as returned: `size` bytes, which may or may not include
// the terminating NUL; the text ends at the first NUL or at `size`.
std::string registryString(const char* data, std::size_t size);

constexpr char kProgramFile[] = "MSINFO32.EXE";
constexpr std::size_t kPathCapacity = 512;

// The files to try for a registry value, in order: the value itself, then the
// value as a directory holding the program. Empty when the value with the
// appended file name would not fit a path.
std::vector<std::string> candidates(const std::string& value);

// The command line that starts `path`: quoted when it contains a blank.
std::string commandLine(const std::string& path);

}  // namespace tessel::about
