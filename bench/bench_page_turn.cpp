// Turning a page: from the press on a page button to the document-complete
// of the real browser engine, offscreen, over a data root of small pages.
// Reports the median of the presses (counter median_ms).
// Run from the build folder: ./bench_page_turn
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
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

void pressLeft(QWidget* button)
{
    const QPointF at(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
}

// Waits for the next completed load of the page view; false on a time-out.
bool waitForLoad(QWebEngineView* view, const std::function<void()>& start)
{
    QEventLoop loop;
    bool ok = false;
    const auto done = QObject::connect(view, &QWebEngineView::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
    start();
    loop.exec();
    QObject::disconnect(done);
    return ok;
}

void BM_PageTurn(benchmark::State& state)
{
    QTemporaryDir dir;
    TForm1 w(makeProgramFolder(dir));
    w.ShutdownPauseMs = 0;
    w.show();
    auto* view = qobject_cast<QWebEngineView*>(w.WebBrowser1->widget());
    if (!view) {
        state.SkipWithError("no browser engine");
        return;
    }
    // The first page may already have completed while the window showed.
    QEventLoop settle;
    QObject::connect(view, &QWebEngineView::loadFinished, &settle, &QEventLoop::quit);
    QTimer::singleShot(3000, &settle, &QEventLoop::quit);
    settle.exec();
    std::vector<double> samples;
    int next = 1;
    for (auto _ : state) {
        QWidget* button = w.PageButtons.value(next);
        QElapsedTimer clock;
        const bool loaded = waitForLoad(view, [&] {
            clock.start();
            pressLeft(button);
        });
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!loaded) {
            state.SkipWithError("a page did not complete");
            break;
        }
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
        next = (next + 1) % kPages;
    }
    if (!samples.empty()) {
        std::sort(samples.begin(), samples.end());
        state.counters["median_ms"] = samples[samples.size() / 2];
    }
}
BENCHMARK(BM_PageTurn)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox --disable-background-networking");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    platform::useFakeBrowsers(false);
    platform::setTestMode(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
