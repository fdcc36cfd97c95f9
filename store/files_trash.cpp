// The desktop trash.
#include "store/files.h"
#include "store/log.h"

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
    makeFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash)) {
        qCWarning(lcPagora) << "the trash refused" << path;
        return false;
    }
    if (QFileInfo(inTrash).isAbsolute())
        return true;
    // It went somewhere relative after all: bring it back, report failure.
    const QString stray = QDir::current().absoluteFilePath(inTrash);
    qCWarning(lcPagora) << "the trash put" << path << "at" << stray << "; it is brought back";
    renameNoReplace(stray, path);
    return false;
}

} // namespace files
