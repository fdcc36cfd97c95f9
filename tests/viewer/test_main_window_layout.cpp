// The main window's fixed arrangement: bar spacing, the two pane toggles, the
// centring of the whole and the File menu.
#include "viewer/main_window_fixture.h"

#include "viewer/forms/form1.h"
#include "support/fake_browser.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QUrl>

namespace {

int rightEdge(const platform::Control* c) { return c->left() + c->width(); }

} // namespace

TEST_F(MainWindowTest, StartArrangementSpacesBarButtons35Then15)
{
    TForm1& w = make();
    w.ArrangeToolbar();
    EXPECT_EQ(w.SpeedButton2->left(), w.SpeedButton11->width() + 6);
    EXPECT_EQ(w.SpeedButton9->left(), w.SpeedButton2->left());
    EXPECT_EQ(w.SpeedButton13->left(), rightEdge(w.SpeedButton9) + 35);
    EXPECT_EQ(w.SpeedButton5->left(), rightEdge(w.SpeedButton13) + 15);
    EXPECT_EQ(w.SpeedButton14->left(), rightEdge(w.SpeedButton5) + 15);
    EXPECT_EQ(w.SpeedButton3->left(), rightEdge(w.SpeedButton14) + 15);
    EXPECT_EQ(w.SpeedButton4->left(), rightEdge(w.SpeedButton3) + 15);
    EXPECT_EQ(w.kabeRight->width(), form1::kColumnWidth);
    EXPECT_EQ(w.kabeRight->align(), platform::Align::Right);
    EXPECT_TRUE(w.SpeedButton6->visible());
    EXPECT_FALSE(w.SpeedButton10->visible());
    EXPECT_EQ(w.SpeedButton6->left(), w.kabedown->width() - 90);
    EXPECT_EQ(w.HighlightCurrent, 1);
}

TEST_F(MainWindowTest, FolderPaneToggleOpensThenClosesWithWiderGaps)
{
    TForm1& w = make();
    w.ArrangeToolbar();
    const int copyFolderButton = w.SpeedButton14->left();
    w.Panel11MouseEnter(); // open
    EXPECT_EQ(w.hyoushi->width(), form1::kFolderPaneWidth);
    EXPECT_TRUE(w.SpeedButton9->visible());
    EXPECT_FALSE(w.SpeedButton2->visible());
    w.Panel11MouseEnter(); // close
    EXPECT_EQ(w.hyoushi->width(), 0);
    EXPECT_FALSE(w.SpeedButton9->visible());
    EXPECT_TRUE(w.SpeedButton2->visible());
    EXPECT_EQ(w.SpeedButton13->left(), rightEdge(w.SpeedButton9) + 50);
    EXPECT_EQ(w.SpeedButton5->left(), rightEdge(w.SpeedButton13) + 30);
    EXPECT_EQ(w.SpeedButton14->left(), rightEdge(w.SpeedButton5) + 30);
    EXPECT_EQ(w.SpeedButton3->left(), rightEdge(w.SpeedButton14) + 30);
    EXPECT_EQ(w.SpeedButton4->left(), rightEdge(w.SpeedButton3) + 30);
    EXPECT_GT(w.SpeedButton14->left(), copyFolderButton);
    // No bottom-bar button lies over another.
    const QList<platform::Control*> bar{w.SpeedButton11, w.SpeedButton2, w.SpeedButton9, w.SpeedButton13,
                                        w.SpeedButton5,  w.SpeedButton14, w.SpeedButton3, w.SpeedButton4};
    for (platform::Control* a : bar)
        for (platform::Control* b : bar)
            if (a != b && a->visible() && b->visible())
                EXPECT_FALSE(a->geometry().intersects(b->geometry())) << a->objectName().toStdString() << " "
                                                                       << b->objectName().toStdString();
    EXPECT_EQ(w.SpeedButton6->left(), w.kabeBASE->width() - 90);
    EXPECT_EQ(w.SpeedButton7->left(), rightEdge(w.SpeedButton6) + 4);
}

