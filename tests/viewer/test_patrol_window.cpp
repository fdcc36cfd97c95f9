// The patrol on a started main window: reloads of a changed page, the list
// rebuilt after a new file, the pause for videos and the button's states.
#include "page_display_fixture.h"

#include "viewer/later_windows.h"

#include <QWidget>

namespace {

// File times are set outright: the patrol compares them, not the clock.
const QDateTime kEarlier(QDate(2024, 4, 14), QTime(10, 0));

} // namespace

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
    w.Timer5Timer(); // reads the new count at its end
    EXPECT_EQ(w.PageButtons.size(), 2);
    w.Timer5Timer();
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
    w.Timer5Timer();
    w.Timer5Timer();
    ASSERT_EQ(w.PageButtons.size(), 3);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("a.html"));
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));

    // The first page, too, stays the one shown.
    showPage(w, 0);
    writePage("0000_d.html", "d");
    w.Timer5Timer();
    w.Timer5Timer();
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
