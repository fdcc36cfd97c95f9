#include "editor/dated_page.h"

#include "store/files.h"
#include "store/style_blocks.h"
#include "store/text.h"

namespace editor {

namespace {

// The count grows past entries that were deleted or renamed since; this
// bound only stops a folder that refuses every lookup from looping forever.
constexpr int kMaxTries = 100000;

QString compactDate(const QDate& d)
{
    return text::pad(d.year(), 4) + text::pad(d.month(), 2) + text::pad(d.day(), 2);
}

} // namespace

QString datedPageTitle(const QDate& day)
{
    return text::pad(day.year(), 4) + QStringLiteral("年") + text::pad(day.month(), 2) + QStringLiteral("月") +
           text::pad(day.day(), 2) + QStringLiteral("日");
}

QString datedPageTemplate(const QString& title)
{
    const QStringList lines{
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">"),
        QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"),
        QStringLiteral("<META http-equiv=\"Content-Style-Type\" content=\"text/css\">"),
        QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>") + store::GetStyleBlock(1) +
            QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<!--HEDDA_IN-->"),
        QStringLiteral("<!--HEDDA_OUT-->"),
        QStringLiteral("<!--FOOTER_IN-->"),
        QStringLiteral("<!--FOOTER_OUT-->"),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    return lines.join(QLatin1Char('\r'));
}

QString datedPageName(const QString& folder, const QDateTime& now, const QStringList& topEntries)
{
    const QString today = compactDate(now.date());
    int n = 1;
    for (const QString& entry : topEntries)
        n += entry.contains(today) ? 1 : 0;
    const QString stamp = text::stampDdmmss(now);
    for (int tries = 0; tries < kMaxTries; ++tries, ++n) {
        const QString name = stamp + QString::number(n) + QStringLiteral(".html");
        if (files::findFile(folder, name).isEmpty())
            return files::joinPath(folder, name);
    }
    return QString();
}

} // namespace editor
