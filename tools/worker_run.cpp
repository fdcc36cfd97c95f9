#include "tools/worker_run.h"

#include "platform/seam.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>
#include <thread>

namespace tools {

namespace {

std::unique_ptr<QProgressDialog> progressWindow(const QString& label, int total)
{
    if (platform::testMode() || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    auto dialog = std::make_unique<QProgressDialog>(label, QString(), 0, qMax(total, 1), QApplication::activeWindow());
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setWindowTitle(QCoreApplication::applicationName());
    dialog->setCancelButton(nullptr);
    dialog->setMinimumDuration(500);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    return dialog;
}

} // namespace

void runOffTheWindowThread(const QString& label, int total, const std::function<void(std::atomic<int>& done)>& work)
{
    std::atomic<int> done{0};
    const std::unique_ptr<QProgressDialog> progress = progressWindow(label, total);
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (progress)
            progress->setValue(qMin(done.load(), progress->maximum()));
    });
    tick.start(50);
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(done);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void onWindowThread(const std::function<void()>& f)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        f();
    else
        QMetaObject::invokeMethod(app, f, Qt::BlockingQueuedConnection);
}

} // namespace tools
