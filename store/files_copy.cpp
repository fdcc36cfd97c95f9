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

bool renameNoReplace(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    const QFileInfo src(source);
    if (!src.exists() && !src.isSymLink())
        return false;
    const QFileInfo dst(target);
    if (dst.exists() || dst.isSymLink())
        return false;
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    // The kernel refuses an existing target itself, so nothing can slip in
    // between the check above and the rename.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) { // file system without the flag
        if (::rename(from.constData(), to.constData()) == 0)
            return true;
    } else if (errno == EXDEV && src.isFile()) {
        QFile moved(source);
        if (moved.rename(target)) // another device: copy, then remove
            return true;
        qCWarning(lcPagora) << "moving" << source << "to" << target << "failed:" << moved.errorString();
        return false;
    }
    qCWarning(lcPagora) << "renaming" << source << "to" << target << "failed:" << qt_error_string(errno);
    return false;
}

} // namespace files
