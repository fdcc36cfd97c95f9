#pragma once
// The main of the benchmarks that drive the real browser engine offscreen:
// a temporary home, the engine's flags for a machine without a GPU, the real
// browser views and the seam in test mode (or, with testMode false, the
// real dialogs, which the benchmark itself must answer).
#include "bench/run_benchmarks.h"
#include "bench/temporary_home.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "support/fake_browser.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace bench {

inline int runEngineBenchmarks(int argc, char** argv, bool testMode = true)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox --disable-background-networking");
    QTemporaryDir home;
    useTemporaryHome(home);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    platform::useFakeBrowsers(false);
    platform::setTestMode(testMode);
    return bench::runBenchmarks(argc, argv);
}

} // namespace bench
