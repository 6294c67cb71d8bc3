// A lock on a file beside the table that the system drops when its holder ends, however it ends.
#pragma once

#include <QString>

class FileLock {
public:
    // Takes the lock on the regular file at `path`, made when missing, waiting up to `waitMs`
    // while another process holds it. Anything else at that path (a link, a FIFO, a device, a
    // folder) is turned down at once and never blocks; the lock is then not held.
    FileLock(const QString& path, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
