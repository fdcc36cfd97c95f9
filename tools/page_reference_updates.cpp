#include "tools/page_reference_updates.h"

#include "tools/link_values.h"

#include "store/files.h"
#include "store/page_encoding.h"
#include "store/page_references.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace tools {

namespace {

// The file a resolved reference names, or -1. An exact spelling wins; a
// spelling that differs only in letter case names the file only when no
// file of that spelling stood there before the renaming (a page written on
// Windows that lost the case), so "A.jpg" beside "a.jpg" keeps its own file.
// Indexed once per run: a renumbering renames hundreds of pictures that
// thousands of references are checked against.
class RenameIndex {
public:
    explicit RenameIndex(const QList<PictureRename>& renames) : renames_(renames)
    {
        for (int i = 0; i < renames.size(); ++i) {
            const QString from = QDir::cleanPath(renames.at(i).from);
            if (!exact_.contains(from)) // of equal names the first wins
                exact_.insert(from, i);
            if (!folded_.contains(from.toCaseFolded()))
                folded_.insert(from.toCaseFolded(), i);
            newNames_.insert(QDir::cleanPath(renames.at(i).to));
        }
    }
    int renamedBy(const QString& resolved) const
    {
        if (resolved.isEmpty())
            return -1;
        if (const auto it = exact_.constFind(resolved); it != exact_.constEnd())
            return *it;
        const int folded = folded_.value(resolved.toCaseFolded(), -1);
        if (folded < 0 || (!newNames_.contains(resolved) && QFileInfo::exists(resolved)))
            return -1;
        return folded;
    }
    bool namesAny(const QList<store::PageReference>& refs, const QString& folder) const
    {
        for (const store::PageReference& r : refs)
            if (renamedBy(store::referencedPath(r, folder)) >= 0)
                return true;
        return false;
    }
    // The new file name for a reference of a page in folder.
    std::optional<QString> newNameFor(const store::PageReference& r, const QString& folder) const
    {
        const int i = renamedBy(store::referencedPath(r, folder));
        if (i < 0)
            return std::nullopt;
        return QFileInfo(renames_.at(i).to).fileName();
    }

private:
    const QList<PictureRename>& renames_;
    QHash<QString, int> exact_, folded_;
    QSet<QString> newNames_;
};

// A page the program may write back that the renaming leaves alone.
bool leftAlone(const QString& page, const RenameIndex& index)
{
    const auto bytes = store::readPageBytes(page);
    return bytes && !store::decodePage(*bytes).canRewrite()
        && index.namesAny(store::findPageReferences(*bytes), folderOf(page));
}

} // namespace

ReferenceUpdates updateReferencesInPages(const QStringList& pages, const QList<PictureRename>& renames)
{
    ReferenceUpdates updates;
    if (renames.isEmpty())
        return updates;
    const RenameIndex index(renames);
    for (const QString& page : pages) {
        if (!isHtmlPage(page))
            continue;
        const auto bytes = store::readPageBytes(page);
        if (!bytes)
            continue;
        const QString folder = folderOf(page);
        const store::PageText read = store::decodePage(*bytes);
        if (!read.canRewrite()) {
            if (index.namesAny(store::findPageReferences(*bytes), folder))
                updates.notUtf8.append(page);
            continue;
        }
        int changed = 0;
        const QString text = store::renameReferences(
            read.text, [&](const store::PageReference& r) { return index.newNameFor(r, folder); }, &changed);
        if (changed == 0)
            continue;
        // A Shift_JIS page is rewritten as UTF-8, marked so that it is read as such.
        const bool bom = read.hasBom || read.encoding != store::PageEncoding::Utf8;
        updates.pages.append({page, (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8()});
    }
    return updates;
}

QStringList pagesNamingButNotRewritable(const QStringList& pages, const QList<PictureRename>& renames)
{
    QStringList named;
    if (renames.isEmpty())
        return named;
    const RenameIndex index(renames);
    for (const QString& page : pages)
        if (isHtmlPage(page) && leftAlone(page, index))
            named.append(page);
    return named;
}

bool pageNamesAny(const QString& page, const QList<PictureRename>& renames)
{
    const auto refs = store::readPageReferences(page);
    return refs && RenameIndex(renames).namesAny(*refs, folderOf(page));
}

} // namespace tools
