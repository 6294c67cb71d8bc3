// The table's folder, opened once, and its lock.
#include "Folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <thread>

#include "SystemCalls.h"

Folder::Folder(const QString& path, bool forLock) {
    // Reading needs only the right to search the folder; flock needs it opened for reading.
    const int flags = O_DIRECTORY | O_CLOEXEC | (forLock ? O_RDONLY : O_PATH);
    const QByteArray name = QFile::encodeName(path);
    fd_ = syscalls::made("open", [&] { return open(name.constData(), flags); });
    if (fd_ < 0) error_ = errno;
}

Folder::~Folder() {
    if (fd_ >= 0) close(fd_);
}

bool Folder::lock(int waitMs) {
    using namespace std::chrono;
    // flock, not fcntl: it belongs to this open folder, so two tables in one process exclude
    // each other too.
    const auto deadline = steady_clock::now() + milliseconds(waitMs);
    while (syscalls::made("flock", [&] { return flock(fd_, LOCK_EX | LOCK_NB); }) != 0) {
        if (errno != EWOULDBLOCK || steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(10));
    }
    return true;
}
