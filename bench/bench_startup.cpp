// Start-up of the program.
// BM_ColdStartToFirstPage: launch to the first page shown, with the real
// browser engine offscreen. Each run is a fresh process (this program in its
// child mode, see startup_child.h) running the program's own start-up order
// on a generated data root; the time runs from just before the launch until
// the main browser's first document-complete has been handled. Reports the
// median, min and max (counters median_ms, min_ms, max_ms), the median time
// until the application object and the windows stood, and first_run_ms: the
// very first run, which also makes the data folders and the engine's profile.
// Each run is paired with a run of the yardstick (child mode --bare): a process
// that opens one bare browser view on the same first page and stops at its
// loadFinished. bare_median_ms is its median, ratio = median_ms / bare_median_ms.
// BM_ColdStartPhases: the same cold start with the time after each start-up
// step (fonts, splash, main window made, other windows made, main window
// shown, the first page's load started), medians in ms since the launch.
// BM_CreateMainWindow, BM_FirstShow: warm, in this process, with browser
// stand-ins: creating the main window, and its first showing (data folders,
// daily-report restore, first level of a data root with many pages, page
// buttons, first page).
// Run from the build folder: ./bench_startup (offscreen), or under an X server:
//     QT_QPA_PLATFORM=xcb xvfb-run -a ./bench_startup --benchmark_filter=ColdStart
#include "bench/page_shown_wait.h"
#include "bench/startup_child.h"
#include "bench/temporary_home.h"
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kColdStartPages = 100;
constexpr int kColdStartRuns = 11;

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

// ---- cold start, one process per run ----

struct ColdStart {
    double firstPageMs = 0;
    double applicationMs = 0;
    double windowsMs = 0;
    QMap<QString, double> phases; // step name ("fonts_ms") to ms since the launch
    QString error; // "" when the first page was shown
};

QProcessEnvironment childEnvironment(bool phases = false)
{
    // HOME and XDG_* already point at this run's temporary folder (main).
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // offscreen unless the run chose a platform (QT_QPA_PLATFORM=xcb under Xvfb).
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QString::fromLatin1(bench::kChildMarker), QStringLiteral("1"));
    if (phases)
        env.insert(QStringLiteral("PAGORA_BENCH_PHASES"), QStringLiteral("1"));
    return env;
}

ColdStart parseChildOutput(const QString& out, const QString& expectedCounter)
{
    static const QRegularExpression line(QStringLiteral(
        "first_page_ms=([0-9.]+) application_ms=([0-9.]+) windows_ms=([0-9.]+)[^\\n]* counter=([^\\n]*)"));
    ColdStart run;
    const QRegularExpressionMatch m = line.match(out);
    if (!m.hasMatch()) {
        run.error = QStringLiteral("no first page: ") + out.trimmed().left(200);
        return run;
    }
    run.firstPageMs = m.captured(1).toDouble();
    run.applicationMs = m.captured(2).toDouble();
    run.windowsMs = m.captured(3).toDouble();
    static const QRegularExpression phase(QStringLiteral(" ([a-z_]+_ms)=([0-9.]+)"));
    for (auto it = phase.globalMatch(m.captured(0)); it.hasNext();) {
        const QRegularExpressionMatch p = it.next();
        run.phases.insert(p.captured(1), p.captured(2).toDouble());
    }
    if (m.captured(4) != expectedCounter)
        run.error = QStringLiteral("the counter reads \"%1\", not \"%2\"").arg(m.captured(4), expectedCounter);
    return run;
}

// Runs this program in a child mode (flag, argument, t0) and returns its output.
QString runChild(const char* flag, const QString& argument, const QProcessEnvironment& env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setStandardErrorFile(QProcess::nullDevice()); // the engine's own chatter
    const qint64 t0 = bench::monotonicNs();
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(flag), argument, QString::number(t0)});
    // The child ends by itself after its time-out; the margin covers its shutdown.
    if (!child.waitForFinished(bench::kChildTimeoutMs + 20000)) {
        child.kill();
        child.waitForFinished();
    }
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    if (!out.isEmpty())
        return out;
    // Nothing said: how it ended is all there is to report.
    return child.exitStatus() == QProcess::CrashExit ? QStringLiteral("(the child crashed)")
                                                     : QStringLiteral("(the child ended with %1)").arg(child.exitCode());
}

