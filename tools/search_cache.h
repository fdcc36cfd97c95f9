#pragma once
// The page texts the full-text search reads, kept between searches: each is
// upper-cased with its comments cut out, and read again when the file's size
// or modification time changed, so the results are those of a fresh read.

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tools {

// Cuts every stretch from "<!-" to the next "->" (the "<" through that "-";
// the ">" stays). A comment left open keeps the rest.
QString cutComments(const QString& text);

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
        QDateTime modified;
        bool readable = false;
        QString upper;
    };
    QHash<QString, Item> items_;
};

} // namespace tools
