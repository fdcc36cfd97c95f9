// Copies and renames that refuse to lose data.
#include "store/files.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace files {

static bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

static bool keepModificationTime(const QString& target, const QDateTime& time)
{
    QFile f(target);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    return f.setFileTime(time, QFileDevice::FileModificationTime);
}

bool copyFileOver(const QString& source, const QString& target)
{
    const QFileInfo src(source);
    if (!src.isFile() || target.isEmpty() || QFileInfo(target).isDir())
        return false;
    if (sameFile(source, target))
        return false; // a copy onto itself would empty it
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!openReplacing(out))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0 || (got > 0 && out.write(buffer, got) != got)) {
            out.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
    }
    if (!commitChecked(out))
        return false;
    keepModificationTime(target, src.lastModified());
    return true;
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
    if (errno == EINVAL || errno == ENOSYS) // file system without the flag
        return ::rename(from.constData(), to.constData()) == 0;
    if (errno == EXDEV && src.isFile())
        return QFile::rename(source, target); // another device: copy, then remove
    return false;
}

} // namespace files
