#include "tools/merge_pages.h"

#include "store/text.h"

#include <QFileInfo>

namespace merge {

QString resumeTitle(const QString& pageText, const QString& entryFileName)
{
    QString title;
    const QString upper = text::upper(pageText);
    const int tag = upper.indexOf(QStringLiteral("<TITLE>"));
    if (upper.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")) && tag >= 1) {
        const int start = tag + 7;
        const int end = pageText.indexOf(QStringLiteral("</"), start);
        title = pageText.mid(start, end < 0 ? -1 : end - start);
    } else {
        const QString name = QFileInfo(entryFileName).fileName();
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        title = dot > 0 ? name.left(dot) : name;
    }
    const int underscore = title.indexOf(QLatin1Char('_'));
    return underscore < 0 ? title : title.mid(underscore + 1);
}

QString memoHtml(const QString& memo)
{
    QString html = memo;
    html.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    html.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    html.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    html.replace(QStringLiteral("\r\n"), QStringLiteral("<BR>"));
    html.replace(QLatin1Char('\n'), QStringLiteral("<BR>"));
    html.replace(QLatin1Char('\r'), QStringLiteral("<BR>"));
    return html;
}

QString pictureName(const QString& entryFileName, QSet<QString>& used)
{
    const QString name = QFileInfo(entryFileName).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot + 1) : QString();
    // Names are compared without case: the work folder may be reached by
    // a case-insensitive lookup.
    auto taken = [&used](const QString& n) { return used.contains(text::lower(n)); };
    QString picture = QStringLiteral("_") + stem + QStringLiteral(".jpg");
    if (taken(picture) && !ext.isEmpty())
        picture = QStringLiteral("_") + stem + QLatin1Char('_') + ext + QStringLiteral(".jpg");
    for (int n = 2; taken(picture); ++n)
        picture = QStringLiteral("_") + stem + QLatin1Char('_') + ext + QLatin1Char('_') + QString::number(n)
                  + QStringLiteral(".jpg");
    used.insert(text::lower(picture));
    return picture;
}

QString pictureUrl(const QString& name)
{
    QString url;
    for (const QChar c : name) {
        if (QStringLiteral("%#?\"&<> ").contains(c))
            url += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            url += c;
    }
    return url;
}

QStringList resumeLines(const QList<ResumeRow>& rows, int width)
{
    const QString table = QStringLiteral("<TABLE border=\"1\" width=\"%1\">").arg(width);
    QStringList lines{QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"> "),
                      QStringLiteral("<HTML>"),
                      QStringLiteral("<HEAD>"),
                      QStringLiteral("<META NAME=\"author\" CONTENT=\"WORK_Pagora_印刷\">"),
                      QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"),
                      QStringLiteral("<META http-equiv=\"Content-Style-Type\" content=\"text/css\">"),
                      QStringLiteral("<TITLE>RESUME</TITLE>"),
                      QStringLiteral("</HEAD>"),
                      QStringLiteral("<BODY>"),
                      table,
                      QStringLiteral("<TBODY>"),
                      QStringLiteral("<BR>")};
    for (int i = 0; i < rows.size(); ++i) {
        const ResumeRow& r = rows.at(i);
        lines << QStringLiteral("<TR>") << QStringLiteral("<TD valign=\"top\"> ")
              << QStringLiteral("<P><IMG src=\"%1\" width=\"304\" height=\"185\" border=\"0\"></P> ")
                     .arg(pictureUrl(r.picture))
              << QStringLiteral("</TD>")
              << QStringLiteral("<TD valign=\"top\" width=\"%1\">[").arg(width - 310) + r.title
                     + QStringLiteral("]<BR>") + r.memo + QStringLiteral(" </TD>")
              << QStringLiteral("</TR>");
        if ((i + 1) % 5 == 0 && i + 1 < rows.size())
            lines << QStringLiteral("</TBODY> ") << QStringLiteral("</TABLE>") << QStringLiteral("<BR>") << table
                  << QStringLiteral("<TBODY>");
    }
    lines << QStringLiteral("</TBODY> ") << QStringLiteral("</TABLE>") << QStringLiteral("</BODY>")
          << QStringLiteral("</HTML>");
    return lines;
}

} // namespace merge
