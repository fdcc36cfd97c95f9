// Print preview of an example page ("ページの印刷"): from the command until the
// preview window is on screen with its pages painted, and the memory the
// process took on top of what it held before (peak resident set, reset
// before each preview). Real browser engine, real preview dialog, offscreen.
// Run from the build folder: ./bench_print
#include "bench/engine_bench.h"
#include "bench/page_shown_wait.h"
#include "platform/seam.h"
#include "store/files.h"
#include "tools/printing.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kLoadTimeoutMs = 30000;
const char* const kPage = "1010_季節の花.html";

QString makeProgramFolder(const QTemporaryDir& dir)
{
    const QString examples = QStringLiteral(PAGORA_EXAMPLES_DIR);
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    QDirIterator it(examples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = files::joinPath(root, QDir(examples).relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
    return files::joinPath(dir.path(), QStringLiteral("Pagora"));
}

// Resident set now and at its peak, in MiB (Linux /proc).
double statusMiB(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// The preview shows pages only once the paint request has printed them.
bool painted(QPrintPreviewDialog* dialog)
{
    const auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    return preview && preview->pageCount() > 0;
}

// Closes the preview once it is on screen; the time it took to get there.
double previewSeconds(TForm1& w)
{
    QElapsedTimer clock;
    double seconds = -1;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(top); dialog && dialog->isVisible() && painted(dialog)) {
                seconds = double(clock.nsecsElapsed()) / 1e9;
                dialog->reject();
            }
    });
    poll.start();
    clock.start();
    tools::N6Click(w);
    return seconds;
}

void BM_PrintPreview(benchmark::State& state)
{
    QTemporaryDir dir;
    TForm1 w(makeProgramFolder(dir));
    if (const char* why = bench::showFirstPage(w, kLoadTimeoutMs)) {
        state.SkipWithError(why);
        return;
    }
    const int index = w.levels.topEntries().indexOf(QString::fromUtf8(kPage));
    w.PBanSave(index);
    w.LastDocumentUrl.clear();
    w.PageClick(0, true);
    if (index < 0 || !bench::waitForPageShown(w, kLoadTimeoutMs)) {
        state.SkipWithError("the example page did not show");
        return;
    }
    std::vector<double> samples;
    double extraMiB = 0;
    for (auto _ : state) {
        const double before = statusMiB("VmRSS:");
        resetPeak();
        const double seconds = previewSeconds(w);
        extraMiB = std::max(extraMiB, statusMiB("VmHWM:") - before);
        if (seconds < 0) {
            state.SkipWithError("no preview was shown");
            break;
        }
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
    }
    const bench::Spread spread = bench::spreadOf(samples);
    state.counters["median_ms"] = spread.median;
    state.counters["max_ms"] = spread.max;
    state.counters["extra_peak_MiB"] = extraMiB;
}
BENCHMARK(BM_PrintPreview)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runEngineBenchmarks(argc, argv, false);
}
