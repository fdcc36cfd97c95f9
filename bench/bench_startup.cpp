// Start-up of the main window: creating the window with its component tree,
// and the first showing (data folders, daily-report restore, first level of
// a data root with many pages, page buttons, first page) with browser
// stand-ins, offscreen. Run from the build folder: ./bench_startup
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString makeProgramFolder(QTemporaryDir& dir, int pages)
{
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    QDir().mkpath(root);
    const QByteArray page = QByteArrayLiteral(
        "\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n<TITLE>ページ#見出し?ヒント</TITLE>\r\n"
        "</HEAD>\r\n<BODY><!--NOTE_IN--><P>本文</P><!--NOTE_OUT--></BODY>\r\n</HTML>\r\n");
    for (int i = 0; i < pages; ++i) {
        QFile f(files::joinPath(root, QStringLiteral("%1_ページ.html").arg(1000 + 10 * i)));
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    }
    return files::joinPath(dir.path(), QStringLiteral("Pagora"));
}

void BM_CreateMainWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, 0);
    for (auto _ : state) {
        TForm1 w(exe);
        benchmark::DoNotOptimize(w.kabeBASE);
    }
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond);

void BM_FirstShow(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<TForm1>(exe);
        w->ShutdownPauseMs = 0;
        state.ResumeTiming();
        w->FormShow();
        benchmark::DoNotOptimize(w->PBanSu());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstShow)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QApplication app(argc, argv);
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
