#include "viewer/command_trust.h"

#include "store/confine.h"

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

bool isInsideFolder(const QString& path, const QString& root)
{
    return confine::liesInside(path, root);
}

bool isAllowedTarget(const QString& path, const WriteRoots& roots)
{
    return confine::liesInsideAny(path, roots.folders);
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

QString writeFailedMessage(const QString& path)
{
    return QStringLiteral("書き込めませんでした：%1").arg(QFileInfo(path).fileName());
}

} // namespace commands
