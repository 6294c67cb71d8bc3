// The table's folder, opened once: every name in it is looked up, read, written and renamed
// through this one descriptor, and the folder itself is the lock.
#pragma once

#include <QString>

class Folder {
public:
    // Opens the folder at `path`, to read in, or to lock and write in when `forLock`.
    Folder(const QString& path, bool forLock);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // The descriptor for the *at calls, and 0 or why the folder could not be opened.
    int fd() const { return fd_; }
    int error() const { return error_; }

    // Takes the lock, waiting up to `waitMs` while another process holds it. A lock on the
    // folder, unlike one on a file beside the table, is one no other user can swap for a file
    // of hers in a shared folder; the system drops it when its holder ends, however it ends.
    bool lock(int waitMs);

private:
    int fd_ = -1;
    int error_ = 0;
};
