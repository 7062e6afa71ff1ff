#include "ui/about.h"

namespace tessel::about {
namespace {

std::string Low16(std::uint32_t v) { return std::to_string(v & 0xFFFF); }

}  // namespace

std::string platformName(unsigned major, unsigned platformId) {
    if (major == 4) {
        if (platformId == 2) return "Windows NT";
        if (platformId == 1) return "Windows 95";
        return "";
    }
    return platformId == 0 ? "Windows 32s" : "Windows";
}

std::string windowsVersionLine(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
    std::string m = Low16(minor);
    if (m.size() < 2) m.insert(0, 1, '0');
    return ":  " + Low16(major) + "." + m + "." + Low16(build);
}

std::string platformLine(unsigned major, unsigned platformId, const std::string& servicePack) {
    return ":  " + platformName(major, platformId) + " " + servicePack;
}

std::string screenLine(int width, int height, int bitsPerPixel) {
    return ":  " + std::to_string(width) + " x " + std::to_string(height) + " x " + std::to_string(bitsPerPixel);
}

std::string memoryLine(std::uint64_t totalBytes) { return ":  " + std::to_string(totalBytes >> 10) + " KB"; }

std::string freeLine(unsigned percentInUse) {
    const unsigned inUse = percentInUse > 100 ? 100 : percentInUse;
    return ":  " + std::to_string(100 - inUse) + " % frei";
}

std::string versionLine(const std::string& fileVersion) { return "Version : " + fileVersion; }

std::string registryString(const char* data, std::size_t size) {
    if (!data) return {};
    std::size_t n = 0;
    while (n < size && data[n]) ++n;
    return std::string(data, n);
}

std::vector<std::string> candidates(const std::string& value) {
    if (value.empty()) return {};
    const std::string inside = value + (value.back() == '\\' ? "" : "\\") + kProgramFile;
    if (inside.size() + 1 > kPathCapacity) return {};
    return {value, inside};
}

std::string commandLine(const std::string& path) {
    if (path.find(' ') == std::string::npos) return path;
    return "\"" + path + "\"";
}

}  // namespace tessel::about
