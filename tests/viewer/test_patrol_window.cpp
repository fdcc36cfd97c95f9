// The patrol on a started main window: reloads of a changed page, the list
// rebuilt after a new file, the pause for videos and the button's states.
#include "page_display_fixture.h"

#include "viewer/folder_check.h"
#include "viewer/later_windows.h"

#include <QFile>
#include <QWidget>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// File times are set outright: the patrol compares them, not the clock.
const QDateTime kEarlier(QDate(2024, 4, 14), QTime(10, 0));

// A tick, then the folder listing it may have started, finished.
void tick(TForm1& w)
{
    w.Timer5Timer();
    viewer::pageFolderCheck(w).waitForDone();
}

// The folder's own time an hour back: a stamp read now proves what it says.
void settle(const QString& folder)
{
    timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
}

// Counts the openings of a folder itself (a listing opens it; looking up or
// opening a file in it by name does not).
class FolderOpenings {
public:
    explicit FolderOpenings(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK))
    {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~FolderOpenings() { ::close(fd_); }
    int count()
    {
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                if ((e->mask & IN_ISDIR) && e->len == 0)
                    ++count_;
                p += sizeof(inotify_event) + e->len;
            }
        }
        return count_;
    }

private:
    int fd_;
    int count_ = 0;
};

} // namespace

TEST_F(PageDisplayTest, IdleTicksNeitherListTheFolderNorLookForMemosInIt)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start(); // writes folders into the data root
    settle(root());
    tick(w); // the folder's time was set: listed once more
    FolderOpenings openings(root());
    tick(w);
    tick(w);
    EXPECT_EQ(openings.count(), 0);

    writePage("c.html", "c"); // the folder changed: listed, off the GUI thread
    tick(w);
    EXPECT_GT(openings.count(), 0);
    tick(w);
    EXPECT_EQ(w.PageButtons.size(), 3);
    settle(root());
    tick(w); // the listing just made came too soon after the change to prove it
    tick(w);
    const int settled = openings.count();
    tick(w);
    tick(w);
    EXPECT_EQ(openings.count(), settled);
}

TEST_F(PageDisplayTest, ChangedPageIsReloadedInPlace)
{
    writePage("a.html", "a");
    setModified(rootFile("a.html"), kEarlier);
    TForm1& w = start();
    EXPECT_TRUE(w.PatrolDateText.startsWith(QStringLiteral("更新日 ")));
    EXPECT_EQ(w.Label3->caption(), QStringLiteral("a.html"));
    w.Timer5Timer();
    EXPECT_EQ(count("refresh"), 0); // unchanged
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回中"));
    EXPECT_EQ(w.Timer5->interval(), 6000);
    EXPECT_TRUE(w.Timer5->enabled());

    setModified(rootFile("a.html"), kEarlier.addSecs(100));
    w.Timer5->fire(); // the tick as the timer runs it
    EXPECT_EQ(count("refresh"), 1);
    w.Timer5Timer();
    EXPECT_EQ(count("refresh"), 1);
}

TEST_F(PageDisplayTest, ChangedDocumentIsShownAgain)
{
    writeFile(rootFile("a.pdf"));
    setModified(rootFile("a.pdf"), kEarlier);
    TForm1& w = start();
    const int shown = browser()->navigated().size();
    setModified(rootFile("a.pdf"), kEarlier.addSecs(100));
    w.Timer5Timer();
    EXPECT_EQ(browser()->navigated().size(), shown + 1);
    EXPECT_EQ(count("refresh"), 0);
}

TEST_F(PageDisplayTest, NewFileRebuildsTheListAndKeepsThePageByName)
{
    writePage("1000_a.html", "a");
    writePage("1010_b.html", "b");
    TForm1& w = start();
    showPage(w, 1);
    writePage("1005_new.html", "new");
    tick(w); // reads the new count at its end
    EXPECT_EQ(w.PageButtons.size(), 2);
    tick(w);
    EXPECT_EQ(w.PageButtons.size(), 3);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("1010_b.html"));
    EXPECT_EQ(lastNavigation(), rootFile("1010_b.html"));
}

TEST_F(PageDisplayTest, NewFileKeepsTheShownPageByItsEntryNotByANameStem)
{
    writePage("0005_b_a.html", "b");
    writePage("a.html", "a");
    TForm1& w = start();
    showPage(w, 1);
    writePage("0001_c.html", "c"); // sorts first: every page moves down one
    tick(w);
    tick(w);
    ASSERT_EQ(w.PageButtons.size(), 3);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("a.html"));
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));

    // The first page, too, stays the one shown.
    showPage(w, 0);
    writePage("0000_d.html", "d");
    tick(w);
    tick(w);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("0001_c.html"));
    EXPECT_EQ(lastNavigation(), rootFile("0001_c.html"));
}

TEST_F(PageDisplayTest, VideoPausesThePatrolUntilAnotherEntry)
{
    writeFile(rootFile("a.mp4"));
    writePage("b.html", "b");
    TForm1& w = start();
    EXPECT_EQ(w.VideoCount, 1);
    EXPECT_EQ(w.Label6->caption(), QStringLiteral("左クリックで動画を再生"));
    w.Timer5Timer();
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("一時休止"));
    EXPECT_FALSE(w.Timer5->enabled());
    showPage(w, 1);
    EXPECT_EQ(w.VideoCount, 0);
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(PageDisplayTest, PatrolButtonSwitchesAndMissingFilePauses)
{
    writePage("a.html", "a");
    TForm1& w = start();
    w.SpeedButton12->click();
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回停止"));
    EXPECT_FALSE(w.Timer5->enabled());
    w.SpeedButton12->click();
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回開始"));
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_EQ(w.ShowFileStatus(rootFile("gone.html"), QStringLiteral("prev")), QStringLiteral("prev"));
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("一時休止"));
}

TEST_F(PageDisplayTest, MemoWindowFollowsTheMemoOfTheShownPage)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    writeFile(rootFile("B.%XT"), "memo"); // written on Windows: letter case not kept
    QWidget memoWindow(nullptr, Qt::Window);
    laterwindows::hooks().memoWindow = &memoWindow;
    QWidget* Form12 = &memoWindow;
    TForm1& w = start();
    EXPECT_EQ(w.MemoAvailable, 1);
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));

    Form12->show();
    w.Tag = 2; // a blank memo is being written: the tick leaves the window up
    w.Timer5Timer();
    EXPECT_TRUE(Form12->isVisible());

    showPage(w, 1);
    EXPECT_TRUE(Form12->windowTitle().startsWith(QStringLiteral(" ")));
    EXPECT_TRUE(Form12->windowTitle().endsWith(QStringLiteral("秒")));

    w.Tag = 1;
    showPage(w, 0);
    EXPECT_EQ(Form12->windowTitle(), QStringLiteral("白紙"));
    EXPECT_FALSE(Form12->isVisible());
    laterwindows::hooks().memoWindow = nullptr;
}
