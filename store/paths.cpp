#include "store/paths.h"

#include "store/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace store {

// Decided by the scheme alone: "file:///a.html#http://x" names a file, and
// a web page must not be able to pass one off as a web address.
bool isWebAddress(const QString& S)
{
    return S.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || S.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

static bool isFileUrl(const QString& S)
{
    return S.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

QString CutNN(const QString& S)
{
    if (isWebAddress(S))
        return QString();
    if (isFileUrl(S))
        return QUrl(S).toLocalFile();
    return S;
}

QString seitou(const QString& S)
{
    static const QString forbidden = QStringLiteral("'*?\"|/<>");
    QString r;
    r.reserve(S.size());
    for (qsizetype i = 0; i < S.size(); ++i) {
        const QChar c = S.at(i);
        // Only a real pair is copied whole: a lone high surrogate must not
        // carry a following "/" past the cleaning.
        if (c.isHighSurrogate() && i + 1 < S.size() && S.at(i + 1).isLowSurrogate()) {
            r += c;
            r += S.at(++i);
        } else {
            r += forbidden.contains(c) ? QChar('_') : c;
        }
    }
    return r;
}

QString DecodeSpaces(const QString& S)
{
    QString r = S;
    return r.replace(QLatin1String("%20"), QLatin1String(" "));
}

QString AfterLastSlash(const QString& S)
{
    return S.mid(S.lastIndexOf('/') + 1);
}

// A scheme of two or more letters ("http:", "mailto:"); "C:" is a drive.
static bool hasUrlScheme(const QString& S)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(S).hasMatch();
}

QString ResolveRelativeLink(const QString& S, const QString& CurrentFolder)
{
    QString v = S;
    if (isFileUrl(v))
        v = QUrl(v).toLocalFile();
    else if (hasUrlScheme(v))
        return S;
    v = files::slashes(v);
    if (v.isEmpty())
        return v;
    if (v.startsWith(QLatin1String("../")))
        v = files::joinPath(files::joinPath(CurrentFolder, QStringLiteral("..")), v.mid(3));
    else if (v.startsWith(QLatin1String("./")))
        v = files::joinPath(CurrentFolder, v.mid(2));
    return QDir::cleanPath(v);
}

QString DirectoryPart(const QString& S)
{
    return S.left(S.lastIndexOf('/') + 1);
}

QString ParentFolderPath(const QString& S)
{
    return DirectoryPart(S);
}

QString ParentFolderName(const QString& S)
{
    const qsizetype last = S.lastIndexOf('/');
    if (last < 0)
        return QString();
    const qsizetype before = last > 0 ? S.lastIndexOf('/', last - 1) : -1;
    return S.mid(before + 1, last - before - 1);
}

QString DesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    files::makeFolder(desktop, {desktop}); // the desktop is a place of its own
    return desktop;
}

QString RepeatString(const QString& S, int N)
{
    return N <= 0 ? QString() : S.repeated(N);
}

QString EscapeAngleBrackets(const QString& S)
{
    QString r = S;
    r.replace('<', QLatin1String("&lt;"));
    return r.replace('>', QLatin1String("&gt;"));
}

QString UnescapeAngleBrackets(const QString& S)
{
    QString r = S;
    r.replace(QLatin1String("&lt;"), QLatin1String("<"));
    return r.replace(QLatin1String("&gt;"), QLatin1String(">"));
}

QString FindReferencedFile(const QString& folder, const QString& reference)
{
    if (reference.isEmpty())
        return QString();
    QStringList forms{reference};
    const QString decoded = QUrl::fromPercentEncoding(reference.toUtf8());
    if (decoded != reference)
        forms << decoded;
    for (const QString& form : forms) {
        QString name = files::slashes(form);
        if (name.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            name = QUrl(name).toLocalFile();
        if (name.isEmpty())
            continue;
        const QString found = name.startsWith(QLatin1Char('/')) ? files::findPath(name)
                                                                : files::findFile(folder, name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace store
