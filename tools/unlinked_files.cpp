#include "tools/unlinked_files.h"

#include "tools/link_values.h"

#include "store/files.h"
#include "store/page_levels.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/page_encoding.h"

#include <QDir>
#include <QRegularExpression>

namespace tools {

static void addFolderTree(QStringList& folders, const QString& folder)
{
    folders.append(folder);
    for (const QString& name : files::listFolders(folder))
        addFolderTree(folders, files::joinPath(folder, name));
}

QStringList folderTree(const QString& folder)
{
    QStringList folders;
    if (!folder.isEmpty())
        addFolderTree(folders, folder);
    return folders;
}

QStringList folderPages(const QString& folder, const QString& exeBaseName)
{
    QStringList pages;
    for (const QString& name : store::pageEntries(files::listFiles(folder, store::kPageFileMask), exeBaseName))
        pages.append(files::joinPath(folder, name));
    for (const QString& name : files::listFiles(folder, QStringLiteral("*.*"))) {
        const QString path = files::joinPath(folder, name);
        if (lowerExt(name).contains(QLatin1String(".ht")) && !containsPath(pages, path))
            pages.append(path);
    }
    return pages;
}

QStringList jsValueFiles(const QString& pageText, const QString& folder)
{
    // A piece of a command list: "$JS file entry" or ",JS file entry"
    // ("HISJS" writes the history file, which lies in its own folder).
    static const QRegularExpression js(QStringLiteral("[$,]\\$?JS +([^ ,\"'<>\\r\\n]+)"));
    QStringList found;
    auto it = js.globalMatch(store::DecodeSpaces(pageText));
    while (it.hasNext()) {
        const QString name = files::slashes(it.next().captured(1));
        if (!name.startsWith(QLatin1Char('/')) && !isDrivePath(name))
            found.append(QDir::cleanPath(files::joinPath(folder, name)));
    }
    return found;
}

FolderUsage filesUsedByFolderPages(const QString& folder, const QString& exeBaseName, const QString& exceptPage)
{
    FolderUsage usage;
    for (const QString& page : folderPages(folder, exeBaseName)) {
        if (!exceptPage.isEmpty() && (page.compare(exceptPage, Qt::CaseInsensitive) == 0 || isSameFile(page, exceptPage)))
            continue;
        usage.used.append(page);
        LinkedFiles linked = CollectLinkedFiles(page, false, folder, usage.used);
        usage.used = linked.files;
        usage.commandLinkMessages += linked.commandLinkMessages;
        if (lowerExt(page).contains(QLatin1String(".ht"))) {
            if (const auto text = store::readPageText(page))
                usage.valueFiles += jsValueFiles(*text, folder);
        }
    }
    return usage;
}

bool holdsStoredData(const QString& path, const QStringList& valueFiles)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.startsWith(QLatin1String("_%")))
        return true;
    if (name.startsWith(QLatin1Char('_')) && lowerExt(name) == QLatin1String(".csv"))
        return true;
    return containsPath(valueFiles, path);
}

FileToolList planUnlinkedFiles(const QString& folder, const QString& exeBaseName, const QString& helpFileName)
{
    FolderUsage usage = filesUsedByFolderPages(folder, exeBaseName);
    usage.used.append(files::joinPath(folder, helpFileName));
    usage.used.append(files::joinPath(folder, QStringLiteral("_Edit.txt")));
    FileToolList list;
    list.commandLinkMessages = usage.commandLinkMessages;
    for (const QString& name : files::listFiles(folder, QStringLiteral("*.*"))) {
        const QString path = files::joinPath(folder, name);
        if (containsPath(usage.used, path))
            continue;
        list.files.append(path);
        if (holdsStoredData(path, usage.valueFiles))
            list.notPreselected.append(path);
    }
    return list;
}

} // namespace tools
