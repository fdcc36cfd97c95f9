// The import: the files listed in ListBox1 (chosen in a dialog, or named on
// the command line) are copied into the current folder, and only there.
#include "viewer/main_window.h"

#include "platform/copy_progress.h"
#include "store/files.h"
#include "viewer/command_values.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A name that would be hidden in the page list or would not stay inside the
// current folder is never written.
bool acceptableImportName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'));
}

// Copies one file into folder; true when it is there afterwards. A file
// that already is the target (imported from the current folder) is left alone.
bool importOne(const QString& source, const QString& folder, const QStringList& within)
{
    const QFileInfo src(source);
    const QString name = src.fileName();
    if (!src.isFile() || !acceptableImportName(name))
        return false;
    const QString target = files::joinPath(folder, name);
    if (files::sameFile(source, target))
        return true;
    return files::copyFileOver(source, target, within);
}

} // namespace

void TForm1::ImportListedFiles(const QString& folder, bool fromCommandLine)
{
    // Every caller passes the current folder; the files always go there.
    Q_UNUSED(folder);
    Q_UNUSED(fromCommandLine);
    if (ListBox1.isEmpty())
        return;
    // The page list must not be rebuilt while files arrive.
    const bool patrolWasOn = Timer5->enabled();
    pausePatrol();
    files::makeFolder(ExeFolder, {ExeFolder});
    files::makeFolder(RootFolder, {ExeFolder});
    const QString target = CurrentFolder();
    const QStringList within = commands::writeRoots(*this).folders;
    files::makeFolder(target, within);
    platform::CopyFailures failures;
    platform::CopyProgress progress(QStringLiteral("ファイルをコピーしています…"), ListBox1.size());
    for (const QString& source : ListBox1) {
        if (progress.cancelled())
            break;
        if (!importOne(source, target, within))
            failures.add(source);
        progress.step();
    }
    SearchCacheKey = QStringLiteral("xxx");
    failures.report(QStringLiteral("次のファイルはコピーできませんでした。"));
    if (patrolWasOn || CommandLineMode == 0)
        resumePatrol();
}
