// Whole-file writes that never leave a half-written file, appends, and
// folders; none of them follows a link that leads out of its place.
#include "store/files.h"
#include "store/files_internal.h"
#include "store/log.h"
#include "store/read_only.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

// QSaveFile::commit() in Qt 6.4 overlooks a failure while flushing its
// buffer (a full disk after a few bytes) and renames the cut-off file over
// the old one. Flushing first catches it.
bool commitChecked(QSaveFile& f)
{
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        qCWarning(lcPagora) << "writing" << f.fileName() << "failed, the old file is kept:" << f.errorString();
        f.cancelWriting();
        return false;
    }
    if (f.commit())
        return true;
    qCWarning(lcPagora) << "saving" << f.fileName() << "failed, the old file is kept:" << f.errorString();
    return false;
}

bool openReplacing(QSaveFile& file, const QStringList& within)
{
    // QSaveFile writes through a symbolic link to its target; a write must
    // not land wherever a link leads, so a link is never written through.
    if (file.fileName().isEmpty() || QFileInfo(file.fileName()).isSymLink())
        return false;
    if (!confine::liesInsideAny(QFileInfo(file.fileName()).absoluteFilePath(), within)) {
        qCWarning(lcPagora) << "not writing" << file.fileName() << ": it lies outside the folders it may be written in";
        return false;
    }
    return file.open(QIODevice::WriteOnly);
}

QString parentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Relative paths count from the current folder, as the kernel takes them.
static QString absolute(const QString& path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return path;
    return QDir::currentPath() + QLatin1Char('/') + path;
}

static bool usableName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
}

static const char kNoBounds[] = "no folder was named that the write must stay in";
static const char kOutside[] = "the place lies outside the folders it may be written in";

confine::Fd openFolderOf(const QString& path, const QStringList& within, QString& why, bool followLast)
{
    if (within.isEmpty()) {
        why = QLatin1String(kNoBounds);
        return confine::Fd();
    }
    const QString settled = confine::settledPath(parentOf(absolute(path)));
    if (settled.isEmpty() || !usableName(nameOf(path))) {
        why = QStringLiteral("the place cannot be resolved");
        return confine::Fd();
    }
    const QString place = followLast ? confine::settledPath(settled + QLatin1Char('/') + nameOf(path)) : settled;
    if (!confine::settledInsideAny(place, within)) {
        why = QLatin1String(kOutside);
        return confine::Fd();
    }
    confine::Fd folder = confine::openSettledFolder(settled, false);
    if (!folder.valid())
        why = qt_error_string(errno);
    return folder;
}

FileWriter::~FileWriter()
{
    cancel();
}

bool FileWriter::fail(const QString& why)
{
    error_ = why;
    qCWarning(lcPagora) << "writing" << path_ << "failed, the old file is kept:" << why;
    cancel();
    return false;
}

bool FileWriter::open(const QString& path, const QStringList& within)
{
    path_ = path;
    QString why;
    folder_ = openFolderOf(path, within, why, true);
    if (!folder_.valid())
        return fail(why);
    return openIn(nameOf(path));
}