ColdStart runColdStart(const QString& exe, const QProcessEnvironment& env)
{
    return parseChildOutput(runChild(bench::kChildFlag, exe, env), QStringLiteral("1 / %1").arg(kColdStartPages));
}

// The data root's first page, which the program shows first.
QString firstPagePath(const QString& exe)
{
    return files::joinPath(exe + QStringLiteral(".data"), QStringLiteral("1000_ページ.html"));
}

// ms from the launch to the bare view's loadFinished; a negative value and why on failure.
double runBareView(const QString& page, const QProcessEnvironment& env, QString& error)
{
    static const QRegularExpression line(QStringLiteral("bare_page_ms=([0-9.]+) .* ok=1"));
    const QString out = runChild(bench::kBareFlag, page, env);
    const QRegularExpressionMatch m = line.match(out);
    if (!m.hasMatch()) {
        error = QStringLiteral("the bare view showed no page: ") + out.trimmed().left(200);
        return -1;
    }
    return m.captured(1).toDouble();
}

void skip(benchmark::State& state, const QString& why)
{
    static std::string message; // the library keeps the pointer
    message = why.toStdString();
    state.SkipWithError(message.c_str());
}

void BM_ColdStartToFirstPage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, kColdStartPages);
    const QProcessEnvironment env = childEnvironment();
    const ColdStart first = runColdStart(exe, env);
    if (!first.error.isEmpty())
        return skip(state, first.error);
    QString error;
    runBareView(firstPagePath(exe), env, error); // its profile's first run, not counted
    if (!error.isEmpty())
        return skip(state, error);
    std::vector<double> firstPage, application, windows, bare;
    for (auto _ : state) {
        // Paired runs, so both see the same load on the machine.
        const ColdStart run = runColdStart(exe, env);
        if (!run.error.isEmpty())
            return skip(state, run.error);
        bare.push_back(runBareView(firstPagePath(exe), env, error));
        if (!error.isEmpty())
            return skip(state, error);
        state.SetIterationTime(run.firstPageMs / 1000.0);
        firstPage.push_back(run.firstPageMs);
        application.push_back(run.applicationMs);
        windows.push_back(run.windowsMs);
    }
    const bench::Spread spread = bench::spreadOf(firstPage);
    const double bareMedian = bench::spreadOf(bare).median;
    state.counters["bare_median_ms"] = bareMedian;
    state.counters["ratio"] = bareMedian > 0 ? spread.median / bareMedian : 0;
    state.counters["median_ms"] = spread.median;
    state.counters["min_ms"] = spread.min;
    state.counters["max_ms"] = spread.max;
    state.counters["first_run_ms"] = first.firstPageMs;
    state.counters["app_object_ms"] = bench::spreadOf(application).median;
    state.counters["windows_ms"] = bench::spreadOf(windows).median;
}
BENCHMARK(BM_ColdStartToFirstPage)->UseManualTime()->Iterations(kColdStartRuns)->Unit(benchmark::kMillisecond);

void BM_ColdStartPhases(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString exe = makeProgramFolder(dir, kColdStartPages);
    const QProcessEnvironment env = childEnvironment(true);
    const ColdStart first = runColdStart(exe, env);
    if (!first.error.isEmpty())
        return skip(state, first.error);
    QMap<QString, std::vector<double>> phases;
    for (auto _ : state) {
        ColdStart run = runColdStart(exe, env);
        if (!run.error.isEmpty())
            return skip(state, run.error);
        state.SetIterationTime(run.firstPageMs / 1000.0);
        run.phases.insert(QStringLiteral("application_ms"), run.applicationMs);
        run.phases.insert(QStringLiteral("first_page_ms"), run.firstPageMs);
        for (auto it = run.phases.cbegin(); it != run.phases.cend(); ++it)
            phases[it.key()].push_back(it.value());
    }
    for (auto it = phases.cbegin(); it != phases.cend(); ++it)
        state.counters[it.key().toStdString()] = bench::spreadOf(it.value()).median;
}
BENCHMARK(BM_ColdStartPhases)->UseManualTime()->Iterations(kColdStartRuns)->Unit(benchmark::kMillisecond);

// ---- warm, in this process, with browser stand-ins ----

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
    if (argc > 1 && std::strcmp(argv[1], bench::kChildFlag) == 0)
        return bench::runStartupChild(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], bench::kBareFlag) == 0)
        return bench::runBareViewChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    bench::useTemporaryHome(home);
    QApplication app(argc, argv);
    platform::useFakeBrowsers(true);
    platform::setTestMode(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
