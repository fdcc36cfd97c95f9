#include "tools/search_aside.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <exception>
#include <memory>

namespace tools {

void runAside(const std::function<void()>& work, const std::function<void()>& tick)
{
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer ticks;
    ticks.setInterval(30);
    QObject::connect(&ticks, &QTimer::timeout, &loop, [&tick] { tick(); });
    thread->start();
    ticks.start();
    loop.exec();
    thread->wait();
    tick();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tools
