#include "tools/search_aside.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <exception>
#include <memory>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tools {

void runAside(const std::function<void()>& work, const std::function<void()>& tick)
{
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        // The work and the threads it starts yield to the waiting thread, so
        // that the windows answer however busy the machine is.
        ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), 2);
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
