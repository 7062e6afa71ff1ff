// The settings file beside the program file, read and written key by key
// through the platform's private-profile functions.
#pragma once
#include <windows.h>
#include <string>

namespace tessel::settings {

// Builds the settings file path (extension INI) and the text-block file path
// (extension ATX) from the program file's path. Runs once at window creation.
void BuildPaths();

const char* IniPath();
const char* TextBlockPath();

// The value as the platform reads it with a buffer of `capacity` bytes;
// `fallback` when the key is missing.
std::string ReadString(const char* section, const char* key, DWORD capacity = 256, const char* fallback = "");
int ReadInt(const char* section, const char* key, int fallback);
void WriteString(const char* section, const char* key, const char* value);
void WriteInt(const char* section, const char* key, int value);         // "%d"
void WriteHex04(const char* section, const char* key, unsigned value);  // "0x%04X"
void WriteHex08(const char* section, const char* key, unsigned long value);  // "0x%08lX"

// PATHS/Open (which = 1) and PATHS/Save (which = 2).
enum PathKey { kPathOpen = 1, kPathSave = 2 };
void WriteDirectory(int which, const char* filePath);
std::string ReadDirectory(int which);

// PRGSTART/EXE<id> for the program starter's buttons.
std::string ReadStarter(int buttonId, DWORD capacity);
void WriteStarter(int buttonId, const char* programPath);

}  // namespace tessel::settings
