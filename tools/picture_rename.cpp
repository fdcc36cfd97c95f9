#include "tools/picture_rename.h"

#include "tools/link_values.h"
#include "tools/page_order_names.h"

#include "store/files.h"
#include "store/page_encoding.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace tools {

bool isPictureFile(const QString& path)
{
    static const QStringList exts{".jpeg", ".jpg", ".gif", ".png"};
    return exts.contains(lowerExt(path));
}

bool isHtmlPage(const QString& path)
{
    const QString ext = lowerExt(path);
    return ext == QLatin1String(".html") || ext == QLatin1String(".htm");
}

namespace {

// The names of each folder as the plan goes on.
class NameSpace {
public:
    bool taken(const QString& path) { return names(folderOf(path)).contains(QFileInfo(path).fileName()); }
    void move(const QString& from, const QString& to) // within one folder
    {
        names(folderOf(from)).renamed(QFileInfo(from).fileName(), QFileInfo(to).fileName());
    }

private:
    FolderNames& names(const QString& folder)
    {
        auto it = folders_.find(folder);
        if (it == folders_.end())
            it = folders_.emplace(folder, folder);
        return *it;
    }
    QHash<QString, FolderNames> folders_;
};

QString fileExt(const QString& name) // with its dot, letter case kept
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.mid(dot) : QString();
}

QString newName(NameSpace& space, const QString& picture, const QString& base)
{
    const QString folder = folderOf(picture);
    const QString ext = fileExt(QFileInfo(picture).fileName());
    const QString baseExt = fileExt(base);
    const QString baseStem = base.left(base.size() - baseExt.size());
    QString candidate = base + QLatin1Char('0');
    for (int n = 1; space.taken(files::joinPath(folder, candidate + ext)); ++n)
        candidate = baseStem + QString::number(n) + baseExt;
    return files::joinPath(folder, candidate + ext);
}

// The picture a resolved value names, or -1. An exact spelling wins; a
// spelling that differs only in letter case names the picture only when no
// file of that spelling stood there before the renaming (a page written on
// Windows that lost the case), so "A.jpg" beside "a.jpg" keeps its own file.
// Indexed once per run: a renumbering renames hundreds of pictures that
// thousands of values are checked against.
class RenameIndex {
public:
    explicit RenameIndex(const QList<PictureRename>& renames)
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
        if (!newNames_.contains(resolved) && QFileInfo::exists(resolved))
            return -1;
        return folded_.value(resolved.toCaseFolded(), -1);
    }

private:
    QHash<QString, int> exact_, folded_;
    QSet<QString> newNames_;
};

struct Edit {
    qsizetype start, length;
    QString value;
};

QString withNewName(const QString& value, const QString& newPath)
{
    const qsizetype cut = std::max(value.lastIndexOf(QLatin1Char('/')), value.lastIndexOf(QLatin1Char('\\')));
    return value.left(cut + 1) + QFileInfo(newPath).fileName();
}

} // namespace

QList<PictureRename> planPictureRenames(const QStringList& selected, const QString& base)
{
    NameSpace space;
    QList<PictureRename> plan;
    for (const QString& picture : selected) {
        if (!isPictureFile(picture) || !QFileInfo(picture).isFile())
            continue;
        const QString to = newName(space, picture, base);
        space.move(picture, to);
        plan.append({picture, to});
    }
    return plan;
}

ReferenceUpdates ReplaceNameInSelectedPages(const QStringList& selected, const QList<PictureRename>& renames)
{
    ReferenceUpdates updates;
    const RenameIndex index(renames);
    for (const QString& page : selected) {
        if (!isHtmlPage(page) || renames.isEmpty())
            continue;
        const auto bytes = files::readBytes(page);
        if (!bytes)
            continue;
        // A Shift_JIS page is rewritten as UTF-8, marked so that it is read as such.
        const store::PageText read = store::decodePage(*bytes);
        if (!read.canRewrite()) {
            updates.notUtf8.append(page);
            continue;
        }
        const bool bom = read.hasBom || read.encoding != store::PageEncoding::Utf8;
        QString text = read.text;
        QList<Edit> edits;
        for (LinkKind kind : {LinkKind::Src, LinkKind::TitleIcon, LinkKind::Background, LinkKind::Href}) {
            for (const LinkValue& v : findLinkValues(text, kind)) {
                const int i = index.renamedBy(resolveLinkValue(v.value, folderOf(page)));
                if (i >= 0)
                    edits.append({v.start, v.length, withNewName(v.value, renames.at(i).to)});
            }
        }
        if (edits.isEmpty())
            continue;
        std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.start > b.start; });
        for (const Edit& e : edits)
            text.replace(e.start, e.length, e.value);
        updates.pages.append({page, (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8()});
    }
    return updates;
}

QList<PictureRename> carryOutPictureRenames(const QList<PictureRename>& plan, const QStringList& within,
                                            PictureRename* failed)
{
    QList<PictureRename> done;
    for (const PictureRename& r : plan) {
        if (!files::renameNoReplace(r.from, r.to, within)) {
            if (failed)
                *failed = r;
            break;
        }
        done.append(r);
    }
    return done;
}

QStringList writePageRewrites(const QList<PageRewrite>& pages, const QStringList& within)
{
    QStringList failed;
    for (const PageRewrite& p : pages) {
        if (!files::writeBytes(p.path, p.bytes, within))
            failed.append(p.path);
    }
    return failed;
}

} // namespace tools
