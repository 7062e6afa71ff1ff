// Writing the document's bytes over a file so that the file stays the file it
// was. The bytes go into the existing file itself, not into a new one renamed
// over it: the file keeps its identity on disk (hard links keep sharing it, a
// symbolic link keeps pointing at it, its permission bits, ACL, owner,
// creation time and short name stay), and a file that others hold open
// without delete sharing, or that lies in a directory where no new file may
// be created, still saves. The old bytes are kept while the new ones are
// written and put back when the write fails, so a full drive leaves the old
// file as it was.
#pragma once
#include <windows.h>

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

}  // namespace tessel::savefile
