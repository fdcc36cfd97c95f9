#include "bench/startup_child.h"

#include "app/startup_env.h"
#include "app/startup_order.h"
#include "bench/page_shown_wait.h"
#include "platform/controls.h"
#include "viewer/main_window.h"

#include <QApplication>
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
    app::prepareWindowSystem();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const double applicationMs = msSince(t0);
    TForm1* main = app::startWindows(QStringList(), exePath);
    const double windowsMs = msSince(t0);

    watchPageShown(*main, kChildTimeoutMs, [=](bool shown) {
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
        std::printf("first_page_ms=%.1f application_ms=%.1f windows_ms=%.1f counter=%s\n", msSince(t0),
                    applicationMs, windowsMs, qPrintable(main->Panel7->caption()));
        std::fflush(stdout);
        closeProgram(main, 0);
    });
    return QApplication::exec();
}

} // namespace bench
