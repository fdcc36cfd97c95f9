// Turning a page: from the press on a page button until the main window's
// document-complete handler has shown the page (real browser engine,
// offscreen), over a data root of small pages. Reports the median, min and
// max of the presses (counters median_ms, min_ms, max_ms).
// Run from the build folder: ./bench_page_turn
#include "bench/engine_bench.h"
#include "bench/page_shown_wait.h"
#include "support/mouse_click.h"
#include "platform/seam.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kPages = 20;
constexpr int kLoadTimeoutMs = 20000;

QString makeProgramFolder(const QTemporaryDir& dir)
{
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    QDir().mkpath(root);
    for (int i = 0; i < kPages; ++i) {
        const QString body = QStringLiteral("<P>本文 %1</P>").arg(i).repeated(50);
        const QByteArray page = ("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                                 "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                                 "<TITLE>ページ" + QString::number(i) + "#見出し</TITLE></HEAD>\r\n<BODY>"
                                 + body + "</BODY></HTML>\r\n").toUtf8();
        QFile f(files::joinPath(root, QStringLiteral("%1_ページ.html").arg(1000 + 10 * i)));
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    }
    return files::joinPath(dir.path(), QStringLiteral("Pagora"));
}

void BM_PageTurn(benchmark::State& state)
{
    QTemporaryDir dir;
    TForm1 w(makeProgramFolder(dir));
    if (const char* why = bench::showFirstPage(w, kLoadTimeoutMs)) {
        state.SkipWithError(why);
        return;
    }
    std::vector<double> samples;
    int next = 1;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        clickMouse(w.PageButtons.value(next), QPointF(4, 4));
        const bool shown = bench::waitForPageShown(w, kLoadTimeoutMs);
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        // The completion taken must be the pressed page's own.
        if (!shown || w.LastDocumentUrl != w.ShownUrl || w.PBan() != next) {
            state.SkipWithError("a page did not complete");
            break;
        }
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
        next = (next + 1) % kPages;
    }
    const bench::Spread spread = bench::spreadOf(samples);
    state.counters["median_ms"] = spread.median;
    state.counters["min_ms"] = spread.min;
    state.counters["max_ms"] = spread.max;
}
BENCHMARK(BM_PageTurn)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runEngineBenchmarks(argc, argv);
}
