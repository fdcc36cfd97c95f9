#include "tools/posting.h"

#include "platform/seam.h"
#include "store/file_lock.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/paths.h"
#include "store/text.h"
#include "tools/forms/form16.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QFileInfo>

namespace tools {

namespace {

const QString kPostEnd = QStringLiteral("---.<BR>");
constexpr int kMaxPosts = 10;

QString escaped(const QString& s)
{
    QString out = s;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
    // A typed "---." must not end a post early when the pruning counts them.
    out.replace(QLatin1String("---."), QLatin1String("---&#46;"));
    return out;
}

// Escaped first, so that the breaks stay markup.
QString withBreaks(const QString& s)
{
    return escaped(files::splitLines(s).join(QLatin1Char('\n'))).replace(QLatin1Char('\n'), QLatin1String("<BR>"));
}

// The first at most keep posts of rest, then what follows the last post.
QString prunePosts(const QString& rest, int keep)
{
    const int last = rest.lastIndexOf(kPostEnd);
    if (last < 0)
        return rest;
    int end = 0;
    for (int n = 0; n < keep; ++n) {
        const int next = rest.indexOf(kPostEnd, end);
        if (next < 0)
            break;
        end = next + kPostEnd.size();
    }
    return rest.left(end) + rest.mid(last + kPostEnd.size());
}

} // namespace

QString defaultDateText(const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    return QStringLiteral(" %1年%2月%3日%4時%5分   %6曜日 ")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(t.hour())
        .arg(t.minute())
        .arg(text::weekdayJa(d));
}

QString buildPostEntry(const QString& date, const QString& poster, const QString& text)
{
    QString entry = QStringLiteral("(^0^)");
    if (!date.isEmpty() || !poster.isEmpty()) {
        entry += withBreaks(date);
        if (!poster.isEmpty())
            entry += QStringLiteral("：") + withBreaks(poster);
        entry += QLatin1String("<BR>");
    }
    return entry + withBreaks(text) + QLatin1String("<BR>") + kPostEnd;
}

std::optional<QString> insertPost(const QString& page, const QString& entry)
{
    int headEnd;
    const int lastP = page.lastIndexOf(QLatin1String("<P"));
    if (lastP >= 0) {
        const int close = page.indexOf(QLatin1Char('>'), lastP);
        if (close < 0)
            return std::nullopt;
        headEnd = close + 1;
    } else {
        const int close = page.indexOf(QLatin1Char('>'));
        if (close < 0)
            return std::nullopt;
        headEnd = close + 1;
    }
    return page.left(headEnd) + entry + prunePosts(page.mid(headEnd), kMaxPosts - 1);
}

QString postIntoFile(const QString& pagePath, const QString& entry, const QStringList& within)
{
    // A post written by another instance between this read and this write
    // would be lost: both stand together under the lock.
    const files::FileLock lock(pagePath);
    if (!lock.held())
        return QStringLiteral("ページ「%1」に書き込めませんでした。ページは元のままです。").arg(QFileInfo(pagePath).fileName());
    QString refusal;
    const std::optional<store::PageText> read = store::readPageToRewrite(pagePath, refusal);
    if (!read && !refusal.isEmpty())
        return refusal;
    if (!read)
        return QStringLiteral("ページ「%1」を読めませんでした。").arg(QFileInfo(pagePath).fileName());
    const std::optional<QString> page = insertPost(read->text, entry);
    if (!page)
        return QStringLiteral("ページ「%1」には投稿を書き込む場所がありません。").arg(QFileInfo(pagePath).fileName());
    if (!files::writeTextBom(pagePath, *page, within))
        return QStringLiteral("ページ「%1」に書き込めませんでした。ページは元のままです。").arg(QFileInfo(pagePath).fileName());
    return QString();
}

void PostIntoPage(TForm1& w)
{
    const int ban = w.PBan();
    const QStringList entries = w.levels.topEntries();
    if (ban < 0 || ban >= entries.size() || store::isWebAddress(entries.at(ban))
        || entries.at(ban).contains(QLatin1String("http:")))
        return;
    const QString path = w.levels.entryPath(ban);
    QString title = store::UnescapeAngleBrackets(w.levels.topTitles().value(ban));
    if (title.contains(QLatin1Char('?')))
        title = title.left(title.indexOf(QLatin1Char('?')));
    windowOnDemand(Form16, &w);
    Form16->setPage(path, title, commands::writeRoots(w).folders);
    Form16->FormShow();
    platform::execModal(Form16);
    if (w.PBan() < 0)
        return;
    w.SpeedButton16->setEnabled(true);
    const int now = w.PBan();
    if (now < w.PBanSu()) {
        w.levels.TiteleLoad(now, w.caption());
        w.RefreshPageButton(now);
    }
    w.PageClick(0, true);
}

} // namespace tools
