#pragma once
// A main window over a temporary program folder, with browser stand-ins and
// the test-mode seam, as the main-window tests build it.

#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/temp_tree.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::useFakeBrowsers(true);
        platform::setTestMode(true);
        platform::clearEvents();
        ASSERT_TRUE(dir.isValid());
        exePath = files::joinPath(dir.path(), QStringLiteral("Pagora"));
    }
    void TearDown() override { window.reset(); }

    TForm1& make()
    {
        window = std::make_unique<TForm1>(exePath);
        window->ShutdownPauseMs = 0;
        return *window;
    }
    QString root() const { return files::joinPath(dir.path(), QStringLiteral("Pagora.data")); }
    static void writeFile(const QString& path, const QByteArray& bytes = QByteArray("x"))
    {
        ASSERT_FALSE(TempTree::writeAt(path, bytes).isEmpty()) << path.toStdString();
    }

    TempTree dir;
    QString exePath;
    std::unique_ptr<TForm1> window;
};
