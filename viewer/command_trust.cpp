#include "viewer/command_trust.h"

#include "store/confine.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace commands {

bool isDataRootPage(const QString& location, const QString& dataRoot)
{
    if (dataRoot.isEmpty() || !location.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return false;
    const QString path = QUrl(location).toLocalFile();
    return !path.isEmpty() && confine::liesInside(path, dataRoot);
}

bool isLocalRequest(const QString& requestUrl, const QString& requesterUrl, const QString& dataRoot)
{
    return requestUrl.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
        && isDataRootPage(requesterUrl, dataRoot);
}

bool pageLinksTo(const QString& pageText, const QString& url)
{
    if (url.isEmpty() || pageText.isEmpty())
        return false;
    const QUrl parsed(url);
    QStringList spellings = {url, parsed.toString(), QUrl::fromPercentEncoding(url.toUtf8()),
                             parsed.toString(QUrl::FullyEncoded)};
    // An address with a query is written with "&amp;" in a page.
    for (qsizetype i = 0, n = spellings.size(); i < n; ++i) {
        if (spellings.at(i).contains(QLatin1Char('&')))
            spellings << QString(spellings.at(i)).replace(QLatin1String("&"), QLatin1String("&amp;"));
    }
    for (const QString& spelling : spellings) {
        if (spelling.isEmpty())
            continue;
        qsizetype at = pageText.indexOf(spelling, 0, Qt::CaseInsensitive);
        while (at >= 0) {
            // The whole address, not the start of a longer one.
            const qsizetype end = at + spelling.size();
            if (end == pageText.size() || QStringLiteral("\"' <>\r\n\t").contains(pageText.at(end)))
                return true;
            at = pageText.indexOf(spelling, at + 1, Qt::CaseInsensitive);
        }
    }
    return false;
}

bool isLocalLink(const QString& href, const QString& location, const QString& dataRoot)
{
    // A scheme of its own ("file:", "http:", "c:" of a drive letter that
    // names nothing here), else the document's.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    const QRegularExpressionMatch own = scheme.match(href);
    const QString address = own.hasMatch() ? href : location;
    return isLocalRequest(address, location, dataRoot);
}

QString resolvedLink(const QString& href, const QString& location)
{
    const QUrl base(location);
    const QUrl link(href);
    if (!link.isValid() || (!base.isValid() && link.isRelative()))
        return QString();
    return (link.isRelative() ? base.resolved(link) : link).toString();
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
