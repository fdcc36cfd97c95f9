#include "tools/link_values.h"

#include "store/confine.h"
#include "store/files.h"
#include "store/paths.h"
#include "store/text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sys/stat.h>

namespace tools {

bool isDrivePath(const QString& value)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    return drive.match(value).hasMatch();
}

bool hasOtherScheme(const QString& value)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(value).hasMatch() && !value.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

QString resolveLinkValue(const QString& value, const QString& folder)
{
    if (value.isEmpty() || isDrivePath(value) || hasOtherScheme(value))
        return QString();
    QString r = store::ResolveRelativeLink(value, folder);
    if (r.isEmpty() || isDrivePath(r) || hasOtherScheme(r))
        return QString();
    if (!r.startsWith(QLatin1Char('/')))
        r = files::joinPath(folder, r);
    return QDir::cleanPath(r);
}

QString existingFile(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QString found = files::findPath(QDir::cleanPath(path));
    return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
}

QString changeFileExt(const QString& path, const QString& ext)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot > slash ? path.left(dot) : path) + ext;
}

QString lowerExt(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? text::lower(path.mid(dot)) : QString();
}

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool isSameFile(const QString& a, const QString& b)
{
    struct stat sa {}, sb {};
    if (a.isEmpty() || b.isEmpty() || ::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool isInsideFolder(const QString& path, const QString& folder)
{
    // Where the kernel reaches it; the folder itself is not one of its files.
    const QString settled = confine::settledPath(path);
    return confine::liesInside(path, folder) && settled != confine::settledPath(folder);
}

bool containsPath(const QStringList& list, const QString& path)
{
    return list.contains(path, Qt::CaseInsensitive);
}

} // namespace tools
