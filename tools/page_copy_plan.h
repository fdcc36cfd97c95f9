#pragma once
// Copying a page to another place with its memo, its recording and the
// files it shows (every reference but href: pictures, backgrounds, CSS
// url(), embedded frames, the title icon), kept at the same relative place
// beside the copy; and, for a move, which sources may then go to the
// trash. The plan is worked out before anything touches the disk.

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

struct FileCopy {
    QString source;
    QString target;
};

struct PageCopyPlan {
    QString refusal;             // not empty: nothing is done; this says why
    QString source;              // the page
    QString target;
    bool html = false;           // linked files travel with the page
    bool targetExists = false;   // the person is asked before it is replaced
    QList<FileCopy> copies;      // the page, ".%xt", ".wav", then linked files in text order
    QStringList foldersToCreate; // sub-folders beside the target that linked files need
    QStringList staleCompanions; // the target's old memo or recording the source has none of
    QList<FileCopy> onItself;    // linked files whose target is the source: left as they are
};

// The values a copy carries: relative names below the page's folder, no
// scheme, no drive letter, no absolute path and no "..". Cleaned, with "/".
QString copyableValue(const QString& value);

PageCopyPlan planPageCopy(const QString& source, const QString& target);

struct PageCopyResult {
    QList<FileCopy> copied;    // copied, and the copy reads the same as its source
    QList<FileCopy> failed;    // not copied, or the copy differs
    QStringList staleNotTrashed;
    bool pageCopied() const { return !copied.isEmpty(); } // the page is always the first copy
};

// Creates the folders, copies in order (each over its target through a
// temporary file), checks each copy and sends the stale companions to the
// trash once the page is copied. Nothing is made or written where a link on
// the way leads out of the target's folder, and a file that is a link
// leading out of the page's folder is not copied: both count as failed.
PageCopyResult carryOutPageCopy(const PageCopyPlan& plan);

// The sources a move sends to the trash: those whose copy is there and the
// same, inside the page's folder, never one copied onto itself and never one
// listed in keep (files other pages of the folder still use).
QStringList planSourceRemoval(const PageCopyPlan& plan, const PageCopyResult& result, const QStringList& keep);

// True when both files have the same bytes.
bool sameContent(const QString& a, const QString& b);

} // namespace tools
