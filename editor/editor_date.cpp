#include "editor/editor_date.h"

#include "store/clock.h"
#include "store/text.h"

#include <QFileInfo>

namespace editor {

QString headingDateText(const QDate& d)
{
    return u' ' + text::dateJa(d);
}

QString dailyReportSuffix(const QDate& d)
{
    return QStringLiteral(":%1/%2/%3").arg(d.year()).arg(d.month()).arg(d.day());
}

QString headingWithDate(const QString& heading, const QDate& d)
{
    const int open = heading.indexOf(u'[');
    const int close = heading.indexOf(u']');
    if (open >= 0 && close > open)
        return heading.left(open + 1) + headingDateText(d) + heading.mid(close);
    return u'[' + headingDateText(d) + u']';
}

void dateButtonClick(store::PageModel& m)
{
    m.Memo4 = headingWithDate(m.Memo4, store::clock::today());
}

void resetButtonClick(store::PageModel& m, const QString& pagePath)
{
    QString suffix;
    m.Memo4.clear();
    if (QFileInfo(pagePath).fileName().contains(QStringLiteral("日報"))) {
        m.Memo1 = QStringLiteral("＜指示・伝達＞");
        m.Memo2 = QStringLiteral("＜連絡＞");
        suffix = dailyReportSuffix(store::clock::today());
    } else {
        m.Memo2.clear();
        m.Memo1.clear();
    }
    const int colon = m.Edit1.indexOf(u':');
    m.Edit1 = (colon < 0 ? m.Edit1 : m.Edit1.left(colon)) + suffix;
    m.Edit5.clear();
    m.Edit6.clear();
    m.Edit2.clear();
    m.Edit3.clear();
    m.Memo5.clear();
    auto fields = m.tableFields();
    for (int i = 1; i < store::kTableFieldCount; ++i)  // Memo1 was set above
        fields[i]->clear();
}

} // namespace editor
