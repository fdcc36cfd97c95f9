// The main window's arrangement as a person sees it: the bar's buttons in
// order without overlapping, the two pane toggles and what toggling twice
// restores, the centring of the whole and the File menu.
#include "viewer/main_window_fixture.h"

#include "viewer/forms/form1.h"
#include "support/fake_browser.h"
#include "support/mouse_click.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QUrl>
#include <cstdlib>

namespace {

int rightEdge(const platform::Control* c) { return c->left() + c->width(); }

// The bar's buttons from left to right, as a person reads them.
QList<platform::Control*> barButtons(const TForm1& w)
{
    return {w.SpeedButton11, w.SpeedButton2, w.SpeedButton9, w.SpeedButton13,
            w.SpeedButton5,  w.SpeedButton14, w.SpeedButton3, w.SpeedButton4};
}

// No shown control of the bar, button, arrow, picture or panel, lies under
// another: a click anywhere on one reaches that one.
void expectNoControlUnderAnother(const TForm1& w)
{
    QList<const platform::Control*> shown;
    for (QObject* o : w.kabedown->children()) {
        const auto* c = qobject_cast<const platform::Control*>(o);
        if (c && c->visible() && c->width() > 0 && c->height() > 0)
            shown.append(c);
    }
    ASSERT_GE(shown.size(), 15);
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->objectName().toStdString() << " and " << shown[j]->objectName().toStdString()
                << " overlap";
        }
    }
}

// The visible ones keep their order, none lies over the next, all lie in the
// bar, and no control of the bar lies under another.
void expectInOrderWithoutOverlap(const TForm1& w)
{
    expectNoControlUnderAnother(w);
    const platform::Control* previous = nullptr;
    for (const platform::Control* b : barButtons(w)) {
        if (!b->visible())
            continue;
        EXPECT_GE(b->left(), 0) << b->objectName().toStdString();
        EXPECT_LE(rightEdge(b), w.kabedown->width()) << b->objectName().toStdString();
        if (previous) {
            EXPECT_LE(rightEdge(previous), b->left())
                << previous->objectName().toStdString() << " runs into " << b->objectName().toStdString();
        }
        previous = b;
    }
    // The column toggle sits at the bar's right end, after them.
    const platform::Control* toggle = w.SpeedButton6->visible() ? w.SpeedButton6 : w.SpeedButton10;
    EXPECT_LE(rightEdge(previous), toggle->left());
    EXPECT_LE(rightEdge(toggle), w.kabeBASE->width());
}

// Once a pane toggle has placed it, the memo button follows the column toggle.
void expectMemoButtonAfterToggle(const TForm1& w)
{
    EXPECT_LE(rightEdge(w.SpeedButton6), w.SpeedButton7->left());
    EXPECT_LE(rightEdge(w.SpeedButton7), w.kabeBASE->width());
}

// What a pane toggle changes, as text, to compare before and after.
QStringList arrangement(const TForm1& w)
{
    QStringList out;
    const QList<const platform::Control*> watched{w.hyoushi,      w.kabe,         w.kabeRight,
                                                  w.kabeBrowser,  w.SpeedButton2, w.SpeedButton9,
                                                  w.SpeedButton6, w.SpeedButton10, w.SpeedButton7};
    for (const platform::Control* c : watched) {
        const QRect r = c->geometry();
        out << QStringLiteral("%1 %2,%3 %4x%5 visible=%6 tag=%7 align=%8")
                   .arg(c->objectName())
                   .arg(r.x())
                   .arg(r.y())
                   .arg(r.width())
                   .arg(r.height())
                   .arg(c->visible())
                   .arg(c->tag())
                   .arg(int(c->align()));
    }
    return out;
}

} // namespace

TEST_F(MainWindowTest, AtStartTheBarButtonsKeepTheirOrderWithoutOverlapping)
{
    TForm1& w = make();
    w.kabedownResize(); // the bar as the first sizing lays it out
    w.ArrangeToolbar();
    expectInOrderWithoutOverlap(w);
    EXPECT_EQ(w.kabeRight->align(), platform::Align::Right);
    EXPECT_TRUE(w.SpeedButton6->visible());
    EXPECT_FALSE(w.SpeedButton10->visible());
    EXPECT_EQ(w.HighlightCurrent, 1);
}

TEST_F(MainWindowTest, FolderPaneToggleOpensThenClosesWithWiderGaps)
{
    TForm1& w = make();
    w.kabedownResize(); // the bar as the first sizing lays it out
    w.ArrangeToolbar();
    const int startGap = w.SpeedButton13->left() - rightEdge(w.SpeedButton9);
    const int copyFolderButton = w.SpeedButton14->left();
    w.Panel11MouseEnter(); // open
    EXPECT_GT(w.hyoushi->width(), 0);
    EXPECT_TRUE(w.SpeedButton9->visible());
    EXPECT_FALSE(w.SpeedButton2->visible());
    expectInOrderWithoutOverlap(w);
    w.Panel11MouseEnter(); // close
    EXPECT_EQ(w.hyoushi->width(), 0);
    EXPECT_FALSE(w.SpeedButton9->visible());
    EXPECT_TRUE(w.SpeedButton2->visible());
    EXPECT_GT(w.SpeedButton13->left() - rightEdge(w.SpeedButton9), startGap);
    EXPECT_GT(w.SpeedButton14->left(), copyFolderButton);
    expectInOrderWithoutOverlap(w);
    expectMemoButtonAfterToggle(w);
}

