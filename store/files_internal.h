#pragma once
// Shared by the files_*.cpp units only.

#include "store/confine.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace files {

inline const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// A whole-file write: a temporary file is made in the target's folder, which
// is opened once with no link followed on the way, and renamed over the
// target at commit. A link swapped into the path after the folder was opened
// is not followed; a target that is itself a link is refused. The target
// must settle inside one of within (never empty).
class FileWriter {
public:
    FileWriter() = default;
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    bool open(const QString& path, const QStringList& within);
    // The same for name in a folder held open already (folder is not taken
    // over); path only names the file in messages.
    bool openIn(int folder, const QString& path, const QString& name);
    bool write(const char* data, qint64 size);
    // Gives the file the time when valid; false (old file kept) on failure.
    bool commit(const QDateTime& modified = QDateTime());
    void cancel();
    const QString& error() const { return error_; }
private:
    bool openIn(const QString& name);
    bool fail(const QString& why);
    confine::Fd folder_;
    confine::Fd file_;
    QByteArray name_;
    QByteArray temp_;
    QString path_;
    QString error_;
};

// The folder of path opened with no link followed on the way, when within is
// not empty and the place settles inside it (the path's last link followed
// too with followLast); errno and why say what went wrong otherwise.
confine::Fd openFolderOf(const QString& path, const QStringList& within, QString& why, bool followLast);

// The parent folder part and the name of a path, without tidying ".." away.
QString parentOf(const QString& path);
QString nameOf(const QString& path);

} // namespace files
