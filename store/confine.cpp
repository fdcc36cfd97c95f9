#include "store/confine.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace confine {

namespace {

constexpr int MaxLinks = 40; // the kernel's own limit

QString joined(const QStringList& parts)
{
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

// The raw text of a link: "l/.." must stay "l/..", not be tidied to ".".
bool readLink(const QString& path, QString& target)
{
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer.data(), buffer.size());
    if (n <= 0 || n >= buffer.size())
        return false;
    target = QFile::decodeName(buffer.left(n));
    return true;
}

} // namespace

QString settledPath(const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    QStringList rest = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList done;
    bool missing = false;
    int links = 0;
    while (!rest.isEmpty()) {
        const QString part = rest.takeFirst();
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (missing)
                return QString();
            if (!done.isEmpty())
                done.removeLast();
            continue;
        }
        if (missing) {
            done << part;
            continue;
        }
        const QString here = joined(done + QStringList{part});
        struct stat st;
        if (::lstat(QFile::encodeName(here).constData(), &st) != 0) {
            if (errno != ENOENT && errno != ENOTDIR)
                return QString();
            missing = true;
            done << part;
            continue;
        }
        if (!S_ISLNK(st.st_mode)) {
            done << part;
            continue;
        }
        QString target;
        if (++links > MaxLinks || !readLink(here, target))
            return QString();
        if (target.startsWith(QLatin1Char('/')))
            done.clear();
        rest = target.split(QLatin1Char('/'), Qt::SkipEmptyParts) + rest;
    }
    return joined(done);
}

static bool under(const QString& settled, const QString& root)
{
    if (settled.isEmpty() || root.isEmpty())
        return false;
    return settled == root || root == QLatin1String("/") || settled.startsWith(root + QLatin1Char('/'));
}

// A root written inside an earlier root of the list (the current folder
// after the data root) adds nothing but what links inside it lead to, and
// those may lead only where some root of their own is: were it settled as a
// root itself, a link swapped in for it would take the root along to
// wherever it leads. A root written inside a later one (the desktop copy
// folder before the desktop) stays a root of its own, link or not.
static QStringList outermost(const QStringList& roots)
{
    QStringList kept;
    QStringList earlier;
    for (const QString& root : roots) {
        if (!root.startsWith(QLatin1Char('/')))
            continue;
        const QString cleaned = QDir::cleanPath(root);
        bool inner = false;
        for (const QString& other : earlier)
            inner = inner || other == cleaned || other == QLatin1String("/") || cleaned.startsWith(other + QLatin1Char('/'));
        earlier << cleaned;
        if (!inner)
            kept << cleaned;
    }
    return kept;
}

bool settledInsideAny(const QString& settled, const QStringList& roots)
{
    for (const QString& root : outermost(roots)) {
        if (under(settled, settledPath(root)))
            return true;
    }
    return false;
}

bool liesInside(const QString& path, const QString& root)
{
    return under(settledPath(path), settledPath(root));
}

bool liesInsideAny(const QString& path, const QStringList& roots)
{
    return settledInsideAny(settledPath(path), roots);
}

Fd::~Fd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Fd& Fd::operator=(Fd&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int Fd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

static Fd openPart(int folder, const QByteArray& name)
{
    Fd fd(::openat(folder, name.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st;
    if (fd.valid() && (::fstat(fd.get(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        errno = ENOTDIR; // a link opened as itself
        return Fd();
    }
    return fd;
}

Fd openSettledFolder(const QString& settled, bool create)
{
    if (!settled.startsWith(QLatin1Char('/'))) {
        errno = EINVAL;
        return Fd();
    }
    Fd folder(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    for (const QString& part : settled.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (!folder.valid())
            return folder;
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            errno = EINVAL;
            return Fd();
        }
        const QByteArray name = QFile::encodeName(part);
        Fd next = openPart(folder.get(), name);
        if (!next.valid() && errno == ENOENT && create) {
            if (::mkdirat(folder.get(), name.constData(), 0777) != 0 && errno != EEXIST)
                return Fd();
            next = openPart(folder.get(), name);
        }
        folder = std::move(next);
    }
    return folder;
}

} // namespace confine
