// The page-button column over a folder of many pages: buttons are made only
// for the rows in view and a margin, the scroll range covers every row, and
// a row scrolled into view shows and does what its page's button does.
#include "page_display_fixture.h"
#include "support/mouse_click.h"

#include "viewer/later_windows.h"
#include "viewer/page_button_text.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kPages = 1000;

QString pageName(int i) { return QStringLiteral("%1_p.html").arg(100000 + i); }

void key(QWidget* target, Qt::Key k) { pressKey(target, k); }
void press(QWidget* target, Qt::MouseButton button) { pressMouse(target, button); }

// The page buttons that exist, shown or kept for reuse.
int buttonWidgets(const TForm1& w)
{
    return int(w.ScrollBox1->content()->findChildren<platform::BitBtn*>(QString(), Qt::FindDirectChildrenOnly).size());
}

int madeRows(const TForm1& w)
{
    return int(std::count_if(w.PageButtons.cbegin(), w.PageButtons.cend(), [](auto* b) { return b != nullptr; }));
}

class ManyPagesTest : public PageDisplayTest {
protected:
    TForm1& startWithManyPages()
    {
        for (int i = 0; i < kPages; ++i)
            writePage(pageName(i), QStringLiteral("ページ%1?ヒント%1").arg(i));
        TForm1& w = start();
        w.show();
        QCoreApplication::processEvents();
        return w;
    }
    static void scrollTo(TForm1& w, int value)
    {
        w.ScrollBox1->setVertScrollPos(value);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(ManyPagesTest, OnlyTheRowsAroundTheViewHaveButtonsButTheRangeCoversAll)
{
    TForm1& w = startWithManyPages();
    ASSERT_EQ(w.PageButtons.size(), kPages);
    EXPECT_LT(madeRows(w), 200);
    EXPECT_EQ(buttonWidgets(w), madeRows(w));
    EXPECT_GE(w.ScrollBox1->content()->height(), kPages * viewer::kMinButtonRowHeight - 1);
    ASSERT_TRUE(w.PageButtons.at(0));
    EXPECT_EQ(w.PageButtons.at(0)->fontColor(), QColor(Qt::blue));
    EXPECT_FALSE(w.PageButtons.at(kPages - 1));
}

TEST_F(ManyPagesTest, ARowScrolledIntoViewShowsItsPageAndButtonsAreReused)
{
    TForm1& w = startWithManyPages();
    const int before = buttonWidgets(w);
    scrollTo(w, w.ScrollBox1->scrollArea()->verticalScrollBar()->maximum());
    platform::BitBtn* last = w.PageButtons.at(kPages - 1);
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->visible());
    EXPECT_EQ(last->top(), (kPages - 1) * viewer::kMinButtonRowHeight);
    EXPECT_EQ(last->caption(), viewer::PadButtonCaption(QStringLiteral("ページ999"), 1));
    EXPECT_EQ(last->hint(), QStringLiteral("1000 ヒント999"));
    EXPECT_EQ(last->fontColor(), QColor(Qt::black));
    ASSERT_TRUE(w.PageButtons.at(0)) << "the current page keeps its button";
    EXPECT_FALSE(w.PageButtons.at(kPages / 2));
    EXPECT_LE(buttonWidgets(w), before + 2) << "rows that left the view lent their buttons";
    EXPECT_LT(madeRows(w), 200);
}

TEST_F(ManyPagesTest, ScrolledInRowsTakeClicksRightClicksAndKeys)
{
    TForm1& w = startWithManyPages();
    scrollTo(w, w.ScrollBox1->scrollArea()->verticalScrollBar()->maximum());
    press(w.PageButtons.at(kPages - 1), Qt::LeftButton);
    EXPECT_EQ(w.PBan(), kPages - 1);
    EXPECT_EQ(lastNavigation(), rootFile(pageName(kPages - 1)));
    EXPECT_EQ(w.PageButtons.at(kPages - 1)->fontColor(), QColor(Qt::blue));

    press(w.PageButtons.at(kPages - 2), Qt::RightButton); // selects the page for its menu
    EXPECT_EQ(w.PBan(), kPages - 2);
    ASSERT_TRUE(w.PageButtons.at(kPages - 2));
    w.PageMenu->close();

    key(w.PageButtons.at(kPages - 2), Qt::Key_Escape); // back to the first page, far out of view
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(lastNavigation(), rootFile(pageName(0)));
    ASSERT_TRUE(w.PageButtons.at(0));
    EXPECT_EQ(w.PageButtons.at(0)->caption(), viewer::PadButtonCaption(QStringLiteral("ページ0"), 1));
}

TEST_F(ManyPagesTest, TabPastTheLastMadeRowMakesTheNext)
{
    TForm1& w = startWithManyPages();
    int edge = 0;
    while (edge + 1 < kPages && w.PageButtons.at(edge + 1))
        ++edge;
    ASSERT_LT(edge, kPages - 1);
    key(w.PageButtons.at(edge), Qt::Key_Tab);
    EXPECT_EQ(w.PBan(), edge + 1);
    ASSERT_TRUE(w.PageButtons.at(edge + 1));
    EXPECT_EQ(w.PageButtons.at(edge + 1)->hint(), QStringLiteral("%1 ヒント%2").arg(edge + 2).arg(edge + 1));
}

TEST_F(ManyPagesTest, AButtonIsRaisedOnceItsPressEndedAlsoWhenReused)
{
    laterwindows::hooks().buildPageMenu = [](TForm1& form) { form.PageMenu->add("Item1", QStringLiteral("項目")); };
    TForm1& w = startWithManyPages();
    platform::BitBtn* menuButton = w.PageButtons.at(3);
    ASSERT_TRUE(menuButton);
    press(menuButton, Qt::RightButton); // the page menu takes the release
    laterwindows::hooks().buildPageMenu = nullptr;
    ASSERT_EQ(w.PageMenu->popupCount(), 1);
    w.PageMenu->close();
    EXPECT_FALSE(menuButton->isPressed());

    clickMouse(w.PageButtons.at(5));
    EXPECT_EQ(w.PBan(), 5);
    EXPECT_FALSE(menuButton->isPressed());

    // Scrolled out of view, the button is lent to a row coming into it.
    scrollTo(w, w.ScrollBox1->scrollArea()->verticalScrollBar()->maximum());
    EXPECT_FALSE(w.PageButtons.at(3));
    const auto lent = std::find(w.PageButtons.cbegin(), w.PageButtons.cend(), menuButton);
    ASSERT_NE(lent, w.PageButtons.cend());
    EXPECT_GT(lent - w.PageButtons.cbegin(), 3);
    EXPECT_FALSE(menuButton->isPressed());
}

TEST_F(ManyPagesTest, ButtonsAreAsWideAsTheColumnBesideItsScrollBar)
{
    TForm1& w = startWithManyPages();
    const QScrollArea* area = w.ScrollBox1->scrollArea();
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    const int column = area->viewport()->width();
    const auto expectFullWidth = [&](const char* when) {
        for (int i = 0; i < w.PageButtons.size(); ++i) {
            const platform::BitBtn* b = w.PageButtons.at(i);
            if (b && i != w.PBan()) {
                ASSERT_EQ(b->width(), column - 2 * w.ButtonMargin) << when << " row " << i;
            }
        }
    };
    expectFullWidth("fresh");
    scrollTo(w, w.ScrollBox1->scrollArea()->verticalScrollBar()->maximum() / 2);
    expectFullWidth("scrolled");
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
}
