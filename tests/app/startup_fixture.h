#pragma once
// The program started as a person starts it, with stand-in browsers, from an
// executable "tool" in a temporary folder whose data root is "tool.data".

#include "app/other_forms.h"
#include "app/startup_order.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"
#include "viewer/main_window.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::useFakeBrowsers(true);
        platform::setTestMode(true);
        ASSERT_TRUE(dir.isValid());
        root = files::joinPath(dir.path(), QStringLiteral("tool.data"));
        QDir().mkpath(root);
    }
    void TearDown() override
    {
        if (main) {
            main->close();
            delete main;
        }
        destroyOtherForms();
    }
    // A file of the data root, written as it stands.
    bool put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(files::joinPath(root, name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    TForm1* start()
    {
        main = app::startWindows({}, files::joinPath(dir.path(), QStringLiteral("tool")));
        if (main)
            main->ShutdownPauseMs = 0;
        return main;
    }

    QTemporaryDir dir;
    QString root;
    TForm1* main = nullptr;
};
