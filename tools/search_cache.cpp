#include "tools/search_cache.h"

#include "store/files.h"
#include "tools/search_bytes.h"

#include <QFile>
#include <sys/stat.h>

namespace tools {

namespace {

template <class Text, class Mark>
Text cutBetween(const Text& text, Mark open, Mark close)
{
    qsizetype start = text.indexOf(open);
    if (start < 0)
        return text;
    Text out;
    out.reserve(text.size());
    qsizetype p = 0;
    while (start >= 0) {
        const qsizetype end = text.indexOf(close, start + 3);
        if (end < 0)
            break;
        out.append(text.constData() + p, start - p);
        p = end + 1; // the ">" stays
        start = text.indexOf(open, p);
    }
    out.append(text.constData() + p, text.size() - p);
    return out;
}

// Size and modification time in nanoseconds; one stat, no time-zone work.
std::optional<std::pair<qint64, qint64>> stamp(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return std::make_pair(qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec);
}

} // namespace

QString cutComments(const QString& text)
{
    return cutBetween(text, QLatin1String("<!-"), QLatin1String("->"));
}

QByteArray cutComments(const QByteArray& bytes)
{
    return cutBetween(bytes, QByteArrayView("<!-"), QByteArrayView("->"));
}

std::shared_ptr<const QString> PageTextCache::text(const QString& path)
{
    // The stamp is taken before the read: a change during the read shows at the next search.
    const auto st = stamp(path);
    if (st) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto it = items_.find(path);
        if (it != items_.end() && it->size == st->first && it->modified == st->second) {
            it->used = ++clock_;
            return it->text;
        }
    }
    const std::optional<QByteArray> bytes = readSearchedPage(path);
    if (!bytes)
        return nullptr;
    auto made = std::make_shared<const QString>(searchText(*bytes));
    if (st)
        keep(path, {st->first, st->second, made, 0});
    return made;
}

void PageTextCache::keep(const QString& path, Item item)
{
    const qint64 bytes = item.text->size() * qint64(sizeof(QChar));
    if (bytes > budget_)
        return;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (const auto old = items_.find(path); old != items_.end()) {
        held_ -= old->text->size() * qint64(sizeof(QChar));
        items_.erase(old);
    }
    // The texts used longest ago go first.
    while (held_ + bytes > budget_ && !items_.isEmpty()) {
        auto oldest = items_.begin();
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->used < oldest->used)
                oldest = it;
        }
        held_ -= oldest->text->size() * qint64(sizeof(QChar));
        items_.erase(oldest);
    }
    item.used = ++clock_;
    held_ += bytes;
    items_.insert(path, std::move(item));
}

void PageTextCache::clear()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    items_.clear();
    held_ = 0;
}

qint64 PageTextCache::heldBytes() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return held_;
}

QByteArray rawSearchBytes(const QString& word)
{
    if (word.isEmpty())
        return QByteArray();
    for (const QChar c : word) {
        if (c.isSurrogate() || c == QLatin1Char('>') || c == QChar(0xFFFD) || c == QChar(0xFEFF)
            || c.toUpper() != c || c.toLower() != c)
            return QByteArray();
    }
    return word.toUtf8();
}

} // namespace tools
