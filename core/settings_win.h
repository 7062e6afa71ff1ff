// The settings file: found and read once at start-up, then looked up in
// memory; written key by key through the platform's private-profile writer,
// and every write checked, so that a failure is always reported. Each module
// owns its section and keys; this service knows none of them.
#pragma once
#include <windows.h>
#include <string>

namespace tessel::settings {

// Chooses the settings folder and reads the settings file. Runs at window
// creation, before the shell's list of loads.
//
// The folder is the program's own when it can be written to (the portable
// use); otherwise %APPDATA%\Tessel\, where the settings and text blocks found
// beside the program are copied the first time, and where the next start
// reads them.
void Open();

// The folder with its trailing backslash, and the files in it named after the
// program file: the settings file (INI), the text blocks (ATX), and any other
// extension (for instance the recovery file); empty when the name is too long.
const char* Folder();
const char* IniPath();
const char* TextBlockPath();
std::string FilePath(const char* extension);

// The value as the platform reads it with a buffer of `capacity` bytes;
// `fallback` when the key is missing.
std::string ReadString(const char* section, const char* key, DWORD capacity = 256, const char* fallback = "");
int ReadInt(const char* section, const char* key, int fallback);

// Writes go to the file at once. A failed write shows "Die Einstellungen
// konnten nicht gespeichert werden" with the file's path: at once, or, inside
// a Batch, once when the batch ends.
void WriteString(const char* section, const char* key, const char* value);
void WriteInt(const char* section, const char* key, int value);              // "%d"
void WriteHex04(const char* section, const char* key, unsigned value);       // "0x%04X"
void WriteHex08(const char* section, const char* key, unsigned long value);  // "0x%08lX"

// Groups the writes of one occasion (the session's end, one command), so a
// failure is reported once. Batches may nest; the outermost reports.
class Batch {
public:
    Batch();
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
};

}  // namespace tessel::settings
