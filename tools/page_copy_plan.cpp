#include "tools/page_copy_plan.h"

#include "tools/delete_plan.h"
#include "tools/link_values.h"
#include "tools/picture_rename.h"

#include "store/confine.h"
#include "store/files.h"
#include "store/page_references.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tools {

QString copyableValue(const QString& value)
{
    const QString v = files::slashes(value);
    if (v.isEmpty() || v.contains(QLatin1Char(':')) || v.startsWith(QLatin1Char('/')))
        return QString();
    const QStringList parts = v.split(QLatin1Char('/'));
    if (parts.contains(QStringLiteral("..")))
        return QString();
    const QString clean = QDir::cleanPath(v);
    return clean == QLatin1String(".") ? QString() : clean;
}

namespace {

QString refusalFor(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("コピーするページが見つかりません。\n") + source;
    if (target.isEmpty() || QFileInfo(target).isDir())
        return QStringLiteral("コピー先にはファイル名を指定してください。\n") + target;
    if (!QFileInfo(folderOf(target)).isDir())
        return QStringLiteral("コピー先のフォルダがありません。\n") + folderOf(target);
    if (isSameFile(source, target) || QDir::cleanPath(source) == QDir::cleanPath(target))
        return QStringLiteral("コピー先が元のページと同じファイルです。別の名前か別のフォルダを選んでください。");
    return QString();
}

void addCompanions(PageCopyPlan& plan)
{
    for (const QString& ext : {QStringLiteral(".%xt"), QStringLiteral(".wav")}) {
        const QString from = existingFile(changeFileExt(plan.source, ext));
        const QString to = changeFileExt(plan.target, ext);
        if (!from.isEmpty())
            plan.copies.append({from, to});
        else if (plan.targetExists && QFileInfo(to).isFile())
            plan.staleCompanions.append(to);
    }
}

// What the page shows travels with it, backgrounds first; the pages and
// files it links to by href do not.
QList<store::PageReference> copiedReferences(const QList<store::PageReference>& refs)
{
    QList<store::PageReference> backgrounds, others;
    for (const store::PageReference& r : refs) {
        if (r.kind == store::ReferenceKind::Background || r.kind == store::ReferenceKind::CssUrl)
            backgrounds << r;
        else if (r.kind != store::ReferenceKind::Href)
            others << r;
    }
    return backgrounds + others;
}

// A file: URL or another address: never carried, whatever its path says.
bool hasScheme(const store::PageReference& r)
{
    return r.path.contains(QLatin1Char(':'));
}

void addLinkedFiles(PageCopyPlan& plan)
{
    const auto refs = store::readPageReferences(plan.source);
    if (!refs)
        return;
    const QString fromDir = folderOf(plan.source);
    const QString toDir = folderOf(plan.target);
    QStringList targets{plan.target};
    for (const FileCopy& c : plan.copies)
        targets.append(c.target);
    for (const store::PageReference& r : copiedReferences(*refs)) {
        // The file name, not the written form: "%E8%8A%B1.png?v=2" is "花.png".
        const QString rel = hasScheme(r) ? QString() : copyableValue(r.name);
        const QString from = rel.isEmpty() ? QString() : existingFile(files::joinPath(fromDir, rel));
        if (from.isEmpty())
            continue;
        const QString to = files::joinPath(toDir, rel);
        if (containsPath(targets, to))
            continue;
        targets.append(to);
        if (isSameFile(from, to)) {
            plan.onItself.append({from, to});
            continue;
        }
        plan.copies.append({from, to});
        const QString folder = folderOf(to);
        if (!QFileInfo(folder).isDir() && !plan.foldersToCreate.contains(folder))
            plan.foldersToCreate.append(folder);
    }
}

// A target that is one of the files the copy reads would be overwritten
// before it is read.
bool targetHitsASource(const PageCopyPlan& plan)
{
    for (const FileCopy& c : plan.copies) {
        for (const FileCopy& d : plan.copies) {
            if (isSameFile(c.target, d.source))
                return true;
        }
    }
    return false;
}

} // namespace

PageCopyPlan planPageCopy(const QString& source, const QString& target)
{
    PageCopyPlan plan;
    plan.source = QDir::cleanPath(source);
    plan.target = QDir::cleanPath(target);
    plan.refusal = refusalFor(plan.source, plan.target);
    if (!plan.refusal.isEmpty())
        return plan;
    plan.targetExists = QFileInfo(plan.target).isFile();
    plan.html = isHtmlPage(plan.source);
    plan.copies.append({plan.source, plan.target});
    addCompanions(plan);
    if (plan.html)
        addLinkedFiles(plan);
    if (targetHitsASource(plan)) {
        plan.refusal = QStringLiteral("コピー先が元のページのファイルと重なります。別の名前を選んでください。");
        plan.copies.clear();
    }
    return plan;
}

bool sameContent(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(1 << 16);
        if (x.isEmpty() || x != fb.read(x.size()))
            return false;
    }
    return true;
}

PageCopyResult carryOutPageCopy(const PageCopyPlan& plan)
{
    PageCopyResult result;
    if (!plan.refusal.isEmpty())
        return result;
    // Files beside the copy stay inside its folder, and files come only
    // from inside the page's folder, however links on the way may lead.
    const QStringList within{folderOf(plan.target)};
    const QString sourceFolder = folderOf(plan.source);
    for (const QString& folder : plan.foldersToCreate)
        files::makeFolder(folder, within);
    for (int i = 0; i < plan.copies.size(); ++i) {
        const FileCopy& c = plan.copies.at(i);
        const bool sourceInside = i == 0 || confine::liesInside(c.source, sourceFolder);
        const bool ok = sourceInside && files::copyFileOver(c.source, c.target, within)
            && sameContent(c.source, c.target);
        if (i == 0 && !ok) {
            result.failed = plan.copies; // without the page nothing else is copied
            return result;
        }
        (ok ? result.copied : result.failed).append(c);
    }
    result.staleNotTrashed = trashFiles(plan.staleCompanions).failed;
    return result;
}

QStringList planSourceRemoval(const PageCopyPlan& plan, const PageCopyResult& result, const QStringList& keep)
{
    QStringList remove;
    if (!result.pageCopied())
        return remove;
    const QString pageFolder = folderOf(plan.source);
    for (const FileCopy& c : result.copied) {
        const bool page = c.source == plan.source;
        if (isSameFile(c.source, c.target) || !sameContent(c.source, c.target))
            continue;
        if (!isInsideFolder(c.source, pageFolder))
            continue;
        if (!page && containsPath(keep, c.source))
            continue;
        remove.append(c.source);
    }
    return remove;
}

} // namespace tools
