#pragma once
// A main window on the real browser engine over a temporary data root, for
// the few tests whose fault lives in the engine's events.

#include "support/real_engine_root.h"
#include "viewer/main_window.h"

#include <gtest/gtest.h>
#include <memory>

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(data.isValid()); }
    void TearDown() override
    {
        if (w)
            w->close();
        w.reset();
    }
    void put(const QString& name, const QByteArray& text) { ASSERT_TRUE(data.put(name, text)); }
    QString inRoot(const QString& name) const { return data.inRoot(name); }
    QString url(const QString& name) const { return data.url(name); }
    void start()
    {
        w = std::make_unique<TForm1>(data.exePath());
        w->ShutdownPauseMs = 0;
        w->show();
    }

    RealEngineRoot data;
    std::unique_ptr<TForm1> w;
};
