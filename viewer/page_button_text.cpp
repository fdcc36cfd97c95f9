#include "viewer/page_button_text.h"

#include "store/files.h"
#include "store/page_levels.h"
#include "store/paths.h"
#include "store/text.h"

#include <QFileInfo>

namespace viewer {

namespace {

const QString kHalfWidthEndings =
    QStringLiteral("qwertyuiopasdfghjklzxcvbnmQWERTYUIOPASDFGHJKLZXCVBNM(1234567890");

} // namespace

QString PadButtonCaption(const QString& s, int indent)
{
    const QString lead(qMax(0, indent), QLatin1Char(' '));
    const bool halfWidth = !s.isEmpty() && kHalfWidthEndings.contains(s.back());
    if (halfWidth) {
        const int fill = 2 * kButtonCaptionColumns - indent - int(s.size());
        return lead + s + QString(qMax(0, fill), QLatin1Char(' '));
    }
    const int fill = kButtonCaptionColumns - indent - int(s.size());
    return lead + s + QString(qMax(0, fill), QChar(0x3000));
}

PageButtonTitle splitPageButtonTitle(const QString& title)
{
    PageButtonTitle r;
    QString t = title;
    const int q1 = text::pos(QStringLiteral("\""), t);
    if (q1 > 0) {
        t = text::copyFrom(t, q1 + 1);
        const int q2 = text::pos(QStringLiteral("\""), t);
        if (q2 > 0) {
            r.icon = text::copy(t, 1, q2 - 1);
            t = text::copyFrom(t, q2 + 1);
        } else {
            // Without a closing quote the quote stays part of the caption.
            t = title;
        }
    }
    const int q = text::pos(QStringLiteral("?"), t);
    if (q > 0) {
        r.hasHint = true;
        r.hint = text::copyFrom(t, q + 1);
        t = text::copy(t, 1, q - 1);
    }
    r.text = t;
    return r;
}

QString buttonCaption(const QString& text)
{
    const int hash = text::pos(QStringLiteral("#"), text);
    if (hash == 0)
        return PadButtonCaption(text, 1);
    return PadButtonCaption(text::copy(text, 1, hash - 1), 1) + QLatin1Char('\n')
        + PadButtonCaption(text::copyFrom(text, hash + 1), 4);
}

QString buttonHint(int index, const PageButtonTitle& title)
{
    const QString number = QString::number(index + 1);
    return title.hasHint ? number + QLatin1Char(' ') + title.hint : number;
}

int pageButtonRowHeight(int columnHeight, int entries)
{
    const int rest = columnHeight - kMinButtonRowHeight * entries - kMinButtonRowHeight;
    if (rest <= 0)
        return kMinButtonRowHeight;
    return rest / (entries + 1) + kMinButtonRowHeight;
}

QString refreshedButtonTitle(const QString& path, const QString& listTitle)
{
    const QFileInfo info(path);
    if (!info.isFile() || !text::lower(info.fileName()).contains(QStringLiteral(".ht")))
        return store::UnescapeAngleBrackets(listTitle);
    const QString page = store::pageHeadText(path);
    const QString upperPage = text::upper(page);
    QString title;
    const int open = text::pos(QStringLiteral("<TITLE"), upperPage);
    if (open > 0 && page.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC"))) {
        const int start = text::pos(QStringLiteral(">"), page, open) + 1;
        const int end = text::pos(QStringLiteral("</TITLE"), upperPage, start);
        if (start > 1 && end > 0)
            title = store::UnescapeAngleBrackets(text::copy(page, start, end - start));
    }
    return title.isEmpty() ? store::baseNameTitle(info.fileName()) : title;
}

} // namespace viewer
