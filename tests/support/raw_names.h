#pragma once
// Files and folders whose names are raw bytes, not valid UTF-8 (as Windows
// archives leave them); removed by their bytes when the object goes, since a
// temporary tree cannot name them. Declare it after the TempTree it writes into.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class RawNames {
public:
    explicit RawNames(const QString& folder) : folder_(QFile::encodeName(folder)) {}
    ~RawNames()
    {
        for (const QByteArray& p : files_)
            ::unlink(p.constData());
        for (const QByteArray& p : folders_)
            ::rmdir(p.constData());
    }
    void file(const QByteArray& name)
    {
        const QByteArray path = folder_ + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
        files_ << path;
    }
    void folder(const QByteArray& name)
    {
        const QByteArray path = folder_ + '/' + name;
        ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
        folders_ << path;
    }

private:
    QByteArray folder_;
    QList<QByteArray> files_, folders_;
};

