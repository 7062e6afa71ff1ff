// Writing the document's bytes over a file so that the file stays the file it
// was. The bytes go into the existing file itself, not into a new one renamed
// over it: the file keeps its identity on disk (hard links keep sharing it, a
// symbolic link keeps pointing at it, its permission bits, ACL, owner,
// creation time and short name stay), and a file that others hold open
// without delete sharing, or that lies in a directory where no new file may
// be created, still saves. The old bytes are kept while the new ones are
// written and put back when the write fails, so a full drive leaves the old
// file as it was.
//
// A document's save also survives being cut off (a killed process, a power
// cut, a network drive that drops): before the document is touched, its new
// text goes into a backup file (see core/recoveryfile.h), flushed, beside the
// document or, where that folder takes no new file, in the settings folder.
// The backup is removed once the document is flushed. Whenever the save
// stops, the old text is whole in the document or the new text whole in the
// backup; the editor offers a backup it finds when it opens the document.
#pragma once
#include <windows.h>

#include <string>

namespace tessel::savefile {

// A file handle closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void reset(HANDLE h) {
        close();
        h_ = h;
    }
    bool close() {
        bool ok = true;
        if (valid()) ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};


// Writes `length` bytes of `data` as the whole content of `path`, creating the
// file when it does not exist. True when every byte is on the disk; false
// leaves an existing file with its old bytes (and a new one removed).
bool SaveBytes(const char* path, const char* data, DWORD length);

// The same for the document, with the backup described above.
bool SaveDocumentBytes(const char* path, const char* data, DWORD length);

// Where a backup of the document `path` is written: beside it ("<path>.TSB")
// or in the folder of `settingsPath` ("TSB" and eight hex digits of the
// upper-cased path's CRC-32, extension TSB). "" when the name does not fit.
std::string BackupBeside(const char* path);
std::string BackupInSettings(const char* path, const char* settingsPath);
// `path` made absolute, its folder in long form, upper-cased: two spellings
// of one document give one backup name in the settings folder.
std::string CanonicalPath(const char* path);

#ifdef TESSEL_TEST_SEAMS
// Test build only: the save stops at its `step`-th file operation (counted
// from 0) as if the process had died there: a write writes half its bytes,
// any other operation does not run, nothing is cleaned up. -1: never.
void CutAtStep(int step);
// True when the last save was stopped by CutAtStep.
bool LastSaveCut();
#endif

}  // namespace tessel::savefile
