#pragma once
// A second thread that keeps exchanging two places (a folder and a link to
// somewhere else) while a test writes through one of them: what a planted
// link swapped in between a check and a write would do. Stops when it goes.
#include <QFile>
#include <QString>

#include <atomic>
#include <fcntl.h>
#include <stdio.h>
#include <thread>

class FolderSwapper {
public:
    FolderSwapper(const QString& a, const QString& b)
        : a_(QFile::encodeName(a)), b_(QFile::encodeName(b)), thread_([this] {
              while (!stop_) {
                  if (::renameat2(AT_FDCWD, a_.constData(), AT_FDCWD, b_.constData(), RENAME_EXCHANGE) == 0)
                      ++swaps_;
              }
          })
    {
    }
    ~FolderSwapper() { stop(); }
    FolderSwapper(const FolderSwapper&) = delete;
    FolderSwapper& operator=(const FolderSwapper&) = delete;

    void stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    int swaps() const { return swaps_.load(); }

private:
    const QByteArray a_;
    const QByteArray b_;
    std::atomic<bool> stop_{false};
    std::atomic<int> swaps_{0};
    std::thread thread_;
};