TEST_F(MainWindowTest, ClosedColumnKeepsOnePixelOutsideAndTagOne)
{
    TForm1& w = make();
    w.ArrangeToolbar();
    w.Panel12MouseEnter(); // close
    EXPECT_EQ(w.kabeRight->width(), 1);
    EXPECT_EQ(w.kabeRight->tag(), 1);
    EXPECT_EQ(w.kabeRight->align(), platform::Align::None);
    EXPECT_EQ(w.kabeRight->left(), w.kabeBASE->width());
    EXPECT_EQ(w.SpeedButton7->tag(), 1);
    EXPECT_FALSE(w.SpeedButton6->visible());
    EXPECT_TRUE(w.SpeedButton10->visible());
    // The page area takes the freed width.
    EXPECT_EQ(w.kabe->width(), w.kabeBASE->width() - w.hyoushi->width());

    w.Panel12MouseEnter(); // open again
    EXPECT_EQ(w.kabeRight->width(), form1::kColumnWidth);
    EXPECT_EQ(w.kabeRight->tag(), 0);
    EXPECT_EQ(w.kabeRight->align(), platform::Align::Right);
    EXPECT_EQ(w.kabeRight->left(), w.kabeBASE->width() - form1::kColumnWidth);
    EXPECT_EQ(w.SpeedButton7->tag(), 0);
    EXPECT_EQ(w.SpeedButton7->left(), rightEdge(w.SpeedButton6) + 4);
}

TEST_F(MainWindowTest, NarrowWindowGivesNegativeLeftButFolderPaneResizeGivesZero)
{
    TForm1& w = make();
    w.resize(800, 600);
    w.FormResize();
    EXPECT_EQ(w.kabeBASE->left(), (800 - form1::kBaseWidth) / 2);
    EXPECT_LT(w.kabeBASE->left(), 0);
    EXPECT_EQ(w.kabeBASE->top(), (600 - form1::kBaseHeight) / 2);
    w.hyoushiResize();
    EXPECT_EQ(w.kabeBASE->left(), 0);

    w.resize(1400, 800);
    w.hyoushiResize();
    EXPECT_EQ(w.kabeBASE->left(), (1400 - form1::kBaseWidth) / 2);
}

TEST_F(MainWindowTest, BottomBarCentresFolderNameAndCounter)
{
    TForm1& w = make();
    w.kabedownResize();
    const int base = w.kabeBASE->width();
    EXPECT_EQ(w.Image6->left(), (base - w.Panel8->width() - w.Panel7->width()) / 2 - w.Image6->width() - 5);
    EXPECT_EQ(w.Panel8->left(), rightEdge(w.Image6));
    EXPECT_EQ(w.Panel7->left(), rightEdge(w.Panel8));
    EXPECT_EQ(w.Image7->left(), rightEdge(w.Panel7));
    EXPECT_EQ(w.Image10->left(), rightEdge(w.Image7));
    EXPECT_EQ(w.SpeedButton20->left(), rightEdge(w.Image10) + 50);
    EXPECT_EQ(w.SpeedButton19->left(), w.SpeedButton8->left());
    EXPECT_EQ(w.BitBtn1->left(),
              base - w.BitBtn1->width() - w.kabeRight->width() - w.hyoushi->width() - 12);
}

TEST_F(MainWindowTest, DrawingLayoutPutsBrowserBorderOutsideAndClosesLowerPane)
{
    TForm1& w = make();
    w.FindInLowerBrowser(QStringLiteral("_"), false); // opens the pane at 3/10
    const int pane = w.LowerPaneHeight;
    ASSERT_GT(pane, 0);
    w.kabeRightResize();
    EXPECT_EQ(w.kabeKR->height(), pane);
    EXPECT_EQ(w.kabeKR->top(), w.kabeBrowser->height() - pane);
    EXPECT_EQ(w.browserBounds(w.WebBrowser2), QRect(-2, -2, w.Panel9->width() + 24, w.Panel9->height() + 24));

    w.SetDrawingLayout(1);
    EXPECT_EQ(w.DrawingMode, 1);
    EXPECT_TRUE(w.Image1->visible());
    EXPECT_TRUE(w.SpeedButton22->visible());
    EXPECT_EQ(w.kabeKR->height(), 0);
    EXPECT_EQ(w.browserBounds(w.WebBrowser1),
              QRect(-2, w.kabeBrowser->top() - 2, w.kabeBrowser->width() + 4, w.kabeBrowser->height() + 4));
    EXPECT_EQ(w.browserBounds(w.WebBrowser3).height(), 0);
    w.SetDrawingLayout(0);
    EXPECT_FALSE(w.Image1->visible());
}

