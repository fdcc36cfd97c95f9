#pragma once
// The page texts the full-text search reads, kept between searches: each is
// upper-cased with its comments cut out, and read again when the file's size
// or modification time changed, so the results are those of a fresh read.

#include <QHash>
#include <QString>
#include <QStringList>

namespace tools {

// Cuts every stretch from "<!-" to the next "->" (the "<" through that "-";
// the ">" stays). A comment left open keeps the rest.
QString cutComments(const QString& text);

// The page texts the full-text search reads, kept between searches: each is
// upper-cased with its comments cut out, and read again when the file's size
// or modification time changed, so the results are those of a fresh read.
class PageTextCache {
public:
    // Makes the texts of paths ready (in parallel); unreadable files have none.
    void prepare(const QStringList& paths);
    // The prepared text of path, nullptr when it could not be read.
    const QString* text(const QString& path) const;
    void clear() { items_.clear(); }

private:
    struct Item {
        qint64 size = -1;
        qint64 modified = -1; // nanoseconds since the epoch
        bool readable = false;
        QString upper;
    };
    QHash<QString, Item> items_;
};

// The UTF-8 bytes a search word can be looked for in a file's raw bytes
// before its text is made: every character of the word is one no letter
// case maps onto, and none takes part in cutting comments or in decoding
// faults. "" when the word must be looked for in the text itself.
QByteArray rawSearchBytes(const QString& word);

} // namespace tools
