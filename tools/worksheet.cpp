#include "tools/worksheet.h"

#include "store/confine.h"
#include "store/files.h"
#include "store/log.h"
#include "store/text.h"

#include <QDir>
#include <QFileInfo>

namespace worksheet {

namespace {

// 0-based index of needle in hay from `from`, letter case ignored; -1 absent.
int findNoCase(const QString& hay, const QString& needle, int from = 0)
{
    return text::upper(hay).indexOf(text::upper(needle), from);
}

// A SRC value as a path below the page's folder, or "" when it names
// anything else.
QString belowFolder(const QString& value)
{
    const QString v = files::slashes(value).trimmed();
    if (v.isEmpty() || v.contains(QLatin1Char(':')) || v.startsWith(QLatin1Char('/')))
        return QString();
    QStringList parts;
    for (const QString& part : v.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return QString();
        if (part != QLatin1String("."))
            parts << part;
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace

QString worksheetTitle(const QString& head)
{
    const int tag = findNoCase(head, QStringLiteral("<TITLE"));
    if (tag < 0)
        return QString();
    const int start = head.indexOf(QLatin1Char('>'), tag);
    if (start < 0)
        return QString();
    const int end = findNoCase(head, QStringLiteral("</TITLE"), start + 1);
    QString title = head.mid(start + 1, end < 0 ? -1 : end - start - 1);
    title.replace(QLatin1Char('#'), QStringLiteral("<BR>"));
    const int hint = title.indexOf(QLatin1Char('?'));
    return hint < 0 ? title : title.left(hint);
}

QString nameFieldTable(const QString& title)
{
    return QStringLiteral("<CENTER><TABLE border=\"1\" width=\"640\"><TBODY><TR><TD height=\"71\" align=\"center\">"
                          "<FONT size=\"3\">")
        + title
        + QStringLiteral("</FONT></TD><TD height=\"71\" width=\"170\" align=\"right\"><FONT size=\"3\">"
                         "年　　　組　　　番</FONT></TD><TD height=\"71\" width=\"300\"><FONT size=\"3\">氏名</FONT>"
                         "</TD></TR></TBODY></TABLE></CENTER>");
}

QString buildWorksheet(const QString& rendered)
{
    QString head, body, tail;
    const int bodyTag = findNoCase(rendered, QStringLiteral("<BODY"));
    if (bodyTag >= 0) {
        const int close = rendered.indexOf(QLatin1Char('>'), bodyTag);
        const int headEnd = close < 0 ? rendered.size() : close + 1;
        head = rendered.left(headEnd);
        const int bodyEnd = findNoCase(rendered, QStringLiteral("</BODY"), headEnd);
        body = rendered.mid(headEnd, bodyEnd < 0 ? -1 : bodyEnd - headEnd);
        tail = bodyEnd < 0 ? QString() : rendered.mid(bodyEnd);
    }
    // Every blank of the page carries the page's number: one page, number 1.
    body.replace(QStringLiteral("[]"), QStringLiteral("[1]"));
    return head + QStringLiteral("\r\n") + nameFieldTable(worksheetTitle(head)) + QStringLiteral("\r\n") + body + tail;
}

QStringList pictureSources(const QString& rendered)
{
    QStringList sources;
    const QString upper = text::upper(rendered);
    const QString marker = QStringLiteral("SRC=\"");
    for (int at = upper.indexOf(marker); at >= 0; at = upper.indexOf(marker, at + 1)) {
        const int start = at + marker.size();
        const int end = rendered.indexOf(QLatin1Char('"'), start);
        if (end < 0)
            break;
        const QString value = belowFolder(rendered.mid(start, end - start));
        if (!value.isEmpty() && !sources.contains(value))
            sources << value;
    }
    return sources;
}

int copyPictures(const QString& rendered, const QString& pageFolder, const QString& workFolder)
{
    int copied = 0;
    for (const QString& value : pictureSources(rendered)) {
        const QString source = files::findPath(files::joinPath(pageFolder, value));
        if (source.isEmpty() || !QFileInfo(source).isFile())
            continue;
        // A linked sub-folder or picture could lead out of either folder:
        // nothing is read from outside the page's folder, and nothing is
        // made or written outside the work folder.
        if (!confine::liesInside(source, pageFolder)) {
            qCWarning(lcPagora) << "worksheet picture outside the page's folder skipped:" << value;
            continue;
        }
        const QString target = files::joinPath(workFolder, value);
        if (files::makeFolder(QFileInfo(target).path(), {workFolder})
            && files::copyFileOver(source, target, {workFolder}))
            ++copied;
        else
            qCWarning(lcPagora) << "worksheet picture not copied:" << value;
    }
    return copied;
}

} // namespace worksheet
