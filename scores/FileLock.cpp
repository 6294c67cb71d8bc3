// A lock on a file beside the table that the system drops when its holder ends, however it ends.
#include "FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <chrono>
#include <thread>

FileLock::FileLock(const QString& path, int waitMs) {
    using namespace std::chrono;
    const QByteArray name = QFile::encodeName(path);
    // No link is followed, and a FIFO opens at once without blocking, to be turned down by
    // fstat. Read-only: a lock file another user made in a shared folder still serves.
    const int fd =
        open(name.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return;
    // flock, not fcntl: it belongs to this open file, so two tables in one process exclude
    // each other too, and it goes with the process that dies holding it.
    const auto deadline = steady_clock::now() + milliseconds(waitMs);
    struct stat info {};
    bool locked = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    while (locked && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        locked = errno == EWOULDBLOCK && steady_clock::now() < deadline;
        if (locked) std::this_thread::sleep_for(milliseconds(10));
    }
    if (locked)
        fd_ = fd;
    else
        close(fd);
}

FileLock::~FileLock() {
    // The file stays: taking it away while another process waits on it would let two hold it.
    if (fd_ >= 0) close(fd_);
}
