#include "viewer/command_link_page.h"

#include "store/text.h"
#include "store/paths.h"

namespace commands {

static const QString kLinkMarker = QStringLiteral("【リンク】");

// The text after marker (searched from `from`) up to the next "<"; "" when
// the marker does not follow.
static QString textAfter(const QString& marker, const QString& s, int from)
{
    const int at = text::pos(marker, s, from);
    if (at == 0)
        return QString();
    const int start = at + marker.size();
    const int lt = text::pos(QStringLiteral("<"), s, start);
    return lt == 0 ? text::copyFrom(s, start) : text::copy(s, start, lt - start);
}

LinkPage parseLinkPage(const QString& pageText)
{
    LinkPage page;
    if (!pageText.contains(kLinkMarker) || pageText.contains(QStringLiteral("NOTLINK")))
        return page;
    page.active = true;
    const QString s = text::replaceAll(pageText, QStringLiteral("HREF="), QStringLiteral("href="));
    int from = 1;
    for (;;) {
        const int href = text::pos(QStringLiteral("href="), s, from);
        if (href == 0)
            break;
        const int open = text::pos(QStringLiteral("\""), s, href);
        if (open == 0)
            break;
        const int close = text::pos(QStringLiteral("\""), s, open + 1);
        if (close == 0)
            break;
        PageLink link;
        link.href = text::copy(s, open + 1, close - open - 1);
        const int gt = text::pos(QStringLiteral(">"), s, close);
        if (gt > 0) {
            const int lt = text::pos(QStringLiteral("<"), s, gt + 1);
            link.title = lt == 0 ? text::copyFrom(s, gt + 1) : text::copy(s, gt + 1, lt - gt - 1);
        }
        page.links << link;
        page.lastLabel = textAfter(kLinkMarker, s, close + 1);
        from = close + 1;
    }
    return page;
}

QString linkPageEntry(const QString& href, const QString& location)
{
    if (store::isWebAddress(href) || !store::isWebAddress(location))
        return href;
    const int slash = text::lastPos(QStringLiteral("/"), location);
    return text::copy(location, 1, slash) + href;
}

bool isCommandHref(const QString& href)
{
    // "/$NEXT" itself must count: a link page with that one link advances.
    return href.contains(QStringLiteral("/$")) || href.contains(QStringLiteral("\\$"));
}

bool hasQuizFeedbackLink(const QString& pageText)
{
    const QString s = text::lower(pageText);
    const QString marker = QStringLiteral("href=\"");
    int from = 1;
    for (;;) {
        const int at = text::pos(marker, s, from);
        if (at == 0)
            return false;
        const int start = at + marker.size();
        const int close = text::pos(QStringLiteral("\""), s, start);
        const QString value = close == 0 ? text::copyFrom(s, start) : text::copy(s, start, close - start);
        if (value.contains(QLatin1Char('$')) && value.contains(QStringLiteral("【")))
            return true;
        if (close == 0)
            return false;
        from = close + 1;
    }
}

} // namespace commands
