#include "tools/folder_copy.h"

#include "store/files.h"

#include <QDir>
#include <QFileInfo>

namespace tools {

namespace {

// Folders (parents first) and files below a folder, relative to it.
struct TreeEntries {
    QStringList folders;
    QStringList files;
};

constexpr int kMaxDepth = 200;

void gather(const QString& base, const QString& relative, int depth, TreeEntries& out)
{
    const QDir dir(relative.isEmpty() ? base : files::joinPath(base, relative));
    const auto rel = [&relative](const QString& name) {
        return relative.isEmpty() ? name : files::joinPath(relative, name);
    };
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name))
        out.files.append(rel(name));
    if (depth >= kMaxDepth)
        return;
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : subfolders) {
        out.folders.append(rel(name));
        gather(base, rel(name), depth + 1, out);
    }
}

// A folder of the target that is there afterwards and is no link. It is
// made inside the copy folder on the place the kernel reaches, so a link
// swapped in on the way after this look leads nothing out.
bool makeTargetFolder(const QString& path, const QString& copyRoot)
{
    if (QFileInfo(path).isSymLink())
        return false;
    return files::makeFolder(path, {copyRoot});
}

bool inside(const QString& path, const QString& folder)
{
    return path == folder || folder == QLatin1String("/") || path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

FolderCopyOutcome copyFolderInto(const QString& source, const QString& copyFolder,
                                 platform::CopyFailures& failures)
{
    FolderCopyOutcome outcome;
    const QString from = QFileInfo(source).canonicalFilePath();
    const QString name = QFileInfo(from).fileName();
    const QString copyRoot = QFileInfo(copyFolder).canonicalFilePath();
    if (from.isEmpty() || !QFileInfo(from).isDir() || name.isEmpty()) {
        outcome.refusal = QStringLiteral("コピーするフォルダがありません。");
        return outcome;
    }
    if (copyRoot.isEmpty()) {
        outcome.refusal = QStringLiteral("コピー先のフォルダを作れませんでした。");
        return outcome;
    }
    const QString target = files::joinPath(copyRoot, name);
    if (inside(target, from)) {
        outcome.refusal = QStringLiteral("コピー先がコピーするフォルダの中にあるため、コピーできません。");
        return outcome;
    }
    if (!makeTargetFolder(target, copyRoot)) {
        outcome.refusal = QStringLiteral("コピー先のフォルダを作れませんでした。");
        return outcome;
    }
    TreeEntries tree;
    gather(from, QString(), 0, tree);
    // Below a target folder that could not be made (or is a link planted in
    // the copy folder) nothing is written: it would land wherever the link leads.
    QStringList failedFolders;
    const auto underFailed = [&failedFolders](const QString& relative) {
        for (const QString& f : failedFolders)
            if (relative.startsWith(f + QLatin1Char('/')))
                return true;
        return false;
    };
    for (const QString& folder : tree.folders) {
        if (underFailed(folder) || !makeTargetFolder(files::joinPath(target, folder), copyRoot)) {
            failedFolders.append(folder);
            failures.add(files::joinPath(from, folder));
        }
    }
    platform::CopyProgress progress(QStringLiteral("「") + name + QStringLiteral("」をコピーしています…"),
                                    tree.files.size());
    for (const QString& file : tree.files) {
        if (!progress.step()) {
            outcome.cancelled = true;
            break;
        }
        if (!underFailed(file) && files::copyFileOver(files::joinPath(from, file), files::joinPath(target, file), {copyRoot}))
            ++outcome.copied;
        else
            failures.add(files::joinPath(from, file));
    }
    return outcome;
}

} // namespace tools
