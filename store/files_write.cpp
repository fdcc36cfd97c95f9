// Whole-file writes that never leave a half-written file, and appends.
#include "store/files.h"
#include "store/files_internal.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {

// QSaveFile::commit() in Qt 6.4 overlooks a failure while flushing its
// buffer (a full disk after a few bytes) and renames the cut-off file over
// the old one. Flushing first catches it.
bool commitChecked(QSaveFile& f)
{
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool openReplacing(QSaveFile& file)
{
    // QSaveFile writes through a symbolic link to its target; a write must
    // not land wherever a link leads, so a link is never written through.
    if (file.fileName().isEmpty() || QFileInfo(file.fileName()).isSymLink())
        return false;
    return file.open(QIODevice::WriteOnly);
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!openReplacing(f))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return commitChecked(f);
}

bool writeTextBom(const QString& path, const QString& text)
{
    return writeLinesBom(path, splitLines(text));
}

bool writeLinesBom(const QString& path, const QStringList& lines)
{
    return writeBytes(path, kUtf8Bom + joinCrLf(lines).toUtf8());
}

bool writeTextNoBom(const QString& path, const QString& text)
{
    return writeBytes(path, joinCrLf(splitLines(text)).toUtf8());
}

bool appendBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || QFileInfo(path).isDir() || QFileInfo(path).isSymLink())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool ok = f.write(bytes) == bytes.size();
    return f.flush() && ok;
}

} // namespace files
