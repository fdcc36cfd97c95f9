// Whole-file writes that never leave a half-written file, and appends.
#include "store/files.h"
#include "store/files_internal.h"
#include "store/log.h"

#include <QDir>
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
        qCWarning(lcPagora) << "writing" << f.fileName() << "failed, the old file is kept:" << f.errorString();
        f.cancelWriting();
        return false;
    }
    if (f.commit())
        return true;
    qCWarning(lcPagora) << "saving" << f.fileName() << "failed, the old file is kept:" << f.errorString();
    return false;
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
    if (!openReplacing(f)) {
        qCWarning(lcPagora) << "cannot write" << path << ":" << f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        qCWarning(lcPagora) << "writing" << path << "failed, the old file is kept:" << f.errorString();
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
    if (path.isEmpty() || QFileInfo(path).isDir() || QFileInfo(path).isSymLink()) {
        qCWarning(lcPagora) << "cannot append to" << path << ": not a file";
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qCWarning(lcPagora) << "cannot append to" << path << ":" << f.errorString();
        return false;
    }
    const qint64 oldSize = f.size();
    const bool ok = f.write(bytes) == bytes.size();
    if (f.flush() && ok)
        return true;
    qCWarning(lcPagora) << "appending to" << path << "failed:" << f.errorString();
    f.resize(oldSize); // a cut-off row would spoil the file: it goes again
    return false;
}

bool makeFolder(const QString& path)
{
    if (!path.isEmpty() && QDir().mkpath(path))
        return true;
    qCWarning(lcPagora) << "cannot make the folder" << path;
    return false;
}

} // namespace files
