// Panels realigning their children as the window's handlers change them,
// also while the window has never been shown.
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QScrollArea>
#include <memory>

using namespace platform;

namespace {

struct MainShape {
    std::unique_ptr<Panel> base{new Panel(nullptr, "kabeBASE")};
    Panel* left = new Panel(base.get(), "hyoushi");
    Panel* right = new Panel(base.get(), "kabeRight");
    Panel* bottom = new Panel(base.get(), "kabedown");
    Panel* page = new Panel(base.get(), "kabe");

    MainShape()
    {
        base->setBounds(0, 0, 1210, 750);
        page->setAlign(Align::Client);
        bottom->setHeight(25);
        bottom->setAlign(Align::Bottom);
        left->setWidth(200);
        left->setAlign(Align::Left);
        right->setWidth(220);
        right->setAlign(Align::Right);
    }
};

} // namespace

TEST(PanelLayout, RealignsOnWidthVisibleAndAlignChanges)
{
    MainShape w;
    EXPECT_EQ(w.page->boundsRect(), QRect(200, 0, 790, 725));
    EXPECT_EQ(w.right->boundsRect(), QRect(990, 0, 220, 725));

    w.left->setWidth(0); // folder pane closed
    EXPECT_EQ(w.page->boundsRect(), QRect(0, 0, 990, 725));

    // Column closed: no alignment, 1 px wide, parked just outside.
    w.right->setAlign(Align::None);
    w.right->setWidth(1);
    w.right->setLeft(w.base->width());
    w.right->setTag(1);
    EXPECT_EQ(w.page->boundsRect(), QRect(0, 0, 1210, 725));
    EXPECT_EQ(w.right->left(), 1210);
    EXPECT_EQ(w.right->width(), 1);
    EXPECT_EQ(w.right->tag(), 1);

    w.right->setAlign(Align::Right);
    w.right->setWidth(220);
    EXPECT_EQ(w.right->boundsRect(), QRect(990, 0, 220, 725));

    w.bottom->setVisible(false);
    EXPECT_FALSE(w.bottom->visible());
    EXPECT_EQ(w.page->height(), 750);
    w.bottom->setHeight(40);
    w.bottom->setVisible(true);
    EXPECT_EQ(w.page->height(), 710);
}

TEST(PanelLayout, NestedPanelsFollowTheOuterResize)
{
    MainShape w;
    Panel* up = new Panel(w.left, "hyoushiup");
    up->setAlign(Align::Client);
    Panel* bar = new Panel(up, "Panel5");
    bar->setHeight(33);
    bar->setAlign(Align::Top);
    Panel* list = new Panel(up, "Panel6");
    list->setAlign(Align::Client);

    EXPECT_EQ(bar->boundsRect(), QRect(0, 0, 200, 33));
    EXPECT_EQ(list->boundsRect(), QRect(0, 33, 200, 692));
    w.base->setHeight(500);
    EXPECT_EQ(list->boundsRect(), QRect(0, 33, 200, 442));
    up->setBevelOuter(Bevel::Raised);
    EXPECT_EQ(bar->boundsRect(), QRect(1, 1, 198, 33));
}

TEST(PanelLayout, ResizeHandlerRunsAtOnceAndMayMoveSiblings)
{
    MainShape w;
    int calls = 0;
    Panel* marker = new Panel(w.base.get(), "marker");
    marker->setBounds(0, 0, 10, 10);
    w.page->onResize = [&] {
        ++calls;
        marker->setLeft(w.page->width()); // a handler that places another control
    };
    w.left->setWidth(0);
    EXPECT_GE(calls, 1);
    EXPECT_EQ(marker->left(), 990);
    EXPECT_EQ(w.page->width(), 990);
}

TEST(PanelLayout, OwnVisibleFlagIgnoresAncestors)
{
    MainShape w;
    auto* label = new Label(w.page, "Label2");
    EXPECT_TRUE(label->visible()) << "the window was never shown";
    w.page->setVisible(false);
    EXPECT_TRUE(label->visible());
    label->hide();
    EXPECT_FALSE(label->visible());
    label->show();
    EXPECT_TRUE(label->visible());
}

TEST(PanelLayout, ControlsCreatedInAShownWindowAreShown)
{
    Panel top(nullptr, "top");
    top.setBounds(0, 0, 100, 100);
    top.show();
    auto* b = new SpeedButton(&top, "late");
    EXPECT_TRUE(b->isVisible());
    EXPECT_TRUE(b->visible());
}

TEST(PanelLayout, DeletedChildGivesItsStripBack)
{
    MainShape w;
    delete w.left;
    EXPECT_EQ(w.page->left(), 0);
    EXPECT_EQ(w.page->width(), 990);
}

TEST(PanelLayout, PlainWidgetContainerRealignsOnResize)
{
    QWidget central;
    central.resize(300, 200);
    enableAlign(&central);
    auto* client = new Panel(&central, "client");
    client->setAlign(Align::Client);
    EXPECT_EQ(client->boundsRect(), QRect(0, 0, 300, 200));
    central.show();
    central.resize(400, 250);
    EXPECT_EQ(client->boundsRect(), QRect(0, 0, 400, 250));
}

