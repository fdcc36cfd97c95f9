// How fast the order of a folder's pages changes: the last page moved to the
// front, so every page (with its memo, and the pictures the pages show) gets
// a new number, in folders of 1,000 and 10,000 pages; and at 100,000 pages
// the longest time the window's thread went without answering meanwhile.
#include "platform/seam.h"
#include "store/files.h"
#include "store/page_levels.h"
#include "tools/page_order.h"
#include "tools/page_order_run.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

namespace {

bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every tenth page has a memo and shows a picture that is itself an entry.
bool writeFolder(const QString& folder, int pages)
{
    bool written = true;
    for (int i = 0; i < pages; ++i) {
        const QString base = QStringLiteral("%1_page%2").arg(100000 + 10 * i).arg(i);
        QString body = QStringLiteral("<HTML><HEAD><TITLE>ページ %1</TITLE></HEAD><BODY><P>本文</P>").arg(i);
        if (i % 10 == 0) {
            const QString picture = QStringLiteral("pic%1.png").arg(i);
            written = writePlain(files::joinPath(folder, picture), QByteArray("png")) && written;
            body += QStringLiteral("<IMG src=\"%1\">").arg(picture);
            written = writePlain(files::joinPath(folder, base + QStringLiteral(".%xt")), QByteArray("memo")) && written;
        }
        const QByteArray page = "\xEF\xBB\xBF" + (body + QStringLiteral("</BODY></HTML>\r\n")).toUtf8();
        written = writePlain(files::joinPath(folder, base + QStringLiteral(".html")), page) && written;
    }
    return written;
}

QStringList listed(const QString& folder)
{
    return store::pageEntries(files::listFiles(folder, store::kPageFileMask), QStringLiteral("Pagora"));
}

void BM_MoveOnePage(benchmark::State& state)
{
    QTemporaryDir dir;
    const int pages = int(state.range(0));
    if (!writeFolder(dir.path(), pages))
        state.SkipWithError("the folder was not written whole");
    qint64 entries = 0;
    for (auto _ : state) {
        const QStringList all = listed(dir.path());
        entries = all.size();
        const QStringList order = tools::moveEntry(all, int(all.size()) - 1, 0);
        const QStringList failures = tools::carryOutRenamePlan(tools::planRenumber(dir.path(), order)).failures;
        if (!failures.isEmpty())
            state.SkipWithError(qPrintable(failures.first()));
    }
    state.counters["entries"] = double(entries);
}
BENCHMARK(BM_MoveOnePage)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MoveOnePage)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The command's whole run as the window starts it (plan, renames, pages
// rewritten), with a timer on the window's thread every 10 ms: the longest
// gap between two of its ticks is the longest the window did not answer.
void BM_WindowStallWhileReordering(benchmark::State& state)
{
    platform::setTestMode(true);
    QTemporaryDir dir;
    const int pages = int(state.range(0));
    if (!writeFolder(dir.path(), pages))
        state.SkipWithError("the folder was not written whole");
    qint64 longest = 0, reload = 0;
    for (auto _ : state) {
        const QStringList all = listed(dir.path());
        const QStringList order = tools::moveEntry(all, int(all.size()) - 1, 0);
        QElapsedTimer sinceTick;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = qMax(longest, sinceTick.restart());
        });
        tick.start(10);
        sinceTick.start();
        const QString folder = dir.path();
        const tools::RenameOutcome outcome = tools::runRenamePlan(
            [&] { return tools::planRenumber(folder, order); }, int(order.size()), dir.path());
        longest = qMax(longest, sinceTick.elapsed());
        if (!outcome.failures.isEmpty())
            state.SkipWithError(qPrintable(outcome.failures.first()));
        // The list read again afterwards, on the window's thread.
        QElapsedTimer reading;
        reading.start();
        store::PageLevels levels;
        levels.ExeBaseName = QStringLiteral("Pagora");
        levels.OpenFolder(folder, 0, true);
        reload = reading.elapsed();
    }
    state.counters["longest_gui_stall_ms"] = double(longest);
    state.counters["list_reread_ms"] = double(reload);
    platform::setTestMode(false);
}
BENCHMARK(BM_WindowStallWhileReordering)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
