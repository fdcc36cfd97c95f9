#pragma once
// Shared files that are read, changed and written back (value files, posts,
// answer rows, history pages) may be changed by two instances of the program
// on one data root at once. Every write replaces the file by a rename, so a
// lock on the file itself would guard a file that is gone a moment later:
// the lock is held on the folder the file lies in, which stays.

#include <QString>

namespace files {

// Holds the folder of path locked (flock on the folder) for as long as it
// lives, against every other holder in this or another process. The same
// thread may lock a folder it already holds again (nested read-modify-writes
// do not wait for themselves). held() is false when the folder cannot be
// opened or another holder keeps it longer than timeoutMs: the caller then
// writes nothing.
class FileLock {
public:
    explicit FileLock(const QString& path, int timeoutMs = 30000);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return held_; }

private:
    int fd_ = -1;
    QString key_;
    bool held_ = false;
};

} // namespace files
