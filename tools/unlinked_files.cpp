#include "tools/unlinked_files.h"

#include "tools/link_values.h"

#include "store/files.h"
#include "store/page_levels.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/page_encoding.h"
#include "store/page_references.h"

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

// The end of each name that a reference writes as it stands, lower-cased:
// letters, digits and ". - _ ~", which nobody %-escapes, whatever the page's
// charset ("_花.png" gives ".png", "a b.jpg" gives "b.jpg"). Empty when a
// name ends otherwise: then every page is read.
QList<QByteArray> plainTailsOf(const QStringList& names)
{
    QList<QByteArray> tails;
    for (const QString& name : names) {
        qsizetype from = name.size();
        while (from > 0) {
            const QChar c = name.at(from - 1);
            if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || QStringLiteral(".-_~").contains(c)))
                break;
            --from;
        }
        if (from == name.size())
            return {};
        const QByteArray tail = name.mid(from).toLatin1().toLower();
        if (!tails.contains(tail))
            tails << tail;
    }
    return tails;
}

// Whether a page may name one of the files. Most pages hold none of their
// plain ends and are passed over without being decoded; bytes with NULs
// (UTF-16) always are read.
bool mayName(const QByteArray& bytes, const QList<QByteArray>& tails)
{
    if (tails.isEmpty() || bytes.contains('\0'))
        return true;
    const QByteArray lower = bytes.toLower();
    for (const QByteArray& tail : tails)
        if (lower.contains(tail))
            return true;
    return false;
}

// The candidates that a page of folder other than exceptPage names, the
// page read in its own charset.
QStringList candidatesNamedIn(const QString& folder, const QStringList& candidates, const QList<QByteArray>& tails,
                              const QString& exceptPage)
{
    QStringList named;
    for (const QString& name : files::listFiles(folder, QStringLiteral("*.*"))) {
        const QString page = files::joinPath(folder, name);
        if (!lowerExt(page).contains(QLatin1String(".ht")) || isSameFile(page, exceptPage))
            continue;
        const std::optional<QByteArray> bytes = store::readPageBytes(page);
        if (!bytes || !mayName(*bytes, tails))
            continue;
        for (const store::PageReference& r : store::findPageReferences(*bytes)) {
            const QString target = store::referencedPath(r, folder);
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
    const QList<QByteArray> tails = plainTailsOf(names);
    QStringList named;
    for (const QString& folder : folderTree(root))
        if (!containsPath(skipFolders, folder))
            named += candidatesNamedIn(folder, candidates, tails, exceptPage);
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
