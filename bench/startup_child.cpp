#include "bench/startup_child.h"

#include "app/startup_env.h"
#include "app/startup_order.h"
#include "bench/page_shown_wait.h"
#include "platform/controls.h"
#include "viewer/forms/form8.h"
#include "viewer/main_window.h"
#include "app/other_forms.h"
#include "editor/main_window_bindings.h"
#include "platform/browser.h"
#include "tools/main_window_bindings.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <chrono>
#include <cstdio>

namespace bench {

qint64 monotonicNs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

namespace {

double msSince(qint64 t0)
{
    return double(monotonicNs() - t0) / 1e6;
}

// Closes the program the way a person would, without the pause that lets the
// views wind down: the measurement is already taken.
void closeProgram(TForm1* main, int exitCode)
{
    QCoreApplication::exit(exitCode); // before the last window's own quit
    main->ShutdownPauseMs = 0;
    main->close();
}

void addPhase(QString& phases, const char* name, qint64 t0)
{
    phases += QStringLiteral(" %1=%2").arg(QLatin1String(name)).arg(msSince(t0), 0, 'f', 1);
}

// The program's start-up order step by step, with the time after each step
// (PAGORA_BENCH_PHASES=1): where the time before the first page goes.
// Must follow app::startWindows and app::createWindows.
TForm1* startWindowsTimed(const QString& exePath, qint64 t0, QString& phases)
{
    app::installFontSubstitutes();
    addPhase(phases, "fonts_ms", t0);
    TForm8* splash = app::showSplash();
    addPhase(phases, "splash_ms", t0);
    QCoreApplication::setApplicationName(QStringLiteral("Pagora"));
    auto* main = new TForm1(exePath);
    addPhase(phases, "main_window_ms", t0);
    installWindowMakers();
    tools::bindMainWindow(*main);
    editor::bindMainWindow(*main);
    addPhase(phases, "created_ms", t0);
    delete splash;
    QApplication::setQuitOnLastWindowClosed(true);
    main->firstShow(); // opens the data root and asks for the first page
    addPhase(phases, "first_show_ms", t0);
    main->show();
    addPhase(phases, "shown_ms", t0);
    // The engine's own start of that load, after the window has painted.
    if (auto* view = qobject_cast<QWebEngineView*>(main->WebBrowser1->widget())) {
        QObject::connect(view, &QWebEngineView::loadStarted, view, [started = false, &phases, t0]() mutable {
            if (!started)
                addPhase(phases, "load_started_ms", t0);
            started = true;
        });
    }
    return main;
}

} // namespace

int runStartupChild(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s %s <exe-path> <t0>\n", argv[0], kChildFlag);
        return 2;
    }
    if (qgetenv(kChildMarker) != "1") {
        std::fprintf(stderr, "%s: only bench_startup starts this mode, with a temporary home\n", kChildFlag);
        return 2;
    }
    const QString exePath = QString::fromLocal8Bit(argv[2]);
    const qint64 t0 = QByteArray(argv[3]).toLongLong();

    // The same order as the program's entry.
    app::prepareEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const double applicationMs = msSince(t0);
    QString phases; // stays "" unless the steps are timed
    TForm1* main = qgetenv("PAGORA_BENCH_PHASES") == "1" ? startWindowsTimed(exePath, t0, phases)
                                                          : app::startWindows(QStringList(), exePath);
    const double windowsMs = msSince(t0);

    // phases by reference: the load's start is added to it later.
    watchPageShown(*main, kChildTimeoutMs, [=, &phases](bool shown) {
        if (!shown) {
            std::printf("timeout\n");
            std::fflush(stdout);
            closeProgram(main, 3);
            return;
        }
        if (main->LastDocumentUrl != main->ShownUrl) {
            std::printf("another page completed first: %s\n", qPrintable(main->LastDocumentUrl));
            std::fflush(stdout);
            closeProgram(main, 4);
            return;
        }
        std::printf("first_page_ms=%.1f application_ms=%.1f windows_ms=%.1f%s counter=%s\n", msSince(t0),
                    applicationMs, windowsMs, qPrintable(phases), qPrintable(main->Panel7->caption()));
        std::fflush(stdout);
        closeProgram(main, 0);
    });
    return QApplication::exec();
}

int runBareViewChild(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s %s <page-path> <t0>\n", argv[0], kBareFlag);
        return 2;
    }
    if (qgetenv(kChildMarker) != "1") {
        std::fprintf(stderr, "%s: only bench_startup starts this mode, with a temporary home\n", kBareFlag);
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[2]);
    const qint64 t0 = QByteArray(argv[3]).toLongLong();

    app::prepareWindowSystem();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const double applicationMs = msSince(t0);
    QWebEngineView view;
    view.resize(790, 725); // the main window's page area
    view.load(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    view.show();
    const double windowMs = msSince(t0);

    bool reported = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&](bool ok) {
        if (reported)
            return;
        reported = true;
        std::printf("bare_page_ms=%.1f application_ms=%.1f window_ms=%.1f ok=%d\n", msSince(t0), applicationMs,
                    windowMs, ok ? 1 : 0);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(kChildTimeoutMs, &view, [&] {
        std::printf("timeout\n");
        std::fflush(stdout);
        QCoreApplication::exit(3);
    });
    return QApplication::exec();
}

} // namespace bench
