#pragma once
// The page texts the full-text search had to make (pages it cannot search
// in their bytes), kept between searches up to a byte budget: the ones used
// last stay. A text is made again when its file's size or modification
// time changed, so the results are those of a fresh read.

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>

namespace tools {

// Cuts every stretch from "<!-" to the next "->" (the "<" through that "-";
// the ">" stays). A comment left open keeps the rest.
QString cutComments(const QString& text);
QByteArray cutComments(const QByteArray& bytes);

class PageTextCache {
public:
    explicit PageTextCache(qint64 budgetBytes = 32 << 20) : budget_(budgetBytes) {}
    // A copy starts empty: it is a cache.
    PageTextCache(const PageTextCache& other) : budget_(other.budget_) {}
    PageTextCache& operator=(const PageTextCache& other)
    {
        if (this != &other) {
            clear();
            budget_ = other.budget_;
        }
        return *this;
    }
    // The search text of the file at path (searchText of its bytes), read
    // and made again when not kept or stale; nullptr when the file cannot
    // be read. Safe from many threads.
    std::shared_ptr<const QString> text(const QString& path);
    void clear();
    // Bytes the kept texts take.
    qint64 heldBytes() const;

private:
    struct Item {
        qint64 size = -1;
        qint64 modified = -1; // nanoseconds since the epoch
        std::shared_ptr<const QString> text;
        quint64 used = 0;
    };
    void keep(const QString& path, Item item);
    mutable std::mutex mutex_;
    QHash<QString, Item> items_;
    qint64 budget_;
    qint64 held_ = 0;
    quint64 clock_ = 0;
};

// The UTF-8 bytes a search word can be looked for in a file's raw bytes
// before its text is made: every character of the word is one no letter
// case maps onto, and none takes part in cutting comments or in decoding
// faults. "" when the word must be looked for in the text itself.
QByteArray rawSearchBytes(const QString& word);

} // namespace tools
