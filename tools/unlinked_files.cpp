#include "tools/unlinked_files.h"

#include "tools/link_values.h"

#include "store/files.h"
#include "store/page_levels.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/page_encoding.h"

#include <QDir>
#include <QFileInfo>
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

// The candidates that a page of folder other than exceptPage names.
QStringList candidatesNamedIn(const QString& folder, const QStringList& candidates, const QStringList& names,
                              const QString& exceptPage)
{
    QStringList named;
    for (const QString& name : files::listFiles(folder, QStringLiteral("*.*"))) {
        const QString page = files::joinPath(folder, name);
        if (!lowerExt(page).contains(QLatin1String(".ht")) || isSameFile(page, exceptPage))
            continue;
        const std::optional<QByteArray> bytes = store::readPageBytes(page);
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

QStringList namedByPagesUnder(const QString& root, const QStringList& candidates, const QStringList& skipFolders,
                              const QString& exceptPage)
{
    if (candidates.isEmpty())
        return {};
    QStringList names;
    for (const QString& c : candidates)
        names << QFileInfo(c).fileName();
    QStringList named;
    for (const QString& folder : folderTree(root))
        if (!containsPath(skipFolders, folder))
            named += candidatesNamedIn(folder, candidates, names, exceptPage);
    return named;
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

FileToolList planUnlinkedFiles(const QString& folder, const QString& exeBaseName, const QString& helpFileName,
                               const QString& root)
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
    // A page of another folder may show a file of this one ("sub/x.png",
    // "../x.png"): it is offered, not chosen.
    for (const QString& path : namedByPagesUnder(root, list.files, {folder}))
        if (!list.notPreselected.contains(path))
            list.notPreselected.append(path);
    return list;
}

} // namespace tools
