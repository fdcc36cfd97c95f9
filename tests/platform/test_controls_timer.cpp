// Timer rules: same enabled value does nothing, a new interval restarts,
// interval 0 never fires, no nested ticks.
#include "platform/controls.h"
#include "support/wait_for.h"

#include <gtest/gtest.h>

#include <QTimer>

using platform::Timer;

namespace {

QTimer* inner(Timer& t) { return t.findChild<QTimer*>(); }

} // namespace

TEST(TimerTest, StartsDisabledAndTicksOnceEnabled)
{
    Timer t(nullptr, "Timer5");
    EXPECT_EQ(t.objectName(), "Timer5");
    EXPECT_FALSE(t.enabled());
    EXPECT_EQ(t.interval(), 1000);
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    t.setInterval(10);
    EXPECT_FALSE(t.isActive());
    t.setEnabled(true);
    EXPECT_TRUE(waitFor([&] { return ticks >= 2; }, 5000)) << "a timer repeats";
    t.setEnabled(false);
    EXPECT_FALSE(t.isActive());
}

TEST(TimerTest, SettingTheCurrentValueDoesNotRestart)
{
    Timer t;
    t.setInterval(60000);
    t.setEnabled(true);
    waitMs(60);
    const int before = inner(t)->remainingTime();
    EXPECT_LT(before, 60000 - 40);
    t.setEnabled(true);
    t.setInterval(60000);
    EXPECT_LE(inner(t)->remainingTime(), before) << "no restart from the same values";
}

TEST(TimerTest, NewIntervalRestartsARunningTimer)
{
    Timer t;
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    t.setInterval(60000);
    t.setEnabled(true);
    t.setInterval(10);
    EXPECT_TRUE(t.isActive());
    EXPECT_TRUE(waitFor([&] { return ticks >= 1; }, 5000));
}

TEST(TimerTest, IntervalZeroNeverFiresButStaysEnabled)
{
    Timer t;
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    t.setEnabled(true);
    t.setInterval(0);
    EXPECT_TRUE(t.enabled());
    EXPECT_FALSE(t.isActive());
    waitMs(30);
    EXPECT_EQ(ticks, 0);
    t.setInterval(10); // the message timer arms itself this way
    EXPECT_TRUE(waitFor([&] { return ticks >= 1; }, 5000));
}

TEST(TimerTest, HandlerIsNotEnteredAgainWhileItRuns)
{
    Timer t;
    int depth = 0, maxDepth = 0, ticks = 0;
    t.onTimer = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1)
            waitMs(80); // a handler that processes pending messages
        --depth;
    };
    t.setInterval(5);
    t.setEnabled(true);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_EQ(maxDepth, 1);
}

TEST(TimerTest, HandlerMayDeleteItsTimer)
{
    auto* t = new Timer;
    bool ran = false;
    t->onTimer = [&] {
        ran = true;
        delete t;
    };
    t->fire();
    EXPECT_TRUE(ran);
}