bool FileWriter::openIn(int folder, const QString& path, const QString& name)
{
    path_ = path;
    folder_ = confine::Fd(folder < 0 ? -1 : ::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (!folder_.valid())
        return fail(qt_error_string(folder < 0 ? EBADF : errno));
    if (!usableName(name) || name.contains(QLatin1Char('/')))
        return fail(QStringLiteral("not a name in the folder"));
    return openIn(name);
}

bool FileWriter::openIn(const QString& name)
{
    name_ = QFile::encodeName(name);
    struct stat old;
    const bool exists = ::fstatat(folder_.get(), name_.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return fail(S_ISLNK(old.st_mode) ? QStringLiteral("a link is never written through")
                                         : QStringLiteral("not a file"));
    if (exists && readOnlyMode(old.st_mode))
        return fail(QStringLiteral("the file is read-only"));
    for (int attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
        temp_ = ".pagora-" + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        file_ = confine::Fd(::openat(folder_.get(), temp_.constData(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file_.valid() && errno != EEXIST)
            break;
    }
    if (!file_.valid()) {
        temp_.clear();
        return fail(qt_error_string(errno));
    }
    if (exists)
        ::fchmod(file_.get(), old.st_mode & 07777); // a replaced file keeps who may read it
    return true;
}

bool FileWriter::write(const char* data, qint64 size)
{
    if (!file_.valid())
        return false;
    while (size > 0) {
        const ssize_t n = ::write(file_.get(), data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(qt_error_string(n < 0 ? errno : ENOSPC));
        data += n;
        size -= n;
    }
    return true;
}

bool FileWriter::commit(const QDateTime& modified)
{
    if (!file_.valid())
        return false;
    if (modified.isValid()) {
        const qint64 ms = modified.toMSecsSinceEpoch();
        const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
        if (::futimens(file_.get(), times) != 0)
            qCWarning(lcPagora) << "copied" << path_ << "keeps the time of the copy";
    }
    if (::fdatasync(file_.get()) != 0 || ::close(file_.release()) != 0)
        return fail(qt_error_string(errno));
    if (::renameat(folder_.get(), temp_.constData(), folder_.get(), name_.constData()) != 0)
        return fail(qt_error_string(errno));
    temp_.clear();
    return true;
}

void FileWriter::cancel()
{
    file_ = confine::Fd();
    if (!temp_.isEmpty() && folder_.valid())
        ::unlinkat(folder_.get(), temp_.constData(), 0);
    temp_.clear();
}

bool writeBytes(const QString& path, const QByteArray& bytes, const QStringList& within)
{
    FileWriter f;
    return f.open(path, within) && f.write(bytes.constData(), bytes.size()) && f.commit();
}

bool writeTextBom(const QString& path, const QString& text, const QStringList& within)
{
    return writeLinesBom(path, splitLines(text), within);
}

bool writeLinesBom(const QString& path, const QStringList& lines, const QStringList& within)
{
    return writeBytes(path, kUtf8Bom + joinCrLf(lines).toUtf8(), within);
}

bool writeTextNoBom(const QString& path, const QString& text, const QStringList& within)
{
    return writeBytes(path, joinCrLf(splitLines(text)).toUtf8(), within);
}

static bool appendFailed(const QString& path, const QString& why)
{
    qCWarning(lcPagora) << "cannot append to" << path << ":" << why;
    return false;
}

bool appendBytes(const QString& path, const QByteArray& bytes, const QStringList& within)
{
    QString why;
    const confine::Fd folder = openFolderOf(path, within, why, true);
    if (!folder.valid())
        return appendFailed(path, why);
    // Written straight to the file, unbuffered: a failure shows at once and
    // the row is taken back whole.
    confine::Fd f(::openat(folder.get(), QFile::encodeName(nameOf(path)).constData(),
                           O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    struct stat st;
    if (!f.valid() || ::fstat(f.get(), &st) != 0)
        return appendFailed(path, qt_error_string(errno));
    if (!S_ISREG(st.st_mode))
        return appendFailed(path, QStringLiteral("not a file"));
    if (readOnlyMode(st.st_mode))
        return appendFailed(path, QStringLiteral("the file is read-only"));
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    int error = 0;
    while (left > 0 && error == 0) {
        const ssize_t n = ::write(f.get(), data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            break;
        }
        data += n;
        left -= n;
    }
    if (error == 0 && ::fdatasync(f.get()) == 0)
        return true;
    why = qt_error_string(error != 0 ? error : errno);
    if (::ftruncate(f.get(), st.st_size) != 0) // a cut-off row would spoil the file
        why += QStringLiteral("; the cut-off row could not be taken back");
    return appendFailed(path, why);
}

bool makeFolder(const QString& path, const QStringList& within)
{
    if (within.isEmpty()) {
        qCWarning(lcPagora) << "cannot make the folder" << path << ":" << kNoBounds;
        return false;
    }
    const QString settled = confine::settledPath(absolute(path));
    if (!settled.isEmpty() && confine::settledInsideAny(settled, within)
        && confine::openSettledFolder(settled, true).valid())
        return true;
    qCWarning(lcPagora) << "cannot make the folder" << path;
    return false;
}

bool removeOwnFile(const QString& path, const QStringList& within)
{
    QString why;
    const confine::Fd folder = openFolderOf(path, within, why, false);
    const QByteArray name = QFile::encodeName(nameOf(path));
    struct stat st;
    if (folder.valid() && ::fstatat(folder.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        why = qt_error_string(errno);
    else if (folder.valid() && !S_ISREG(st.st_mode))
        why = QStringLiteral("not a file");
    else if (folder.valid() && ::unlinkat(folder.get(), name.constData(), 0) == 0)
        return true;
    else if (folder.valid())
        why = qt_error_string(errno);
    qCWarning(lcPagora) << "cannot remove" << path << ":" << why;
    return false;
}

OpenedFolder::OpenedFolder(const QString& folder, const QStringList& within)
    : folder_(folder)
{
    const QString settled = confine::settledPath(absolute(folder));
    if (!within.isEmpty() && confine::settledInsideAny(settled, within)) {
        confine::Fd opened = confine::openSettledFolder(settled, false);
        writable_ = opened.valid();
        fd_ = opened.release();
    }
    if (fd_ < 0 && !folder.isEmpty()) // held for reading only, as the plain constructor does
        fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool OpenedFolder::writeBytes(const QString& name, const QByteArray& bytes) const
{
    const QString path = joinPath(folder_, name);
    if (!writable_) {
        qCWarning(lcPagora) << "not writing" << path << ":" << kOutside;
        return false;
    }
    FileWriter f;
    return f.openIn(fd_, path, name) && f.write(bytes.constData(), bytes.size()) && f.commit();
}

} // namespace files