TEST(PanelLayout, PropertiesAreNamedAndPlain)
{
    Panel p(nullptr, "Panel7");
    EXPECT_EQ(p.objectName(), "Panel7");
    p.setCaption("1 / 5");
    p.setHint("ページ");
    p.setEnabled(false);
    EXPECT_EQ(p.caption(), "1 / 5");
    EXPECT_EQ(p.toolTip(), "ページ");
    EXPECT_FALSE(p.enabled());
    p.setShowHint(false);
    EXPECT_TRUE(p.toolTip().isEmpty());
    EXPECT_EQ(p.hint(), "ページ");

    Panel parent(nullptr, "parent");
    auto* child = new Panel(&parent, "child");
    parent.setEnabled(false);
    EXPECT_TRUE(child->enabled()) << "enabled is the control's own flag";
    EXPECT_FALSE(child->isEnabled());
}

TEST(PanelLayout, AutoSizedLabelFollowsItsCaption)
{
    Label label(nullptr, "Label3");
    label.setAutoSize(true);
    label.setCaption("短い");
    const int shortWidth = label.width();
    label.setCaption("ずっと長いファイルの名前.html");
    EXPECT_GT(label.width(), shortWidth);
    EXPECT_GT(label.height(), 0);
}

TEST(ScrollBoxLayout, ChildrenLiveInTheContentAndSetTheRange)
{
    ScrollBox box(nullptr, "ScrollBox1");
    box.setBounds(0, 0, 220, 300);
    box.show();
    QList<BitBtn*> buttons;
    for (int i = 0; i < 30; ++i) {
        auto* b = new BitBtn(&box, QString("page%1").arg(i));
        b->setBounds(2, i * 28, box.width() - 4, 27);
        buttons.append(b);
    }
    EXPECT_EQ(buttons[0]->parentWidget(), box.content());
    EXPECT_EQ(buttons[5]->top(), 140);
    EXPECT_GE(box.content()->height(), 30 * 28 - 1);
    box.setVertScrollPos(200);
    EXPECT_GT(box.vertScrollPos(), 0);
    box.scrollToTop();
    EXPECT_EQ(box.vertScrollPos(), 0);

    buttons[29]->setFocus();
    box.scrollInView(buttons[29]);
    EXPECT_GT(box.vertScrollPos(), 0) << "the last button scrolled into view";

    // The column is rebuilt: the old buttons go, the range shrinks.
    qDeleteAll(buttons);
    EXPECT_LT(box.content()->height(), 300);
}

namespace {

// A panel that counts how often it laid out its children.
class CountingPanel : public Panel {
public:
    using Panel::Panel;
    int realigns = 0;

protected:
    void childrenRealigned() override { ++realigns; }
};

} // namespace

TEST(PanelLayout, OnlyARealChangeOfBoundsRealignsTheParent)
{
    CountingPanel parent(nullptr, "parent");
    parent.setBounds(0, 0, 300, 200);
    auto* child = new Panel(&parent, "child");
    child->setBounds(10, 10, 50, 20);
    const int before = parent.realigns;
    child->setBounds(10, 10, 50, 20);
    child->setLeft(10);
    child->setWidth(50);
    EXPECT_EQ(parent.realigns, before);
    child->setLeft(11);
    EXPECT_EQ(parent.realigns, before + 1);
}

TEST(PanelLayout, ABatchRealignsOnceWhenTheOutermostEnds)
{
    CountingPanel parent(nullptr, "parent");
    parent.setBounds(0, 0, 300, 200);
    auto* top = new Panel(&parent, "top");
    top->setHeight(20);
    top->setAlign(Align::Top);
    auto* client = new Panel(&parent, "client");
    client->setAlign(Align::Client);
    const int before = parent.realigns;
    QList<Panel*> rows;
    {
        const RealignBatch batch(&parent);
        for (int i = 0; i < 100; ++i) {
            rows.append(new Panel(&parent, QString("row%1").arg(i)));
            rows.last()->setBounds(0, 20 + i, 100, 1);
            rows.last()->setVisible(i % 2 == 0);
        }
        {
            const RealignBatch inner(&parent);
            top->setHeight(30);
        }
        EXPECT_EQ(parent.realigns, before) << "nothing is laid out inside the batch";
        EXPECT_EQ(client->top(), 20);
    }
    EXPECT_EQ(parent.realigns, before + 1);
    EXPECT_EQ(client->top(), 30) << "the one realign at the end places what changed";

    {
        const RealignBatch batch(&parent);
        qDeleteAll(rows);
    }
    EXPECT_EQ(parent.realigns, before + 2);
    {
        const RealignBatch idle(&parent);
    }
    EXPECT_EQ(parent.realigns, before + 2) << "a batch where nothing changed realigns nothing";
}

TEST(ScrollBoxLayout, ABatchOverTheBoxSetsTheRangeOnceAtItsEnd)
{
    ScrollBox box(nullptr, "ScrollBox1");
    box.setBounds(0, 0, 220, 300);
    {
        const RealignBatch batch(&box);
        for (int i = 0; i < 30; ++i)
            (new BitBtn(&box, QString("page%1").arg(i)))->setBounds(2, i * 28, 200, 27);
        EXPECT_LT(box.content()->height(), 30 * 28 - 1);
    }
    EXPECT_GE(box.content()->height(), 30 * 28 - 1);
}

TEST(ScrollBoxLayout, AMinimumRangeReachesPastTheChildren)
{
    ScrollBox box(nullptr, "ScrollBox1");
    box.setBounds(0, 0, 220, 300);
    (new BitBtn(&box, "first"))->setBounds(2, 0, 200, 27);
    box.setMinimumRange(QSize(1, 28000 - 1)); // rows whose buttons are not made
    EXPECT_EQ(box.content()->height(), 28000 - 1);
    EXPECT_EQ(box.content()->width(), 202);
    box.setMinimumRange(QSize());
    EXPECT_EQ(box.content()->height(), 27);
}
