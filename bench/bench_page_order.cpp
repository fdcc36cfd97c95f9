// How fast the order of a folder's pages changes: the last page moved to the
// front, so every page (with its memo, and the pictures the pages show) gets
// a new number, in folders of 1,000 and 10,000 pages.
#include "store/files.h"
#include "store/page_levels.h"
#include "tools/page_order_run.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

// Every tenth page has a memo and shows a picture that is itself an entry.
bool writeFolder(const QString& folder, int pages)
{
    bool written = true;
    for (int i = 0; i < pages; ++i) {
        const QString base = QStringLiteral("%1_page%2").arg(10000 + 10 * i).arg(i);
        QString body = QStringLiteral("<HTML><HEAD><TITLE>ページ %1</TITLE></HEAD><BODY><P>本文</P>").arg(i);
        if (i % 10 == 0) {
            const QString picture = QStringLiteral("pic%1.png").arg(i);
            written = files::writeBytes(files::joinPath(folder, picture), QByteArray("png"), {QDir::tempPath()}) && written;
            body += QStringLiteral("<IMG src=\"%1\">").arg(picture);
            written = files::writeBytes(files::joinPath(folder, base + QStringLiteral(".%xt")), QByteArray("memo"), {QDir::tempPath()})
                      && written;
        }
        written = files::writeTextBom(files::joinPath(folder, base + QStringLiteral(".html")),
                                      body + QStringLiteral("</BODY></HTML>"), {QDir::tempPath()})
                  && written;
    }
    return written;
}

void BM_MoveOnePage(benchmark::State& state)
{
    QTemporaryDir dir;
    const int pages = int(state.range(0));
    if (!writeFolder(dir.path(), pages))
        state.SkipWithError("the folder was not written whole");
    qint64 entries = 0;
    for (auto _ : state) {
        const QStringList listed = store::pageEntries(files::listFiles(dir.path(), store::kPageFileMask),
                                                      QStringLiteral("Pagora"));
        entries = listed.size();
        const QStringList order = tools::moveEntry(listed, int(listed.size()) - 1, 0);
        const QStringList failures = tools::carryOutRenamePlan(tools::planRenumber(dir.path(), order)).failures;
        if (!failures.isEmpty())
            state.SkipWithError(qPrintable(failures.first()));
    }
    state.counters["entries"] = double(entries);
}
BENCHMARK(BM_MoveOnePage)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MoveOnePage)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
