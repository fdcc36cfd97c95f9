#pragma once
// Dated posts written into a page (a small notice board such as the daily
// report): newest first after the page's last paragraph start tag, at most
// ten kept.

#include <QDateTime>
#include <QString>
#include <optional>

class TForm1;

namespace tools {

// " 2020年4月14日9時5分   火曜日 "
QString defaultDateText(const QDateTime& now);
// The text one post adds to the page. Every field is escaped ("&", "<",
// ">"), so a post cannot break the page; line breaks become "<BR>".
QString buildPostEntry(const QString& date, const QString& poster, const QString& text);
// The page with entry inserted and the posts beyond the tenth dropped;
// nothing when the page has no place for posts.
std::optional<QString> insertPost(const QString& page, const QString& entry);
// Reads, inserts and saves; "" on success, else a Japanese message (the
// page is then left as it was).
QString postIntoFile(const QString& pagePath, const QString& entry, const QStringList& within);

// The posting dialog for the current page.
void PostIntoPage(TForm1& w);

} // namespace tools
