#pragma once
// How the patrol learns that the current folder's files changed without
// reading the folder: adding, removing or renaming a file changes the
// folder's own modification time (a change of a file's content does not, and
// the patrol follows the shown file's content by that file's own time). Only
// then is the folder listed, on a worker thread; the patrol picks the
// listing up at its next tick on the GUI thread.

#include "store/page_levels.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <memory>
#include <optional>

namespace viewer {

// What of a folder changes when an entry is added, removed or renamed in it,
// or when the folder itself is replaced. Equal stamps: no such change seen.
struct FolderStamp {
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FolderStamp& o) const
    {
        return valid == o.valid && device == o.device && inode == o.inode && modifiedNs == o.modifiedNs
            && changedNs == o.changedNs;
    }
    bool operator!=(const FolderStamp& o) const { return !(*this == o); }
};

FolderStamp folderStamp(const QString& folder);

// A stamp read so soon after the folder's last change that a further change
// within the same tick of the file system's clock (coarse on some file
// systems: two seconds on FAT) would leave it as it is. Such a stamp proves
// nothing: the folder is read again once the clock has moved on.
bool isRecent(const FolderStamp& stamp);

class PageFolderCheck : public QObject {
public:
    explicit PageFolderCheck(QObject* parent = nullptr);
    ~PageFolderCheck() override; // waits for a listing under way

    // The folder was read on the GUI thread (a folder opening) when it bore
    // stamp (read before the listing): listings under way are stale.
    void noteListed(const QString& folder, const FolderStamp& stamp);
    // Starts a listing of folder on the worker when its stamp differs from
    // the one of the last listing (or that one proves nothing). knownCount:
    // the page files the list holds now; a listing with another count reads
    // the entries' titles too, ready to replace the level.
    void poll(const QString& folder, int knownCount, const QString& exeBaseName, const QStringList& writeBounds);
    // The finished listing of folder, taken once.
    std::optional<store::ListedFolder> takeListing(const QString& folder);
    bool running() const;
    // Lets lists go on the worker thread once nobody else holds them.
    void release(QList<QStringList> lists);
    // Waits until no listing is under way (tests, shutdown).
    void waitForDone();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    QThreadPool pool_;
};

// The check of the main window (made at first use).
PageFolderCheck& pageFolderCheck(QObject& mainWindow);

// files::findPath for a name in a folder that seldom changes: the exact name
// is looked up each time, but a search with letter case ignored, which reads
// the whole folder, is made again only when the folder's stamp changed.
class CaseIgnoringLookup {
public:
    QString findPath(const QString& path);

private:
    QString wanted_;
    FolderStamp stamp_;
    bool provesNothing_ = true;
    QString found_;
};

} // namespace viewer
