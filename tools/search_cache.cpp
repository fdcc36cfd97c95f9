#include "tools/search_cache.h"

#include "store/files.h"
#include "store/page_encoding.h"
#include "store/text.h"
#include "tools/search_scan.h"

#include <QFile>
#include <QSet>
#include <sys/stat.h>
#include <vector>

namespace tools {

QString cutComments(const QString& text)
{
    int open = text.indexOf(QLatin1String("<!-"));
    if (open < 0)
        return text;
    QString out;
    out.reserve(text.size());
    int p = 0;
    while (open >= 0) {
        const int close = text.indexOf(QLatin1String("->"), open + 3);
        if (close < 0)
            break;
        out += QStringView(text).mid(p, open - p);
        p = close + 1; // the ">" stays
        open = text.indexOf(QLatin1String("<!-"), p);
    }
    out += QStringView(text).mid(p);
    return out;
}

void PageTextCache::prepare(const QStringList& paths)
{
    struct Job {
        QString path;
        bool fresh = false;
        Item item;
    };
    std::vector<Job> jobs;
    jobs.reserve(paths.size());
    QSet<QString> seen;
    for (const QString& p : paths) {
        if (!seen.contains(p)) {
            seen.insert(p);
            jobs.push_back({p, false, {}});
        }
    }
    parallelFor(int(jobs.size()), [this, &jobs](int i) {
        Job& job = jobs[i];
        // One stat, no time-zone work: thousands of files are checked per search.
        struct stat st {};
        const bool there = ::stat(QFile::encodeName(job.path).constData(), &st) == 0;
        const qint64 size = there ? qint64(st.st_size) : -1;
        const qint64 modified = there ? qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : -1;
        const auto it = items_.constFind(job.path); // read only while the threads run
        if (there && it != items_.constEnd() && it->size == size && it->modified == modified)
            return;
        job.fresh = true;
        job.item.size = size;
        job.item.modified = modified;
        const std::optional<QByteArray> bytes = files::readBytes(job.path);
        job.item.readable = bytes.has_value();
        if (bytes)
            job.item.upper = cutComments(text::upper(store::decodePage(*bytes).text));
    });
    for (Job& job : jobs) {
        if (job.fresh)
            items_.insert(job.path, std::move(job.item));
    }
}

const QString* PageTextCache::text(const QString& path) const
{
    const auto it = items_.constFind(path);
    return it != items_.constEnd() && it->readable ? &it->upper : nullptr;
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
