#include "tools/delete_plan.h"

#include "tools/link_values.h"
#include "tools/unlinked_files.h"

#include "store/files.h"
#include "store/page_encoding.h"

#include <QFileInfo>

namespace tools {

namespace {

bool isPage(const QString& path)
{
    return lowerExt(path).contains(QLatin1String(".ht"));
}

} // namespace

namespace {

// Whether the bytes of a page may name one of the files: their names, in
// UTF-8 or Shift_JIS, ASCII letters in any case. Most pages name none of
// them and are passed over without being decoded.
bool mayName(const QByteArray& lowerBytes, const QStringList& names)
{
    for (const QString& name : names) {
        const QString lower = name.toLower();
        if (lowerBytes.contains(lower.toUtf8()) || lowerBytes.contains(files::encodeShiftJis(lower)))
            return true;
    }
    return false;
}

// The candidates that a page of folder other than exceptPage names in a
// src, background, title icon or href.
QStringList candidatesNamedIn(const QString& folder, const QStringList& candidates, const QStringList& names,
                              const QString& exceptPage)
{
    QStringList named;
    for (const QString& name : files::listFiles(folder, QStringLiteral("*.*"))) {
        const QString page = files::joinPath(folder, name);
        if (!isPage(page) || isSameFile(page, exceptPage))
            continue;
        const std::optional<QByteArray> bytes = files::readBytes(page);
        if (!bytes || !mayName(bytes->toLower(), names))
            continue;
        const QString text = store::pageTextOf(*bytes);
        for (LinkKind kind : {LinkKind::Src, LinkKind::TitleIcon, LinkKind::Background, LinkKind::Href})
            for (const LinkValue& v : findLinkValues(text, kind)) {
                const QString target = resolveLinkValue(v.value, folder);
                for (const QString& c : candidates)
                    if (!target.isEmpty() && !containsPath(named, c) && containsPath({target}, c))
                        named << c;
            }
    }
    return named;
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
    QStringList candidates, names;
    for (const QString& f : listed)
        if (f != pagePath && !containsPath(used, f)) {
            candidates << f;
            names << QFileInfo(f).fileName();
        }
    if (candidates.isEmpty())
        return used;
    for (const QString& folder : folderTree(root))
        if (!containsPath(folders, folder))
            used += candidatesNamedIn(folder, candidates, names, pagePath);
    return used;
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
