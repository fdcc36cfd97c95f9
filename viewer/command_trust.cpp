#include "viewer/command_trust.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace commands {

bool isWebSource(const QString& sourceUrl)
{
    if (sourceUrl.isEmpty())
        return false;
    const QUrl url(sourceUrl);
    return !url.isLocalFile() && !url.scheme().isEmpty();
}

bool allowedFromWeb(const QString& w)
{
    static const QStringList writesOrStarts = {
        QStringLiteral("WAV"), QStringLiteral("PAINT"), QStringLiteral("dir"),
        QStringLiteral("SAVE"), QStringLiteral("COPY"), QStringLiteral("JS"),
        QStringLiteral("HISJS"), QStringLiteral("HIS"), QStringLiteral("ANSWER"),
    };
    if (writesOrStarts.contains(w))
        return false;
    return !w.contains(QLatin1Char('.')); // a word with "." starts a program
}

static bool climbsOut(const QString& path)
{
    return path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

// The path with symbolic links of its existing part resolved, so that a
// link inside a root cannot lead a write elsewhere.
static QString settledPath(const QString& path)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(path);
        rest = existing.mid(slash) + rest;
        existing = existing.left(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

bool isInsideFolder(const QString& path, const QString& root)
{
    if (path.isEmpty() || root.isEmpty() || climbsOut(path) || !QDir::isAbsolutePath(path))
        return false;
    const QString p = settledPath(path);
    const QString r = settledPath(root);
    return p == r || p.startsWith(r == QLatin1String("/") ? r : r + QLatin1Char('/'));
}

bool isAllowedTarget(const QString& path, const WriteRoots& roots)
{
    for (const QString& root : roots.folders) {
        if (isInsideFolder(path, root))
            return true;
    }
    return false;
}

QString refusedFromWebMessage(const QString& word)
{
    return QStringLiteral("Webページからは「%1」を実行できません").arg(word);
}

QString refusedTargetMessage(const QString& path)
{
    // The message panel is one short line; a whole path would push the
    // beginning of the message out of view, so only the name is given.
    return QStringLiteral("このファイルには書き込めません：%1").arg(QFileInfo(path).fileName());
}

} // namespace commands
