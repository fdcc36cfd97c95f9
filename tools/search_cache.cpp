#include "tools/search_cache.h"

#include "store/files.h"
#include "store/text.h"
#include "tools/search_scan.h"

#include <QFileInfo>
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
        qint64 size = -1;
        QDateTime modified;
        bool fresh = false;
        Item item;
    };
    std::vector<Job> jobs(paths.size());
    for (int i = 0; i < paths.size(); ++i)
        jobs[i].path = paths[i];
    parallelFor(int(jobs.size()), [this, &jobs](int i) {
        Job& job = jobs[i];
        const QFileInfo info(job.path);
        job.size = info.size();
        job.modified = info.lastModified();
        const auto it = items_.constFind(job.path); // read only while the threads run
        if (it != items_.constEnd() && it->size == job.size && it->modified == job.modified && info.exists())
            return;
        job.fresh = true;
        job.item.size = job.size;
        job.item.modified = job.modified;
        const std::optional<QByteArray> bytes = files::readBytes(job.path);
        job.item.readable = bytes.has_value();
        if (bytes)
            job.item.upper = cutComments(text::upper(files::decodeUtf8(*bytes)));
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

} // namespace tools
