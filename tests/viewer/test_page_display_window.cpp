// Page display on a started main window: the first page of the data root, the
// views by file type, the placeholder page and the way home when a page is gone.
#include "page_display_fixture.h"

#include "store/templates.h"

#include <QImage>

TEST_F(PageDisplayTest, FirstPageOfTheDataRootIsShownWithItsFileUrl)
{
    writePage("1000_a.html", "かえる");
    writePage("1010_b.html", "いけ");
    TForm1& w = start();
    EXPECT_EQ(lastNavigation(), rootFile("1000_a.html"));
    EXPECT_EQ(w.caption(), fileUrl(rootFile("1000_a.html")));
    EXPECT_EQ(w.Panel7->caption(), QStringLiteral("1 / 2"));
    EXPECT_EQ(w.Panel8->caption(), QStringLiteral("Pagora.data"));
    EXPECT_TRUE(w.SpeedButton16->visible()); // ".html" offers posting
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回開始"));
    EXPECT_EQ(w.SpeedButton14->hint(), QStringLiteral(" デスクトップの【Pagora】を開く"));
    EXPECT_EQ(w.SpeedButton5->hint(), QStringLiteral("1000_a.html をデスクトップの【Pagora】の中にコピー"));
}

TEST_F(PageDisplayTest, EmptyFolderShowsNoPageAndRunsThePatrolAgain)
{
    QDir().mkpath(root());
    TForm1& w = start();
    const QString placeholder = rootFile(store::kPlaceholderPageName);
    EXPECT_EQ(lastNavigation(), placeholder);
    EXPECT_TRUE(files::readUtf8(placeholder).value_or(QString()).contains("*** NO PAGE ***"));
    EXPECT_EQ(w.caption(), QString());
    EXPECT_EQ(w.Panel7->caption(), QStringLiteral("0 / 0"));
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(PageDisplayTest, SelectionBeyondTheLastPageGoesBackToTheFirst)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start();
    showPage(w, 7);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
}

TEST_F(PageDisplayTest, WebAddressesAreShownAsWebPagesInAnyCase)
{
    writePage("a.html", "a");
    TForm1& w = start();
    w.levels.pushLevel({"HTTP://example.com/A", "https://example.com/b"}, {"A", "b"}, 0);
    w.PageClick(0, true);
    EXPECT_EQ(lastNavigation(), QStringLiteral("HTTP://example.com/A"));
    EXPECT_EQ(w.caption(), QStringLiteral("HTTP://example.com/A"));
    showPage(w, 1);
    EXPECT_EQ(lastNavigation(), QStringLiteral("https://example.com/b"));
    EXPECT_EQ(w.levels.depth(), 2); // not looked up as a file, so no way home
}

TEST_F(PageDisplayTest, ViewByExtension)
{
    writePage("a.htm", "a");
    writeFile(rootFile("b.mp4"));
    QImage picture(4, 2, QImage::Format_RGB888);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(rootFile("c.PNG"), "PNG"));
    TForm1& w = start();
    EXPECT_FALSE(w.SpeedButton16->visible()); // ".htm" shows without posting

    showPage(w, 1);
    EXPECT_TRUE(w.Panel1->visible());
    EXPECT_EQ(w.Label1->caption(), rootFile("b.mp4"));
    EXPECT_EQ(w.caption(), fileUrl(rootFile("b.mp4")));

    showPage(w, 2);
    EXPECT_FALSE(w.Panel1->visible());
    EXPECT_TRUE(w.Panel10->visible());
    EXPECT_EQ(w.ViewerImagePath, rootFile("c.PNG"));
    const int PW = w.Panel10->width();
    ASSERT_GT(PW, 5);
    EXPECT_EQ(w.Image11->picture().width(), PW);
    EXPECT_EQ(w.Image11->picture().height(), 2 * PW / 4);
    EXPECT_EQ(w.Image11->width(), PW - 5);
}

TEST_F(PageDisplayTest, MissingPageGoesHome)
{
    writePage("a.html", "a");
    QDir().mkpath(rootFile("sub"));
    TForm1& w = start();
    w.levels.pushLevel({"gone.html"}, {"gone"}, 0);
    w.PageClick(0, true);
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
}

TEST_F(PageDisplayTest, HomeWhosePageCannotBeShownEndsInThePlaceholder)
{
    // Listed, but its "\\" reads as a folder separator, so the page is never found.
    writePage("a\\b.html", "ab");
    TForm1& w = start();
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(lastNavigation(), rootFile(store::kPlaceholderPageName));
    EXPECT_EQ(w.caption(), QString());
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(PageDisplayTest, ContextMenuWithoutItemsShowsThePlaceholder)
{
    writePage("a.html", "a");
    TForm1& w = start();
    platform::MouseArgs right;
    right.button = Qt::RightButton;
    right.rightHeld = true;
    w.PageButtonMouseDown(0, w.PageButtonGeneration, right);
    EXPECT_EQ(lastNavigation(), rootFile(store::kPlaceholderPageName));
    EXPECT_EQ(w.HighlightCurrent, 1);
}

TEST_F(PageDisplayTest, TheCounterShowsEveryCountWhole)
{
    writePage("p.html", "p");
    TForm1& w = start();
    QStringList entries;
    for (int i = 0; i < 99999; ++i)
        entries << QStringLiteral("%1_x.html").arg(i);
    entries << QStringLiteral("p.html");
    w.levels.pushLevel(entries, {}, 99999);
    w.ReMake();
    w.PageClick(0, true);
    ASSERT_EQ(lastNavigation(), rootFile("p.html"));
    const QString counter = w.Panel7->caption();
    EXPECT_EQ(counter, QStringLiteral("100000 / 100000"));
    EXPECT_GE(w.Panel7->width(), QFontMetrics(w.Panel7->font()).horizontalAdvance(counter) + 4);
    EXPECT_LE(w.Panel8->left() + w.Panel8->width(), w.Panel7->left());
    EXPECT_LE(w.Panel7->left() + w.Panel7->width(), w.Image7->left());

    w.PopLevel();
    w.PageClick(0, true);
    EXPECT_EQ(w.Panel7->caption(), QStringLiteral("1 / 1"));
    EXPECT_EQ(w.Panel7->width(), 60); // back to its own width
}