TEST_F(MainWindowTest, TogglingEitherPaneTwiceRestoresTheLayout)
{
    TForm1& w = make();
    w.kabedownResize(); // the bar as the first sizing lays it out
    w.ArrangeToolbar();
    w.Panel11MouseEnter(); // bar gaps are widened once the folder pane has been used
    w.Panel11MouseEnter();
    const QStringList before = arrangement(w);
    w.Panel11MouseEnter();
    w.Panel11MouseEnter();
    EXPECT_EQ(arrangement(w), before);
    w.Panel12MouseEnter();
    EXPECT_NE(arrangement(w), before);
    w.Panel12MouseEnter();
    EXPECT_EQ(arrangement(w), before);
    expectInOrderWithoutOverlap(w);
    expectMemoButtonAfterToggle(w);
}

TEST_F(MainWindowTest, ClosedColumnKeepsOnePixelOutsideAndTagOne)
{
    TForm1& w = make();
    w.kabedownResize(); // the bar as the first sizing lays it out
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
    expectInOrderWithoutOverlap(w);
}

TEST_F(MainWindowTest, NarrowWindowGivesNegativeLeftButFolderPaneResizeGivesZero)
{
    TForm1& w = make();
    // The fixed-size base stays centred, also when it does not fit.
    auto expectCentred = [&](int width, int height) {
        EXPECT_LE(std::abs(width - rightEdge(w.kabeBASE) - w.kabeBASE->left()), 1);
        EXPECT_LE(std::abs(height - (w.kabeBASE->top() + w.kabeBASE->height()) - w.kabeBASE->top()), 1);
    };
    w.resize(800, 600);
    w.FormResize();
    expectCentred(800, 600);
    EXPECT_LT(w.kabeBASE->left(), 0);
    w.hyoushiResize();
    EXPECT_EQ(w.kabeBASE->left(), 0);

    w.resize(1400, 800);
    w.hyoushiResize();
    EXPECT_LE(std::abs(1400 - rightEdge(w.kabeBASE) - w.kabeBASE->left()), 1);
}

TEST_F(MainWindowTest, BottomBarCentresFolderNameAndCounter)
{
    TForm1& w = make();
    w.kabedownResize();
    // Back, folder name, counter, forward and refresh touch in that order.
    const QList<platform::Control*> group{w.Image6, w.Panel8, w.Panel7, w.Image7, w.Image10};
    for (int i = 1; i < group.size(); ++i)
        EXPECT_EQ(group[i]->left(), rightEdge(group[i - 1])) << group[i]->objectName().toStdString();
    // Folder name and counter together sit about the middle of the bar.
    const int middle = (w.Panel8->left() + rightEdge(w.Panel7)) / 2;
    EXPECT_LE(std::abs(middle - w.kabeBASE->width() / 2), 6);
    EXPECT_GT(w.SpeedButton20->left(), rightEdge(w.Image10));
    EXPECT_EQ(w.SpeedButton19->left(), w.SpeedButton8->left()); // draw and finish take turns in one place
    // The recording button keeps clear of the button column.
    EXPECT_LT(rightEdge(w.BitBtn1), w.kabeBASE->width() - w.kabeRight->width() - w.hyoushi->width());
}

namespace {
// The view's bounds cover the whole area with its border outside on every side.
void expectBorderOutside(const QRect& view, const QRect& area)
{
    EXPECT_LT(view.left(), area.left());
    EXPECT_LT(view.top(), area.top());
    EXPECT_GT(view.right(), area.right());
    EXPECT_GT(view.bottom(), area.bottom());
}
} // namespace

TEST_F(MainWindowTest, DrawingLayoutPutsBrowserBorderOutsideAndClosesLowerPane)
{
    TForm1& w = make();
    w.FindInLowerBrowser(QStringLiteral("_"), false); // opens the lower pane
    const int pane = w.LowerPaneHeight;
    ASSERT_GT(pane, 0);
    w.kabeRightResize();
    // The pane keeps its height at the bottom of the page area.
    EXPECT_EQ(w.kabeKR->height(), pane);
    EXPECT_EQ(w.kabeKR->top() + w.kabeKR->height(), w.kabeBrowser->height());
    expectBorderOutside(w.browserBounds(w.WebBrowser2), w.Panel9->rect());

    w.SetDrawingLayout(1);
    EXPECT_EQ(w.DrawingMode, 1);
    EXPECT_TRUE(w.Image1->visible());
    EXPECT_TRUE(w.SpeedButton22->visible());
    EXPECT_EQ(w.kabeKR->height(), 0);
    expectBorderOutside(w.browserBounds(w.WebBrowser1), w.kabeBrowser->rect());
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
    // Near the File button: at the left of the base, in the lower half of the window.
    const QPoint at = w.PopupMenu2->lastPopupPoint();
    EXPECT_GE(at.x(), w.x() + w.kabeBASE->left());
    EXPECT_LT(at.x(), w.x() + w.kabeBASE->left() + w.SpeedButton11->width());
    EXPECT_GT(at.y(), w.y() + w.height() / 2);
    EXPECT_LT(at.y(), w.y() + w.height());
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
void clickWith(QWidget* w, Qt::MouseButton button) { clickMouse(w, QPointF(5, 5), button); }
} // namespace

TEST_F(MainWindowTest, ARightClickDoesNothingOnButtonsWithOneAction)
{
    TForm1& w = make();
    w.kabedownResize(); // the bar as the first sizing lays it out
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
