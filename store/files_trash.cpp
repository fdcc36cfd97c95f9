// The desktop trash.
#include "store/files.h"
#include "store/log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>

namespace files {

namespace {

// Characters a trash entry's "Path=" may hold as they are; everything else
// is percent-encoded, as the desktop's file managers read it.
bool escapedAlready(const QByteArray& value)
{
    for (const char c : value) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == '%';
        if (!plain)
            return false;
    }
    return true;
}

// Qt 6.4 writes "Path=" as the bare name: a file manager then cannot put a
// page with a Japanese name back. The entry is written again, escaped.
void escapeTrashInfo(const QString& original, const QString& inTrash)
{
    const QFileInfo trashed(inTrash);
    const QString info = QDir::cleanPath(trashed.path() + QStringLiteral("/../info/") + trashed.fileName()
                                         + QStringLiteral(".trashinfo"));
    const std::optional<QByteArray> bytes = readBytes(info);
    if (!bytes) {
        qCWarning(lcPagora) << "the trash entry" << info << "cannot be read";
        return;
    }
    QList<QByteArray> lines = bytes->split('\n');
    bool changed = false;
    for (QByteArray& line : lines) {
        if (!line.startsWith("Path="))
            continue;
        const QByteArray value = line.mid(5);
        if (escapedAlready(value) && !QFile::encodeName(original).endsWith(value))
            continue;
        line = "Path=" + QUrl::toPercentEncoding(QFile::decodeName(value), "/");
        changed = true;
    }
    if (changed && !writeBytes(info, lines.join('\n'), {QFileInfo(info).path()})) // the trash's own entries
        qCWarning(lcPagora) << "the trash entry" << info << "keeps its unescaped path";
}

bool writableFolder(const QString& path)
{
    return QFileInfo(path).isDir() && ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

// The trash in the user's data folder, its "files" and "info" made: true
// when both can take a file. Qt 6.4 falls back to the current directory when
// it cannot make them itself: it makes "files/" and "info/" there, moves the
// file in, and reports success. So the trash is made here first, and a
// trash that cannot be made refuses the file before Qt is asked.
bool homeTrashReady()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QFileInfo(data).isAbsolute() || !makeFolder(data, {data}))
        return false;
    const QString trash = joinPath(data, QStringLiteral("Trash"));
    for (const QString& part : {QStringLiteral("files"), QStringLiteral("info")}) {
        const QString folder = joinPath(trash, part);
        if (!makeFolder(folder, {data}) || !writableFolder(folder))
            return false;
    }
    return true;
}

} // namespace

bool moveToTrash(const QString& path)
{
    if (path.isEmpty() || (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()))
        return false;
    if (!homeTrashReady()) {
        qCWarning(lcPagora) << "the trash cannot be made; it refused" << path;
        return false;
    }
    const QString original = QFileInfo(path).absoluteFilePath();
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash)) {
        qCWarning(lcPagora) << "the trash refused" << path;
        return false;
    }
    if (QFileInfo(inTrash).isAbsolute()) {
        escapeTrashInfo(original, inTrash);
        return true;
    }
    // It went somewhere relative after all: bring it back, report failure.
    const QString stray = QDir::current().absoluteFilePath(inTrash);
    if (renameNoReplace(stray, path, {QDir::currentPath(), QFileInfo(original).path()}))
        qCWarning(lcPagora) << "the trash put" << path << "at" << stray << "; it is brought back";
    else
        qCCritical(lcPagora) << "the trash put" << path << "at" << stray << "and it cannot be brought back";
    return false;
}

} // namespace files
