#pragma once
// The search window's word rules without any file or window: how a search
// text splits into words, how titles compare in the title sort, and when a
// title's name or keyword is a searched word.

#include <QString>
#include <QStringList>

namespace tools {

// The separator of a search text: "／" when the text holds one (then "/" is
// an ordinary character), else "/".
QString searchSeparator(const QString& text);
// Words of a search text, split at its separator from the left; the list
// ends at the first empty word (a leading separator, or two in a row).
QStringList splitSearchWords(const QString& text);

// Ordinal over UTF-16 units with ASCII letters compared without case.
int compareText(const QString& a, const QString& b);

// Heading match: the normalised title (no icon, no hint, its first "#" made
// the separator) holds the word whole between separators, case ignored.
bool headingMatches(const QString& title, const QString& word, const QString& separator);

} // namespace tools
