// Patrol rules without a window: the time text and the panel's click hints.
#include "viewer/patrol.h"

#include <gtest/gtest.h>

using namespace viewer;

TEST(PatrolText, TimeTextWithSecondsAndJapaneseUnits)
{
    const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::LocalTime);
    EXPECT_EQ(patrolTimeText(t), QStringLiteral("2026年01月02日03時04分05秒"));
}

TEST(PatrolText, ClickHintsOverrideInOrder)
{
    ClickHints h = openExternallyHints(".pdf", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("---　左クリックで開く ---"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして開く"));
    h = openExternallyHints(".mp4", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックで動画を再生"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして再生"));
    h = openExternallyHints(".zba", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックでプログラムを開く"));
    h = openExternallyHints(".docx", "Pagora");
    EXPECT_EQ(h.left, QStringLiteral("左クリックでワードで開く"));
    EXPECT_EQ(h.right, QStringLiteral("右クリックでデスクトップの【Pagora】にコピーして開く"));
    EXPECT_EQ(openExternallyHints(".xlsx", "P").left, QStringLiteral("左クリックでエクセルで開く"));
}

// ---- the folder check ----

#include "viewer/folder_check.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

void setFolderTime(const QString& folder, time_t seconds)
{
    timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
}

} // namespace

TEST(PatrolFolderCheck, ListsOnlyWhenTheStampChangedOrProvedNothing)
{
    QTemporaryDir dir;
    QFile(dir.filePath("a.html")).open(QIODevice::WriteOnly);
    setFolderTime(dir.path(), ::time(nullptr) - 3600);
    PageFolderCheck check;
    check.noteListed(dir.path(), folderStamp(dir.path()));
    check.poll(dir.path(), 1, "Pagora", {dir.path()});
    EXPECT_FALSE(check.running());
    EXPECT_FALSE(check.takeListing(dir.path()));

    // Listed in the same tick of a coarse clock as the change that follows:
    // the stamp is read again alike, yet the folder is listed.
    setFolderTime(dir.path(), ::time(nullptr));
    check.noteListed(dir.path(), folderStamp(dir.path()));
    check.poll(dir.path(), 1, "Pagora", {dir.path()});
    check.waitForDone();
    const auto listing = check.takeListing(dir.path());
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->names, QStringList{"a.html"});
    EXPECT_TRUE(listing->entries.isEmpty()); // the count held: no titles read

    QFile(dir.filePath("b.html")).open(QIODevice::WriteOnly);
    check.poll(dir.path(), 1, "Pagora", {dir.path()});
    check.waitForDone();
    EXPECT_FALSE(check.takeListing(QStringLiteral("/elsewhere"))); // for another folder: dropped
    check.poll(dir.path(), 1, "Pagora", {dir.path()});
    check.waitForDone();
    const auto changed = check.takeListing(dir.path());
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->entries, (QStringList{"a.html", "b.html"}));
    EXPECT_EQ(changed->titles.size(), 2);
}

TEST(PatrolFolderCheck, AFolderReadElsewhereMakesTheListingUnderWayStale)
{
    QTemporaryDir dir;
    PageFolderCheck check;
    check.poll(dir.path(), 0, "Pagora", {dir.path()});
    check.noteListed(dir.path(), folderStamp(dir.path()));
    check.waitForDone();
    EXPECT_FALSE(check.takeListing(dir.path()));
}
