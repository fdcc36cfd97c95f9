// Shared entry of every test program: an application object of the kind the
// program links, a private home so no test touches the user's files, and the
// real clock again after every test.
#include "store/clock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdlib>

#if defined(QT_WIDGETS_LIB)
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

namespace {

// A test that fixes the clock never leaves it fixed for the next one.
class ClockReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { store::clock::clearFixed(); }
};

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home(QDir::tempPath() + "/pagora-test-home-XXXXXX");
    const QByteArray h = home.path().toLocal8Bit();
    qputenv("HOME", h);
    qputenv("XDG_DATA_HOME", h + "/.local/share");
    qputenv("XDG_CONFIG_HOME", h + "/.config");
    qputenv("XDG_CACHE_HOME", h + "/.cache");
    qputenv("XDG_STATE_HOME", h + "/.local/state");
    // The runtime folder must be private to its owner, or Qt warns and ignores it.
    QDir().mkpath(home.path() + "/.runtime");
    QFile::setPermissions(home.path() + "/.runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", h + "/.runtime");
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ClockReset);
    // Listing the tests (CTest's discovery) needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
