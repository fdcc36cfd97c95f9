// A folder of very many pages (1,000, 10,000 and 100,000 generated pages),
// with the real browser engine offscreen.
// BM_ManyPagesTurn/<pages>: a page button pressed until the main window has
// shown the page; in the same run, a bare QWebEngineView loads the same pages
// in turn (bare_median_ms) and ratio = median_ms / bare_median_ms.
// BM_ManyPagesStartUp/<pages>: launch to the first page shown, each run a fresh
// process (this program in its child mode) running the program's own start-up;
// peak_mb is the program process's peak resident memory when the first page
// was shown (VmHWM of the child, its own since its exec); maxrss_mb is the
// child's getrusage ru_maxrss, which on Linux also keeps the peak of the
// forked copy of this benchmark before the exec, so it reads high once this
// process has grown (the turns run first).
// BM_ManyPagesIdlePatrol/<pages>: the patrol's tick over an unchanged folder,
// as its timer runs it, while a 10 ms timer on the GUI thread records the
// longest gap between its ticks: max_stall_ms is the longest the window did
// not answer (tick_ms the tick itself); change_stall_ms the same for the
// two ticks that find a new file in the folder and rebuild the list.
// Run from the build folder: ./bench_many_pages   (or --benchmark_filter=Turn/10000)
#include "app/startup_order.h"
#include "app/startup_env.h"
#include "bench/engine_bench.h"
#include "bench/page_shown_wait.h"
#include "bench/temporary_home.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"
#include "support/mouse_click.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kLoadTimeoutMs = 60000;
constexpr int kTurns = 30;
constexpr int kStartUps = 3;
constexpr char kChildFlag[] = "--many-pages-child";
constexpr char kChildMarker[] = "PAGORA_BENCH_CHILD";
constexpr int kChildTimeoutMs = 180000;

QString pageName(int i)
{
    return QStringLiteral("%1_ページ.html").arg(100000 + 10 * i);
}

// A data root of n small pages; returns the executable path whose data root it is.
QString makeProgramFolder(const QTemporaryDir& dir, int n)
{
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    QDir().mkpath(root);
    for (int i = 0; i < n; ++i) {
        const QByteArray page = ("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                                 "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                                 "<TITLE>ページ" + QString::number(i) + "#見出し?ヒント</TITLE></HEAD>\r\n<BODY>"
                                 + QStringLiteral("<P>本文 %1</P>").arg(i).repeated(20) + "</BODY></HTML>\r\n").toUtf8();
        QFile f(files::joinPath(root, pageName(i)));
        if (f.open(QIODevice::WriteOnly))
            f.write(page);
    }
    return files::joinPath(dir.path(), QStringLiteral("Pagora"));
}

void skip(benchmark::State& state, const QString& why)
{
    static std::string message; // the library keeps the pointer
    message = why.toStdString();
    state.SkipWithError(message.c_str());
}

