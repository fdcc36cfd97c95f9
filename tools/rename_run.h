#pragma once
// Renaming many files and rewriting the pages that name them as one run that
// a kill or a power cut cannot leave half done: every page's new text is
// written beside it first (a full disk stops the run before anything moves),
// the plan goes into the data root (rename_journal.h), every file steps aside
// to a parked name, then to its new name, and the new texts replace the pages.
// The next start finishes a run that was cut off once every file was parked,
// and undoes one cut off before.

#include "tools/picture_rename.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace tools {

struct FileMove {
    QString from; // full paths
    QString to;
};

struct RenameRun {
    QString root;                // the data root: the plan is kept there, every write stays inside it
    QList<FileMove> moves;       // no two share a name; each new name is free or given up by another move
    QList<PageRewrite> rewrites; // pages at their present paths with their new texts
};

struct RenameRunResult {
    bool moved = false;    // false: every file kept its name
    QStringList problems;  // one Japanese line each, saying what really happened
    QList<FileMove> done;  // where each file that moved went
};

// placed(i) is called once moves[i] is at its new name.
RenameRunResult carryOutRenameRun(const RenameRun& run, const std::function<void(int)>& placed = {});

// Of pages the rewrite had to leave alone, those that name a renamed file
// (names compared as bytes, letter case ignored: they are mostly ASCII).
QStringList pagesNaming(const QStringList& pages, const QList<PictureRename>& renamed);

// At start-up, before the first page shows: finishes (or undoes) a run that
// was cut off, then removes the temporary files the safe writer left in the
// data root and in the folders of that run. Returns what could not be put right.
QStringList finishInterruptedRenames(const QString& root);

} // namespace tools
