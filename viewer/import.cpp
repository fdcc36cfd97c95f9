// The import: the files listed in ListBox1 (chosen in a dialog, or named on
// the command line) are copied into the current folder.
#include "viewer/main_window.h"

#include "store/files.h"

#include <QDir>
#include <QFileInfo>

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
    files::makeFolder(ExeFolder);
    files::makeFolder(RootFolder);
    files::makeFolder(CurrentFolder());
    for (const QString& source : ListBox1)
        files::copyFileOver(source, files::joinPath(CurrentFolder(), QFileInfo(source).fileName()));
    if (patrolWasOn || CommandLineMode == 0)
        resumePatrol();
}
