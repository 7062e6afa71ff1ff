#include "core/settings_win.h"

#include <cstdio>

#include "core/limits.h"
#include "core/paths.h"

namespace tessel::settings {
namespace {

char g_iniPath[limits::kPathBuffer];
char g_textBlockPath[limits::kPathBuffer];

void Derive(const std::string& program, const char* extension, char (&out)[256]) {
    std::optional<std::string> path = paths::replaceExtension(program, extension);
    // A program path too long for the buffers leaves the path empty: the
    // profile functions then fall back to their defaults instead of writing
    // to a shortened, wrong name.
    lstrcpynA(out, path ? path->c_str() : "", sizeof out);
}

}  // namespace

void BuildPaths() {
    char module[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    Derive(module, "INI", g_iniPath);
    Derive(module, "ATX", g_textBlockPath);
}

const char* IniPath() { return g_iniPath; }
const char* TextBlockPath() { return g_textBlockPath; }

std::string ReadString(const char* section, const char* key, DWORD capacity, const char* fallback) {
    if (!g_iniPath[0]) return fallback;
    std::string value(capacity, '\0');
    const DWORD n = GetPrivateProfileStringA(section, key, fallback, value.data(), capacity, g_iniPath);
    value.resize(n);
    return value;
}

int ReadInt(const char* section, const char* key, int fallback) {
    if (!g_iniPath[0]) return fallback;
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, g_iniPath));
}

void WriteString(const char* section, const char* key, const char* value) {
    if (g_iniPath[0]) WritePrivateProfileStringA(section, key, value, g_iniPath);
}

void WriteInt(const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteString(section, key, text);
}

void WriteHex04(const char* section, const char* key, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    WriteString(section, key, text);
}

void WriteHex08(const char* section, const char* key, unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", value);
    WriteString(section, key, text);
}

void WriteDirectory(int which, const char* filePath) {
    const char* key = paths::pathsKeyName(which);
    if (!key) return;
    WriteString(paths::kPathsSection, key, paths::directoryOf(filePath).c_str());
}

std::string ReadDirectory(int which) {
    const char* key = paths::pathsKeyName(which);
    if (!key) return {};
    return ReadString(paths::kPathsSection, key, 256);
}

std::string ReadStarter(int buttonId, DWORD capacity) {
    char key[16];
    std::snprintf(key, sizeof key, "EXE%d", buttonId);
    return ReadString("PRGSTART", key, capacity);
}

void WriteStarter(int buttonId, const char* programPath) {
    char key[16];
    std::snprintf(key, sizeof key, "EXE%d", buttonId);
    WriteString("PRGSTART", key, programPath);
}

}  // namespace tessel::settings
