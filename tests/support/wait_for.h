#pragma once
// Waits while the event loop runs, until a condition holds or the time is up.
// Tests of the real browser engine wait up to EngineWaitMs: the engine's
// processes are slow to answer on a busy machine, and a passing test never
// waits that long.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

constexpr int EngineWaitMs = 120000;

template <typename Condition>
bool waitFor(Condition condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

inline void waitMs(int ms)
{
    waitFor([] { return false; }, ms);
}
