#include "tools/search_scan.h"

#include "store/files.h"
#include "tools/search_title.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <atomic>
#include <thread>
#include <vector>

namespace tools {

namespace {

struct Candidate {
    QString entry; // relative path
    QString path;  // full path
};

bool inZorbSubfolder(const QString& directory)
{
    return directory.startsWith(QLatin1String("ZORB/"));
}

// One folder: its files and folders merged in name order, folders entered
// where they stand.
void walk(const QString& root, const QString& directory, std::vector<Candidate>& out)
{
    const QString base = directory.isEmpty() ? root : files::joinPath(root, directory);
    const QStringList fileNames = files::listFiles(base, QStringLiteral("*.*"));
    const QStringList folderNames = files::listFolders(base);
    auto rel = [&directory](const QString& name) {
        return directory.isEmpty() ? name : directory + QLatin1Char('/') + name;
    };
    int f = 0, d = 0;
    while (f < fileNames.size() || d < folderNames.size()) {
        const bool takeFile = d >= folderNames.size()
            || (f < fileNames.size() && files::compareNames(fileNames[f], folderNames[d]) <= 0);
        if (takeFile) {
            const QString& name = fileNames[f++];
            if (name.startsWith(QLatin1Char('_')) || inZorbSubfolder(directory) || !isSearchedName(name))
                continue;
            out.push_back({rel(name), files::joinPath(base, name)});
        } else {
            walk(root, rel(folderNames[d++]), out);
        }
    }
}

} // namespace

void parallelFor(int count, const std::function<void(int)>& work)
{
    const int threads = qBound(1, int(std::thread::hardware_concurrency()), 8);
    if (count < 64 || threads == 1) {
        for (int i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::atomic<int> next{0};
    auto run = [&]() {
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            work(i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(run);
    run();
    for (auto& t : pool)
        t.join();
}

ScanResult ZENBU(const QString& searchRoot, const std::function<void(const QString&)>& progress,
                 const std::function<void()>& beforeEachFile)
{
    std::vector<Candidate> found;
    walk(searchRoot, QString(), found);
    std::vector<PageTitle> titles(found.size());
    QElapsedTimer clock;
    clock.start();
    std::atomic<qint64> shownAt{0};
    parallelFor(int(found.size()), [&](int i) {
        if (beforeEachFile)
            beforeEachFile();
        // Reads open without blocking and take regular files only: a named
        // pipe behind a link is an unreadable file, never a wait.
        titles[i] = ReadPageTitle(found[i].path);
        qint64 last = shownAt.load(std::memory_order_relaxed);
        const qint64 now = clock.elapsed();
        if (progress && titles[i].listable && now - last >= 50 && shownAt.compare_exchange_strong(last, now))
            progress(titles[i].title);
    });
    ScanResult result;
    for (size_t i = 0; i < found.size(); ++i) {
        if (!titles[i].listable)
            continue;
        if (titles[i].readFailed)
            ++result.unreadable;
        result.list.append(found[i].entry, titles[i].title);
    }
    return result;
}

} // namespace tools