TEST_F(MainWindowTest, FileMenuHidesCreateAboveInEmptyFolder)
{
    QDir().mkpath(root());
    TForm1& w = make();
    w.OpenFolder(root(), 0, true);
    w.prepareFileMenu();
    EXPECT_FALSE(w.N8->visible());
    EXPECT_TRUE(w.N9->visible());
    EXPECT_EQ(w.N1->caption(), QStringLiteral("今のフォルダ「Pagora.data]"));

    writeFile(files::joinPath(root(), QStringLiteral("1000_a.html")));
    w.OpenFolder(root(), 0, false);
    w.prepareFileMenu();
    EXPECT_TRUE(w.N8->visible());
}

TEST_F(MainWindowTest, FileMenuPopsUpNearBottomLeftOfWindow)
{
    TForm1& w = make();
    w.SpeedButton11Click();
    EXPECT_EQ(w.PopupMenu2->popupCount(), 1);
    EXPECT_EQ(w.PopupMenu2->lastPopupPoint(),
              QPoint(w.x() + w.kabeBASE->left() + 10, w.y() + w.height() - 230));
    w.PopupMenu2->close();
}

TEST_F(MainWindowTest, RightButtonFlagFollowsThePress)
{
    TForm1& w = make();
    w.Panel1MouseDown(true);
    EXPECT_TRUE(w.RightClickFlag);
    w.Panel1MouseDown(false);
    EXPECT_FALSE(w.RightClickFlag);
}

TEST_F(MainWindowTest, RefreshShowsListPageAgainButRefreshesAFollowedLink)
{
    writeFile(files::joinPath(root(), QStringLiteral("1000_a.html")));
    TForm1& w = make();
    w.FormShow();
    auto* view = qobject_cast<platform::FakeBrowser*>(w.WebBrowser1);
    ASSERT_NE(view, nullptr);
    const QString page = QUrl::fromLocalFile(files::joinPath(root(), QStringLiteral("1000_a.html"))).toString();
    ASSERT_EQ(w.caption(), page);

    view->calls.clear();
    w.Image10Click(); // the list's current page: shown again through page display
    ASSERT_FALSE(view->calls.isEmpty());
    EXPECT_EQ(view->calls.last().kind, QStringLiteral("navigate"));

    w.setCaption(QStringLiteral("https://example.org/x.html"));
    view->calls.clear();
    w.Image10Click(); // some other page: the view reloads it
    ASSERT_EQ(view->calls.size(), 1);
    EXPECT_EQ(view->calls.first().kind, QStringLiteral("refresh"));
}

namespace {
void clickWith(QWidget* w, Qt::MouseButton button)
{
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}
} // namespace

TEST_F(MainWindowTest, ARightClickDoesNothingOnButtonsWithOneAction)
{
    TForm1& w = make();
    w.ArrangeToolbar();
    clickWith(w.SpeedButton11, Qt::RightButton); // ファイル
    EXPECT_EQ(w.PopupMenu2->popupCount(), 0);
    clickWith(w.SpeedButton2, Qt::RightButton); // フォルダ
    EXPECT_EQ(w.hyoushi->width(), 0);
    const int column = w.kabeRight->width();
    clickWith(w.SpeedButton6, Qt::RightButton); // ボタンを閉じる
    EXPECT_EQ(w.kabeRight->width(), column);

    clickWith(w.SpeedButton11, Qt::LeftButton);
    EXPECT_EQ(w.PopupMenu2->popupCount(), 1);
    w.PopupMenu2->close();
    clickWith(w.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(w.hyoushi->width(), form1::kFolderPaneWidth);
}
