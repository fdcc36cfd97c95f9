// The desktop trash.
#include "store/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace files {

bool moveToTrash(const QString& path)
{
    if (path.isEmpty() || (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()))
        return false;
    // Without the data folder Qt 6.4 moves the file to "files/" under the
    // current directory and reports success.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return false;
    if (QFileInfo(inTrash).isAbsolute())
        return true;
    // It went somewhere relative after all: bring it back, report failure.
    const QString stray = QDir::current().absoluteFilePath(inTrash);
    renameNoReplace(stray, path);
    return false;
}

} // namespace files
