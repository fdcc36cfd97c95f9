#include "viewer/folder_check.h"

#include "store/files.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <sys/stat.h>

namespace viewer {

namespace {

// Coarser than any file system's clock the program meets (FAT counts in two seconds).
constexpr qint64 kClockTickNs = 3'000'000'000LL;

qint64 nanoseconds(const timespec& t)
{
    return qint64(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

const QString kCheckName = QStringLiteral("pageFolderCheck");

} // namespace

FolderStamp folderStamp(const QString& folder)
{
    struct stat st {};
    if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return {};
    return {true, quint64(st.st_dev), quint64(st.st_ino), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

bool isRecent(const FolderStamp& stamp)
{
    if (!stamp.valid)
        return false;
    const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1'000'000LL;
    // The modification time is the one set to the clock at a change of the
    // entries (the status change time also moves when the folder's time is
    // set by hand). A time ahead of the clock (a share whose server runs
    // fast) proves nothing either.
    return now - stamp.modifiedNs < kClockTickNs;
}

// What the GUI thread and the worker share, under the mutex.
struct PageFolderCheck::Shared {
    QMutex mutex;
    quint64 generation = 0; // bumped when a folder is read elsewhere: listings under way are stale
    bool running = false;
    QString knownFolder;
    FolderStamp knownStamp;
    bool knownProvesNothing = true;
    std::optional<store::ListedFolder> listing;
};

PageFolderCheck::PageFolderCheck(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>())
{
    setObjectName(kCheckName);
    pool_.setMaxThreadCount(1);
}

PageFolderCheck::~PageFolderCheck()
{
    pool_.waitForDone();
}

void PageFolderCheck::noteListed(const QString& folder, const FolderStamp& stamp)
{
    const QMutexLocker lock(&shared_->mutex);
    ++shared_->generation;
    shared_->listing.reset();
    shared_->knownFolder = folder;
    shared_->knownStamp = stamp;
    shared_->knownProvesNothing = !stamp.valid || isRecent(stamp);
}

void PageFolderCheck::poll(const QString& folder, int knownCount, const QString& exeBaseName,
                           const QStringList& writeBounds)
{
    const FolderStamp stamp = folderStamp(folder);
    const QMutexLocker lock(&shared_->mutex);
    Shared& s = *shared_;
    if (s.running || (s.listing && s.listing->folder == folder))
        return;
    if (s.knownFolder == folder && s.knownStamp == stamp && !s.knownProvesNothing)
        return;
    s.running = true;
    const bool provesNothing = !stamp.valid || isRecent(stamp);
    pool_.start([shared = shared_, generation = s.generation, folder, stamp, provesNothing, knownCount,
                 exeBaseName, writeBounds] {
        store::ListedFolder listed{folder, files::listFiles(folder, store::kPageFileMask), {}, {}};
        if (listed.names.size() != knownCount)
            store::readEntriesAndTitles(listed, exeBaseName, writeBounds); // the level is replaced: ready it here
        const QMutexLocker done(&shared->mutex);
        shared->running = false;
        if (generation != shared->generation)
            return;
        shared->listing = std::move(listed);
        shared->knownFolder = folder;
        shared->knownStamp = stamp;
        shared->knownProvesNothing = provesNothing;
    });
}

std::optional<store::ListedFolder> PageFolderCheck::takeListing(const QString& folder)
{
    const QMutexLocker lock(&shared_->mutex);
    std::optional<store::ListedFolder> listing;
    listing.swap(shared_->listing);
    if (listing && listing->folder != folder)
        listing.reset();
    return listing;
}

bool PageFolderCheck::running() const
{
    const QMutexLocker lock(&shared_->mutex);
    return shared_->running;
}

void PageFolderCheck::release(QList<QStringList> lists)
{
    pool_.start([lists = std::move(lists)]() mutable { lists = {}; });
}

void PageFolderCheck::waitForDone()
{
    pool_.waitForDone();
}

PageFolderCheck& pageFolderCheck(QObject& mainWindow)
{
    if (auto* c = mainWindow.findChild<PageFolderCheck*>(kCheckName, Qt::FindDirectChildrenOnly))
        return *c;
    return *new PageFolderCheck(&mainWindow);
}

QString CaseIgnoringLookup::findPath(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const FolderStamp stamp = folderStamp(QFileInfo(path).path());
    if (path == wanted_ && stamp.valid && stamp == stamp_ && !provesNothing_)
        return found_;
    wanted_ = path;
    stamp_ = stamp;
    provesNothing_ = isRecent(stamp);
    found_ = files::findPath(path);
    return found_;
}

} // namespace viewer
