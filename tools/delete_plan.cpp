#include "tools/delete_plan.h"

#include "tools/link_values.h"
#include "tools/unlinked_files.h"

#include "store/files.h"

#include <QFileInfo>

namespace tools {

namespace {

bool isPage(const QString& path)
{
    return lowerExt(path).contains(QLatin1String(".ht"));
}

} // namespace

QStringList filesUsedByOtherPages(const QStringList& listed, const QString& pagePath, const QString& exeBaseName,
                                  const QString& root)
{
    QStringList folders{folderOf(pagePath)};
    for (const QString& f : listed)
        if (!containsPath(folders, folderOf(f)))
            folders.append(folderOf(f));
    QStringList used;
    for (const QString& folder : folders)
        used += filesUsedByFolderPages(folder, exeBaseName, pagePath).used;
    // The other folders of the data root: only what their pages name
    // directly among the files that would still go.
    QStringList candidates;
    for (const QString& f : listed)
        if (f != pagePath && !containsPath(used, f))
            candidates << f;
    return used + namedByPagesUnder(root, candidates, folders, pagePath);
}

FileToolList planPageDeletion(const QString& pagePath, const QString& currentFolder, const QString& exeBaseName,
                              const QString& root)
{
    FileToolList list;
    LinkedFiles linked = CollectLinkedFiles(pagePath, true, currentFolder);
    list.files = linked.files;
    list.commandLinkMessages = linked.commandLinkMessages;
    const QString pageFolder = folderOf(pagePath);
    const QStringList usedElsewhere = filesUsedByOtherPages(list.files, pagePath, exeBaseName, root);
    for (const QString& f : list.files) {
        if (f == pagePath)
            continue;
        // Another page goes only when the person selects it: it has files of its own.
        if (isPage(f) || !isInsideFolder(f, pageFolder) || containsPath(usedElsewhere, f))
            list.notPreselected.append(f);
    }
    return list;
}

QStringList planDeletion(const QStringList& selected)
{
    QStringList files;
    for (const QString& entry : selected) {
        const QString p = files::slashes(entry);
        if (!p.startsWith(QLatin1Char('/')) || isDrivePath(entry) || QFileInfo(p).isDir())
            continue;
        if (!files.contains(p))
            files.append(p);
    }
    return files;
}

QString pathLines(const QStringList& paths, int most)
{
    QString lines = paths.mid(0, most).join(QLatin1Char('\n'));
    if (paths.size() > most)
        lines += QStringLiteral("\n…ほか %1 件").arg(paths.size() - most);
    return lines;
}

QString deletionQuestion(const QStringList& files)
{
    return QStringLiteral("次の %1 個のファイルをゴミ箱へ移しますか？\n\n").arg(files.size()) + pathLines(files);
}

static bool gone(const QString& path)
{
    return !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();
}

TrashResult trashFiles(const QStringList& paths)
{
    TrashResult result;
    for (const QString& p : paths) {
        if (gone(p) || files::moveToTrash(p) || gone(p))
            result.trashed.append(p);
        else
            result.failed.append(p);
    }
    return result;
}

QString trashFailureMessage(const QStringList& failed)
{
    if (failed.isEmpty())
        return QString();
    return QStringLiteral("次のファイルはゴミ箱へ移せませんでした（ファイルはそのまま残っています）。\n\n") + pathLines(failed);
}

} // namespace tools
