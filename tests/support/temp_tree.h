#pragma once
// A temporary folder for one test, removed with it: files with given bytes
// and times, folders, symbolic links and executables made in one call each,
// and read back. Every test folder uses this instead of a helper of its own.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

class TempTree {
public:
    TempTree() : dir_(QDir::tempPath() + QStringLiteral("/pagora-test-XXXXXX")) {}

    bool isValid() const { return dir_.isValid(); }
    // The folder itself, or a path below it ("a/b.html").
    QString path() const { return dir_.path(); }
    QString path(const QString& relative) const
    {
        return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
    }

    // Several paths below it at once.
    QStringList paths(const QStringList& relatives) const
    {
        QStringList full;
        for (const QString& r : relatives)
            full << path(r);
        return full;
    }

    // Writes bytes (parents made as needed); a valid mtime is set on the file.
    // Returns the full path, "" when the file could not be written.
    QString write(const QString& relative, const QByteArray& bytes = QByteArray("x"),
                  const QDateTime& mtime = QDateTime()) const
    {
        return writeAt(path(relative), bytes, mtime);
    }
    // The same at a full path, for files a fixture places outside its tree.
    static QString writeAt(const QString& full, const QByteArray& bytes = QByteArray("x"),
                           const QDateTime& mtime = QDateTime())
    {
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return QString();
        if (mtime.isValid())
            f.setFileTime(mtime, QFileDevice::FileModificationTime);
        return full;
    }
    // The text as UTF-8, with a byte-order mark when bom is true.
    QString writeText(const QString& relative, const QString& text, bool bom = false) const
    {
        return write(relative, (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8());
    }
    QString mkdir(const QString& relative) const
    {
        const QString full = path(relative);
        return QDir().mkpath(full) ? full : QString();
    }
    // A symbolic link at relative pointing at target (taken as written).
    QString symlink(const QString& relative, const QString& target) const
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).path());
        return QFile::link(target, full) ? full : QString();
    }
    // A script or program that may be run (owner read, write, execute).
    QString executable(const QString& relative, const QByteArray& content) const
    {
        const QString full = write(relative, content);
        if (!full.isEmpty())
            QFile::setPermissions(full, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return full;
    }

    QByteArray read(const QString& relative) const { return readAt(path(relative)); }
    // The bytes of a file at a full path, empty when it cannot be read.
    static QByteArray readAt(const QString& full)
    {
        QFile f(full);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }
    // Names in a folder (hidden ones too), sorted, without "." and "..".
    QStringList list(const QString& relative = QString()) const
    {
        return QDir(path(relative)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                              QDir::Name);
    }

private:
    QTemporaryDir dir_;
};
