#include "tools/picture_rename.h"

#include "tools/link_values.h"
#include "tools/page_reference_updates.h"
#include "tools/page_order_names.h"

#include "store/files.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

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
    return updateReferencesInPages(selected, renames);
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
