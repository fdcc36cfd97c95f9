// The bottom bar as a person uses it with the mouse: after the folder pane
// has been opened and closed, a click on the middle of the cover button
// reaches that button and starts presentation mode.
#include "media_window_fixture.h"
#include "support/mouse_click.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// Presses and releases the left button on whatever widget of the bar lies at
// the given point, as the window system delivers a click there.
QWidget* clickBarAt(TForm1& w, const QPoint& inBar)
{
    QWidget* target = w.kabedown->childAt(inBar);
    if (!target)
        return nullptr;
    clickMouse(target, target->mapFrom(w.kabedown, inBar));
    return target;
}

QPoint centreOf(const QWidget* c) { return c->geometry().center(); }


// Opens and closes the folder pane with clicks on its toggle, then clicks
// the middle of the cover button: presentation mode starts, and a click on
// the cover leaves it.
void expectCoverButtonTakesAClickAfterTheFolderPane(TForm1& w)
{
    EXPECT_EQ(clickBarAt(w, centreOf(w.SpeedButton2)), w.SpeedButton2); // フォルダ
    ASSERT_GT(w.hyoushi->width(), 0);
    EXPECT_EQ(clickBarAt(w, centreOf(w.SpeedButton9)), w.SpeedButton9); // 閉じる
    ASSERT_EQ(w.hyoushi->width(), 0);

    QWidget* hit = clickBarAt(w, centreOf(w.SpeedButton4));
    EXPECT_EQ(hit, w.SpeedButton4) << "the click went to " << (hit ? hit->objectName().toStdString() : "nothing");
    EXPECT_TRUE(w.Panel4->visible()) << "presentation mode did not start";
    EXPECT_EQ(w.Panel4->tag(), 1);
    w.Panel4->onMouseUp(platform::MouseArgs{});
    EXPECT_FALSE(w.Panel4->visible());
}

} // namespace

TEST_F(MediaWindowTest, TheCoverButtonTakesAClickAfterTheFolderPaneWasUsed)
{
    writePage(QStringLiteral("a.html"), QStringLiteral("a"));
    TForm1& w = startBound();
    w.show();
    // As wide as a common laptop screen lets the window be.
    w.resize(1265, 700);
    w.kabeBASE->setWidth(w.width());
    expectCoverButtonTakesAClickAfterTheFolderPane(w);
}

TEST_F(MediaWindowTest, OnANarrowScreenTheCoverButtonStillTakesAClick)
{
    writePage(QStringLiteral("a.html"), QStringLiteral("a"));
    TForm1& w = startBound();
    w.show();
    w.resize(800, 600);
    w.kabeBASE->setWidth(w.width());
    expectCoverButtonTakesAClickAfterTheFolderPane(w);
}