// ms for a bare view to load each page of the folder in turn, as many as turns.
std::vector<double> bareViewTurns(const QString& root, int pages, int turns)
{
    QWebEngineView view;
    view.resize(790, 725); // the main window's page area
    view.show();
    std::vector<double> samples;
    for (int t = 0; t <= turns; ++t) {
        QEventLoop loop;
        bool finished = false;
        const auto c = QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        view.load(QUrl::fromLocalFile(files::joinPath(root, pageName(t % pages))));
        loop.exec();
        QObject::disconnect(c);
        if (!finished)
            return {};
        if (t > 0) // the first load starts the engine's page
            samples.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return samples;
}

void BM_ManyPagesTurn(benchmark::State& state)
{
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, pages);
    TForm1 w(exe);
    if (const char* why = bench::showFirstPage(w, kLoadTimeoutMs))
        return skip(state, QString::fromLatin1(why));
    std::vector<double> samples;
    int next = 1;
    for (auto _ : state) {
        QWidget* button = w.PageButtons.value(next);
        if (!button)
            return skip(state, QStringLiteral("no button for page %1").arg(next));
        QElapsedTimer clock;
        clock.start();
        clickMouse(button, QPointF(4, 4));
        const bool shown = bench::waitForPageShown(w, kLoadTimeoutMs);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (!shown || w.LastDocumentUrl != w.ShownUrl || w.PBan() != next)
            return skip(state, QStringLiteral("page %1 did not complete").arg(next));
        state.SetIterationTime(ms / 1000.0);
        samples.push_back(ms);
        next = next % (std::min(pages, 40) - 1) + 1; // pages near the top, whose buttons are in view
    }
    const std::vector<double> bare =
        bareViewTurns(files::joinPath(dir.path(), QStringLiteral("Pagora.data")), pages, kTurns);
    if (bare.empty())
        return skip(state, QStringLiteral("the bare view did not load"));
    const bench::Spread spread = bench::spreadOf(samples);
    const double bareMedian = bench::spreadOf(bare).median;
    state.counters["median_ms"] = spread.median;
    state.counters["min_ms"] = spread.min;
    state.counters["max_ms"] = spread.max;
    state.counters["bare_median_ms"] = bareMedian;
    state.counters["ratio"] = bareMedian > 0 ? spread.median / bareMedian : 0;
}
BENCHMARK(BM_ManyPagesTurn)
    ->Arg(1000)->Arg(10000)->Arg(100000)
    ->UseManualTime()->Iterations(kTurns)->Unit(benchmark::kMillisecond);

// ---- the patrol over an idle folder ----

// The longest gap between the ticks of a 10 ms timer on the GUI thread while
// action runs at its start and the event loop then runs for settleMs.
double longestGapMs(const std::function<void()>& action, int settleMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    QEventLoop loop;
    probe.start();
    QTimer::singleShot(30, &loop, [&] { action(); });
    QTimer::singleShot(30 + settleMs, &loop, &QEventLoop::quit);
    loop.exec();
    return double(longest) / 1e6;
}

// The folder's time an hour back, as for a folder nobody touched today.
void settleFolder(const QString& folder)
{
    timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0);
}

void BM_ManyPagesIdlePatrol(benchmark::State& state)
{
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, pages);
    const QString root = files::joinPath(dir.path(), QStringLiteral("Pagora.data"));
    settleFolder(root);
    TForm1 w(exe);
    if (const char* why = bench::showFirstPage(w, kLoadTimeoutMs))
        return skip(state, QString::fromLatin1(why));
    w.Timer5->setEnabled(false); // ticks come from here, not after 6 s
    std::vector<double> stalls, ticks;
    for (auto _ : state) {
        double tickMs = 0;
        const double stall = longestGapMs(
            [&] {
                QElapsedTimer clock;
                clock.start();
                w.Timer5->fire();
                tickMs = double(clock.nsecsElapsed()) / 1e6;
            },
            300);
        state.SetIterationTime(tickMs / 1000.0);
        stalls.push_back(stall);
        ticks.push_back(tickMs);
    }
    // A new page: the first tick starts the listing, the next rebuilds the list.
    QFile added(files::joinPath(root, QStringLiteral("000_new.html")));
    if (added.open(QIODevice::WriteOnly))
        added.write("<html><head><title>new</title></head></html>");
    added.close();
    const int before = w.PBanSu();
    double changeStall = longestGapMs([&] { w.Timer5->fire(); }, 3000);
    changeStall = std::max(changeStall, longestGapMs([&] { w.Timer5->fire(); }, 1000));
    if (w.PBanSu() != before + 1)
        return skip(state, QStringLiteral("the new page was not listed (%1 pages)").arg(w.PBanSu()));
    state.counters["max_stall_ms"] = bench::spreadOf(stalls).max;
    state.counters["median_stall_ms"] = bench::spreadOf(stalls).median;
    state.counters["tick_ms"] = bench::spreadOf(ticks).median;
    state.counters["change_stall_ms"] = changeStall;
}
BENCHMARK(BM_ManyPagesIdlePatrol)
    ->Arg(1000)->Arg(100000)
    ->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// ---- start-up, one process per run ----

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct StartUp {
    double firstPageMs = -1;
    double peakMb = 0;
    double maxRssMb = 0;
    QString error;
};

