#include "store/file_lock.h"

#include "store/log.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// Folders this thread holds, by process, device and inode, with how often.
QHash<QString, int>& heldHere()
{
    thread_local QHash<QString, int> held;
    return held;
}

QString folderOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// Waits for the lock in short steps (a busy holder lets go many times a
// second, and a long pause would keep missing those moments), but not for
// good: a holder that hangs must not freeze the window for ever.
bool lockWithin(int fd, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    int pauseMs = 1;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(pauseMs);
        pauseMs = qMin(pauseMs * 2, 4);
    }
}

} // namespace

FileLock::FileLock(const QString& path, int timeoutMs)
{
    const QString folder = folderOf(path);
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        qCWarning(lcPagora) << "cannot lock the folder" << folder << ":" << qt_error_string(errno);
        return;
    }
    // A child process starts with a copy of this table but none of the locks.
    key_ = QString::number(::getpid()) + QLatin1Char(':') + QString::number(st.st_dev) + QLatin1Char(':')
        + QString::number(st.st_ino);
    int& depth = heldHere()[key_];
    if (depth == 0 && !lockWithin(fd_, timeoutMs)) {
        qCWarning(lcPagora) << "the folder" << folder << "stays locked by another writer; nothing is written";
        heldHere().remove(key_);
        key_.clear();
        return;
    }
    ++depth;
    held_ = true;
}

FileLock::~FileLock()
{
    if (held_) {
        int& depth = heldHere()[key_];
        if (--depth == 0)
            heldHere().remove(key_);
    }
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor of the folder lets go of its lock
}

} // namespace files
