// The page-button column on a started main window: captions, icons and
// hints, clicks and keys, and rebuilds that never reach a freed button.
#include "page_display_fixture.h"
#include "support/mouse_click.h"

#include "viewer/page_button_text.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace {

void key(QWidget* target, Qt::Key k) { pressKey(target, k); }
void press(QWidget* target, Qt::MouseButton button) { pressMouse(target, button); }

} // namespace

TEST_F(PageDisplayTest, ButtonsShowTitlesIconsAndHints)
{
    writePage("1000_a.html", "かえる");
    writePage("1010_b.html", "x");
    writePage("1020_c.html", "\"_frog.png\"かえる#いけ&lt;1&gt;?三ページ");
    writePage("1030_d.html", "\"q\"短い");
    writePage("1040_e.html", "\"missing.png\"長い");
    QImage icon(8, 8, QImage::Format_RGB888);
    icon.fill(Qt::green);
    icon.setPixelColor(0, 7, Qt::white); // the glyph's transparent colour
    ASSERT_TRUE(icon.save(rootFile("_frog.png"), "PNG"));
    TForm1& w = start();
    ASSERT_EQ(w.PageButtons.size(), 5);
    platform::BitBtn* third = w.PageButtons.at(2);
    EXPECT_EQ(third->caption(), viewer::PadButtonCaption(QStringLiteral("かえる"), 1) + "\n"
                                   + viewer::PadButtonCaption(QStringLiteral("いけ<1>"), 4));
    EXPECT_EQ(third->hint(), QStringLiteral("3 三ページ"));
    EXPECT_EQ(third->glyph().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(w.PageButtons.at(0)->hint(), QStringLiteral("1"));
    EXPECT_TRUE(w.PageButtons.at(0)->glyph().isNull());
    EXPECT_EQ(w.PageButtons.at(3)->glyph().toImage(), w.ImageList1.value(0).toImage());
    EXPECT_EQ(w.PageButtons.at(4)->glyph().toImage(), w.ImageList1.value(1).toImage());
    EXPECT_EQ(w.PageButtons.at(0)->fontColor(), QColor(Qt::blue)); // the current page stands out
    EXPECT_EQ(w.PageButtons.at(1)->fontColor(), QColor(Qt::black));
}

TEST_F(PageDisplayTest, ClickOnAButtonShowsItsPage)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start();
    press(w.PageButtons.at(1), Qt::LeftButton);
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_EQ(lastNavigation(), rootFile("b.html"));
    EXPECT_EQ(w.caption(), fileUrl(rootFile("b.html")));
    EXPECT_EQ(w.Panel7->caption(), QStringLiteral("2 / 2"));
}

TEST_F(PageDisplayTest, KeysWalkTheColumnAndEscapeShowsTheFirstPage)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    writePage("c.html", "c");
    TForm1& w = start();
    key(w.PageButtons.at(0), Qt::Key_Up); // nothing before the first
    EXPECT_EQ(w.PBan(), 0);
    key(w.PageButtons.at(0), Qt::Key_Tab);
    EXPECT_EQ(w.PBan(), 1); // focus selects, it does not show
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
    key(w.PageButtons.at(1), Qt::Key_Down);
    key(w.PageButtons.at(2), Qt::Key_Tab); // nothing after the last
    EXPECT_EQ(w.PBan(), 2);
    key(w.PageButtons.at(2), Qt::Key_Space);
    EXPECT_EQ(lastNavigation(), rootFile("c.html"));
    key(w.PageButtons.at(2), Qt::Key_Escape);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
}

TEST_F(PageDisplayTest, OldButtonsAfterARebuildActOnNothing)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start();
    QPointer<platform::BitBtn> old = w.PageButtons.at(1);
    const int navigations = browser()->navigated().size();
    w.ReMake();
    ASSERT_TRUE(old); // deleted later, never under a running handler
    EXPECT_FALSE(old->visible());
    key(old, Qt::Key_Space);
    key(old, Qt::Key_Tab);
    press(old, Qt::LeftButton);
    QFocusEvent focus(QEvent::FocusIn);
    QCoreApplication::sendEvent(old, &focus);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(browser()->navigated().size(), navigations);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(old);
    EXPECT_EQ(w.PageButtons.size(), 2);
}

TEST_F(PageDisplayTest, RefreshedButtonReadsTheEditedTitle)
{
    writePage("a.html", "a");
    TForm1& w = start();
    writePage("a.html", "\"q\"新しい?ヒント");
    w.RefreshPageButton(0);
    EXPECT_EQ(w.PageButtons.at(0)->caption(), viewer::PadButtonCaption(QStringLiteral("新しい"), 1));
    EXPECT_EQ(w.PageButtons.at(0)->hint(), QStringLiteral("1 ヒント"));
    EXPECT_FALSE(w.PageButtons.at(0)->glyph().isNull());
}

TEST_F(PageDisplayTest, ClickWhoseDisplayRebuildsTheColumnKeepsItsButtonAlive)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start();
    QFile::remove(rootFile("b.html"));
    QPointer<platform::BitBtn> clicked = w.PageButtons.at(1);
    press(clicked, Qt::LeftButton); // the page has gone: home rebuilds the column inside the click
    ASSERT_TRUE(clicked);
    EXPECT_EQ(w.PageButtons.size(), 1);
    EXPECT_FALSE(w.PageButtons.contains(clicked.data()));
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(clicked);
}
