// Copies and renames that refuse to lose data.
#include "store/files.h"
#include "store/files_internal.h"
#include "store/log.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

static bool copyFailed(const QString& source, const QString& target, const QString& why)
{
    qCWarning(lcPagora) << "copying" << source << "to" << target << "failed:" << why;
    return false;
}

bool copyFileOver(const QString& source, const QString& target, const QStringList& within)
{
    const QFileInfo src(source);
    if (!src.isFile() || target.isEmpty() || QFileInfo(target).isDir())
        return copyFailed(source, target, QStringLiteral("not a file"));
    if (sameFile(source, target))
        return copyFailed(source, target, QStringLiteral("the same file")); // a copy onto itself would empty it
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return copyFailed(source, target, in.errorString());
    FileWriter out;
    if (!out.open(target, within))
        return copyFailed(source, target, out.error());
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return copyFailed(source, target, in.errorString());
        if (got == 0)
            break;
        if (!out.write(buffer, got))
            return copyFailed(source, target, out.error());
    }
    return out.commit(src.lastModified()) || copyFailed(source, target, out.error());
}

static bool renameFailed(const QString& source, const QString& target, const QString& why)
{
    qCWarning(lcPagora) << "renaming" << source << "to" << target << "failed:" << why;
    return false;
}

// Renames between two folders held open; the kernel refuses an existing
// target itself, so nothing can slip in between a check and the rename.
static bool renameAt(int fromFolder, int toFolder, const QString& source, const QString& target)
{
    const QByteArray fromName = QFile::encodeName(nameOf(source));
    const QByteArray toName = QFile::encodeName(nameOf(target));
    if (::renameat2(fromFolder, fromName.constData(), toFolder, toName.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return renameFailed(source, target, qt_error_string(errno));
    // A file system without the flag: the target is looked for first.
    struct stat st;
    if (::fstatat(toFolder, toName.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return renameFailed(source, target, QStringLiteral("the target exists"));
    if (::renameat(fromFolder, fromName.constData(), toFolder, toName.constData()) != 0)
        return renameFailed(source, target, qt_error_string(errno));
    return true;
}

bool renameNoReplace(const QString& source, const QString& target, const QStringList& within)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    QString why;
    const confine::Fd from = openFolderOf(source, within, why, false);
    if (!from.valid())
        return renameFailed(source, target, why);
    const confine::Fd to = openFolderOf(target, within, why, false);
    if (!to.valid())
        return renameFailed(source, target, why);
    return renameAt(from.get(), to.get(), source, target);
}

bool OpenedFolder::replaceFile(const QString& fromName, const QString& toName) const
{
    const QString source = joinPath(folder_, fromName), target = joinPath(folder_, toName);
    if (!writable_)
        return renameFailed(source, target, QStringLiteral("the folder lies outside the folders it may be written in"));
    if (fromName.contains(u'/') || toName.contains(u'/'))
        return renameFailed(source, target, QStringLiteral("a name, not a path, was expected"));
    const QByteArray from = QFile::encodeName(fromName), to = QFile::encodeName(toName);
    struct stat st;
    if (::fstatat(fd_, to.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return renameFailed(source, target, QStringLiteral("the target is no plain file"));
    if (::renameat(fd_, from.constData(), fd_, to.constData()) != 0)
        return renameFailed(source, target, qt_error_string(errno));
    return true;
}

bool OpenedFolder::renameNoReplace(const QString& fromName, const QString& toName) const
{
    const QString source = joinPath(folder_, fromName), target = joinPath(folder_, toName);
    if (!writable_)
        return renameFailed(source, target, QStringLiteral("the folder lies outside the folders it may be written in"));
    if (fromName.contains(u'/') || toName.contains(u'/'))
        return renameFailed(source, target, QStringLiteral("a name, not a path, was expected"));
    return renameAt(fd_, fd_, source, target);
}

} // namespace files
