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

// The path with every symbolic link on the way resolved, the last one too
// and dangling ones as well: a link inside a root must not lead a write to
// a file that does not exist yet somewhere else. "" when the links cannot
// be resolved (a loop, or a link that cannot be read).
static QString settledPath(const QString& path)
{
    constexpr int MaxLinks = 40;
    QStringList rest = QDir::cleanPath(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString done = QStringLiteral("/");
    int links = 0;
    while (!rest.isEmpty()) {
        const QString next = QDir::cleanPath(done + QLatin1Char('/') + rest.takeFirst());
        const QFileInfo info(next);
        if (!info.isSymLink()) {
            done = next;
            continue;
        }
        const QString target = info.symLinkTarget();
        if (++links > MaxLinks || target.isEmpty())
            return QString();
        // The target's own parts are walked again: they may hold links too.
        rest = QDir::cleanPath(target).split(QLatin1Char('/'), Qt::SkipEmptyParts) + rest;
        done = QStringLiteral("/");
    }
    return done;
}

bool isInsideFolder(const QString& path, const QString& root)
{
    if (path.isEmpty() || root.isEmpty() || climbsOut(path) || !QDir::isAbsolutePath(path))
        return false;
    const QString p = settledPath(path);
    const QString r = settledPath(root);
    if (p.isEmpty() || r.isEmpty())
        return false;
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
