#include "editor/edit_dispatch.h"

#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>

namespace editor {

bool isWebAddress(const QString& s)
{
    const QString l = text::lower(s);
    return l.contains(QStringLiteral("http:")) || l.contains(QStringLiteral("https:")) ||
           s.contains(QStringLiteral("://"));
}

EditKind editKindFor(const QString& path, const QString& content)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : text::lower(name.mid(dot));
    if (ext == QLatin1String(".bmp") || ext == QLatin1String(".jpeg") || ext == QLatin1String(".jpg"))
        return EditKind::Picture;
    // Generated print and merge pages carry the work-page author value:
    // they look like pages but are not in the editor's layout.
    if (content.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")) &&
        !content.contains(QStringLiteral("CONTENT=\"WORK_Pagora")))
        return EditKind::Editor;
    // Only the file's own name counts: a folder called "x.html" does not make
    // its pictures spreadsheets.
    if (name.contains(QStringLiteral(".htm")) || name.contains(QStringLiteral(".mht")))
        return EditKind::Spreadsheet;
    return EditKind::Associated;
}

QString editBackupPath(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return files::joinPath(info.path(), QStringLiteral("_%") + (dot < 0 ? QString() : name.mid(dot)));
}

BackupResult makeEditBackup(const QString& path, const QStringList& within)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return BackupResult::NoFile;
    const QString backup = editBackupPath(path);
    // Editing the backup itself: it already holds what it holds.
    if (QFileInfo(backup).canonicalFilePath() == info.canonicalFilePath())
        return BackupResult::Made;
    return files::copyFileOver(path, backup, within) ? BackupResult::Made : BackupResult::Failed;
}

} // namespace editor
