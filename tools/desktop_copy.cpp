#include "tools/desktop_copy.h"

#include "store/files.h"

#include <QFileInfo>

namespace tools {

bool isProgrammingFile(const QString& path, bool programmingEnabled)
{
    if (!programmingEnabled)
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("zbx") || suffix == QLatin1String("zba");
}

bool copyOnto(const QString& source, const QString& target, const QString& copyFolder)
{
    if (!QFileInfo(source).isFile())
        return false;
    // A copy onto itself would be a delete in the making: nothing to do.
    if (files::sameFile(source, target))
        return true;
    // A link planted in the copy folder must not lead the write elsewhere.
    if (QFileInfo(target).isSymLink())
        return false;
    return files::copyFileOver(source, target, {copyFolder});
}

bool copyIntoFolder(const QString& source, const QString& folder)
{
    const QString name = QFileInfo(source).fileName();
    if (name.isEmpty())
        return false;
    return copyOnto(source, files::joinPath(folder, name), folder);
}

void copySounds(const QString& folder, const QString& target, platform::CopyFailures& failures)
{
    for (const char* mask : {"*.wav", "*.mid"}) {
        for (const QString& name : files::listFiles(folder, QString::fromLatin1(mask))) {
            const QString source = files::joinPath(folder, name);
            if (!copyIntoFolder(source, target))
                failures.add(source);
        }
    }
}

QString dayStampedName(const QString& name, const QDate& day)
{
    return QStringLiteral("元ファイル(%1日)").arg(day.day(), 2, 10, QLatin1Char('0')) + name;
}

QString copyKeepingOlder(const QString& source, const QString& copyFolder, const QDate& day,
                         platform::CopyFailures& failures)
{
    const QString name = QFileInfo(source).fileName();
    const QString copy = files::joinPath(copyFolder, name);
    // A file shown from the copy folder itself is its own copy already.
    if (files::sameFile(source, copy))
        return copy;
    if (QFileInfo(copy).isFile()) {
        const QString older = files::joinPath(copyFolder, dayStampedName(name, day));
        if (!copyOnto(copy, older, copyFolder))
            failures.add(older);
    }
    if (!copyOnto(source, copy, copyFolder)) {
        failures.add(source);
        return QString();
    }
    return copy;
}

void copyShownFile(const QString& shown, const QString& copyFolder, bool programmingEnabled,
                   platform::CopyFailures& failures)
{
    if (shown.isEmpty())
        return;
    if (isProgrammingFile(shown, programmingEnabled)) {
        copySounds(QFileInfo(shown).path(), copyFolder, failures);
        return;
    }
    if (!copyIntoFolder(shown, copyFolder))
        failures.add(shown);
}

} // namespace tools
