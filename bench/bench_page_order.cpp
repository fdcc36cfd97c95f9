// How fast the order of a folder's pages changes: the last page moved to the
// front, so every page (with its memo, and the pictures the pages show) gets
// a new number, in folders of 1,000 and 10,000 pages; and at 100,000 pages
// the longest time the window's thread went without answering meanwhile,
// from the command to the new list shown.
#include "bench/run_benchmarks.h"
#include "bench/temporary_home.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/page_levels.h"
#include "tools/page_order.h"
#include "tools/page_order_run.h"
#include "support/fake_browser.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>

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

// The command's whole run on a window over a folder of 100,000 pages (fake
// browser, offscreen), as the order dialog's answer starts it: plan, renames,
// pages rewritten, the folder read again and its list swapped in. A timer on
// the window's thread every 10 ms: the longest gap between two of its ticks
// is the longest the window did not answer. list_reread_ms runs from the
// start of the new listing (on the worker) to the end of the command;
// check_ms is the check that the window shows the folder's own list, made
// on the window's thread before the order dialog opens; stall_end_ms is when
// the longest stall ended, from the command's start.
void BM_WindowStallWhileReordering(benchmark::State& state)
{
    QTemporaryDir home;
    bench::useTemporaryHome(home);
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    QTemporaryDir dir;
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    const int pages = int(state.range(0));
    if (!QDir().mkpath(root) || !writeFolder(root, pages))
        state.SkipWithError("the folder was not written whole");
    TForm1 w(files::joinPath(dir.path(), QStringLiteral("Pagora")));
    w.ShutdownPauseMs = 0;
    w.FormShow();
    qint64 longest = 0, longestEnd = 0, reread = 0, command = 0, check = 0;
    for (auto _ : state) {
        const int last = w.PBanSu() - 1;
        w.PBanSave(last);
        QElapsedTimer checking;
        checking.start();
        if (!tools::onFolderLevel(w))
            state.SkipWithError("the window does not show the folder's list");
        check = checking.elapsed();
        QElapsedTimer sinceStart;
        std::atomic<qint64> rereadFrom{-1};
        tools::setBeforeRereadingForTests([&] { rereadFrom = sinceStart.elapsed(); });
        QElapsedTimer sinceTick;
        QTimer tick;
        const auto gap = [&] {
            const qint64 g = sinceTick.restart();
            if (g > longest) {
                longest = g;
                longestEnd = sinceStart.elapsed();
            }
        };
        QObject::connect(&tick, &QTimer::timeout, gap);
        tick.start(10);
        sinceTick.start();
        sinceStart.start();
        tools::MovePageAndRenumber(w, last, 0);
        gap();
        command = sinceStart.elapsed();
        reread = rereadFrom < 0 ? -1 : command - rereadFrom;
        tools::setBeforeRereadingForTests({});
        if (w.PBanSu() != last + 1 || w.PBan() != 0)
            state.SkipWithError("the moved page is not the first of the list");
    }
    // The parts of the window's own work once the listing is read: the level
    // swapped in, then the page-button column rebuilt and the page shown.
    const store::ListedFolder listing = store::listPageFolder(w.CurrentFolder(), w.levels.ExeBaseName, w.levels.WriteBounds);
    QElapsedTimer part;
    part.start();
    w.OpenListedFolder(listing, w.PBan(), false);
    const qint64 swapIn = part.restart();
    w.ReMake();
    const qint64 rebuild = part.restart();
    w.PageClick(0, true);
    state.counters["swap_in_ms"] = double(swapIn);
    state.counters["rebuild_ms"] = double(rebuild);
    state.counters["page_shown_ms"] = double(part.elapsed());
    state.counters["longest_gui_stall_ms"] = double(longest);
    state.counters["list_reread_ms"] = double(reread);
    state.counters["command_ms"] = double(command);
    state.counters["stall_end_ms"] = double(longestEnd);
    state.counters["check_ms"] = double(check);
    platform::setTestMode(false);
}
BENCHMARK(BM_WindowStallWhileReordering)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

// The window needs a widget application (offscreen unless told otherwise).
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