StartUp runStartUp(const QString& exe, int pages)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // HOME is temporary (main)
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QString::fromLatin1(kChildMarker), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildFlag), exe, QString::number(monotonicNs())});
    if (!child.waitForFinished(kChildTimeoutMs + 20000)) {
        child.kill();
        child.waitForFinished();
    }
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    static const QRegularExpression line(
        QStringLiteral("first_page_ms=([0-9.]+) peak_kb=([0-9]+) maxrss_kb=([0-9]+) counter=([^\\n]*)"));
    const QRegularExpressionMatch m = line.match(out);
    StartUp run;
    if (!m.hasMatch()) {
        run.error = QStringLiteral("no first page: ") + out.trimmed().left(200);
        return run;
    }
    if (m.captured(4) != QStringLiteral("1 / %1").arg(pages))
        run.error = QStringLiteral("the counter reads \"%1\"").arg(m.captured(4));
    run.firstPageMs = m.captured(1).toDouble();
    run.peakMb = m.captured(2).toDouble() / 1024.0;
    run.maxRssMb = m.captured(3).toDouble() / 1024.0;
    return run;
}

void BM_ManyPagesStartUp(benchmark::State& state)
{
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, pages);
    const StartUp first = runStartUp(exe, pages); // makes the data folders and the engine's profile
    if (!first.error.isEmpty())
        return skip(state, first.error);
    std::vector<double> times, peaks, maxRss;
    for (auto _ : state) {
        const StartUp run = runStartUp(exe, pages);
        if (!run.error.isEmpty())
            return skip(state, run.error);
        state.SetIterationTime(run.firstPageMs / 1000.0);
        times.push_back(run.firstPageMs);
        peaks.push_back(run.peakMb);
        maxRss.push_back(run.maxRssMb);
    }
    const bench::Spread spread = bench::spreadOf(times);
    state.counters["median_ms"] = spread.median;
    state.counters["min_ms"] = spread.min;
    state.counters["max_ms"] = spread.max;
    state.counters["peak_mb"] = bench::spreadOf(peaks).max;
    state.counters["maxrss_mb"] = bench::spreadOf(maxRss).max;
}
BENCHMARK(BM_ManyPagesStartUp)
    ->Arg(1000)->Arg(10000)->Arg(100000)
    ->UseManualTime()->Iterations(kStartUps)->Unit(benchmark::kMillisecond);

// This process's peak resident memory since its exec (VmHWM), in kB.
long long ownPeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The child: the program's start-up on exe-path; at the first page shown it
// prints the time since t0, its own peak resident memory and the counter.
int runChild(int argc, char** argv)
{
    if (argc < 4 || qgetenv(kChildMarker) != "1") {
        std::fprintf(stderr, "%s: only bench_many_pages starts this mode, with a temporary home\n", kChildFlag);
        return 2;
    }
    const QString exePath = QString::fromLocal8Bit(argv[2]);
    const qint64 t0 = QByteArray(argv[3]).toLongLong();
    app::prepareWindowSystem();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    TForm1* main = app::startWindows(QStringList(), exePath);
    bench::watchPageShown(*main, kChildTimeoutMs, [=](bool shown) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        if (shown)
            std::printf("first_page_ms=%.1f peak_kb=%lld maxrss_kb=%ld counter=%s\n", double(monotonicNs() - t0) / 1e6,
                        ownPeakKb(), usage.ru_maxrss, qPrintable(main->Panel7->caption()));
        else
            std::printf("timeout\n");
        std::fflush(stdout);
        QCoreApplication::exit(shown ? 0 : 3);
        main->ShutdownPauseMs = 0;
        main->close();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0)
        return runChild(argc, argv);
    return bench::runEngineBenchmarks(argc, argv);
}
