// The align layout as pure geometry.
#include "platform/align_layout.h"

#include <gtest/gtest.h>

using platform::Align;
using platform::AlignItem;
using platform::alignLayout;

namespace {

AlignItem item(Align a, int w, int h, bool visible = true)
{
    return AlignItem{a, visible, QRect(0, 0, w, h)};
}

} // namespace

TEST(AlignLayout, PlacesKindsInOrderTopBottomLeftRightClient)
{
    // Created in the reverse order: the kind decides, not creation.
    const QVector<AlignItem> items{item(Align::Client, 5, 5), item(Align::Right, 25, 5),
                                   item(Align::Left, 15, 5), item(Align::Bottom, 5, 20),
                                   item(Align::Top, 5, 10)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 100, 80), items);
    EXPECT_EQ(r[4], QRect(0, 0, 100, 10));
    EXPECT_EQ(r[3], QRect(0, 60, 100, 20));
    EXPECT_EQ(r[2], QRect(0, 10, 15, 50));
    EXPECT_EQ(r[1], QRect(75, 10, 25, 50));
    EXPECT_EQ(r[0], QRect(15, 10, 60, 50));
}

TEST(AlignLayout, SameKindStacksInCreationOrder)
{
    const QVector<AlignItem> items{item(Align::Top, 0, 10), item(Align::Top, 0, 20),
                                   item(Align::Right, 30, 0), item(Align::Right, 40, 0)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 200, 100), items);
    EXPECT_EQ(r[0], QRect(0, 0, 200, 10));
    EXPECT_EQ(r[1], QRect(0, 10, 200, 20));
    EXPECT_EQ(r[2], QRect(170, 30, 30, 70));
    EXPECT_EQ(r[3], QRect(130, 30, 40, 70));
}

TEST(AlignLayout, HiddenAndZeroWidthTakeNoSpace)
{
    AlignItem hidden = item(Align::Left, 50, 7, false);
    hidden.rect.moveTo(3, 4);
    const QVector<AlignItem> items{hidden, item(Align::Left, 0, 9), item(Align::Right, -5, 9),
                                   item(Align::Client, 1, 1)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 100, 60), items);
    EXPECT_EQ(r[0], QRect(3, 4, 50, 7)) << "a hidden child keeps its bounds";
    EXPECT_EQ(r[1], QRect(0, 0, 0, 60));
    EXPECT_EQ(r[2].width(), 0);
    EXPECT_EQ(r[3], QRect(0, 0, 100, 60)) << "the client takes everything";
}

TEST(AlignLayout, UnalignedKeepBoundsEvenOutsideTheContainer)
{
    const QVector<AlignItem> items{{Align::None, true, QRect(-30, 5, 20, 20)},
                                   {Align::None, true, QRect(1210, 0, 1, 700)},
                                   item(Align::Client, 0, 0)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 1210, 750), items);
    EXPECT_EQ(r[0], QRect(-30, 5, 20, 20));
    EXPECT_EQ(r[1], QRect(1210, 0, 1, 700));
    EXPECT_EQ(r[2], QRect(0, 0, 1210, 750)) << "unaligned children take no strip";
}

TEST(AlignLayout, ClientTakesTheRestAndNeverGoesNegative)
{
    const QVector<AlignItem> items{item(Align::Left, 70, 0), item(Align::Right, 60, 0),
                                   item(Align::Client, 10, 10), item(Align::Client, 10, 10)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 100, 50), items);
    EXPECT_EQ(r[0], QRect(0, 0, 70, 50));
    EXPECT_EQ(r[2].width(), 0);
    EXPECT_EQ(r[2].height(), 50);
    EXPECT_EQ(r[2], r[3]) << "two client children share the same rest";
}

TEST(AlignLayout, RespectsAnInsetContainer)
{
    // A panel with a bevel lays out inside its one-pixel frame.
    const QVector<AlignItem> items{item(Align::Top, 0, 33), item(Align::Client, 0, 0)};
    const QVector<QRect> r = alignLayout(QRect(1, 1, 198, 98), items);
    EXPECT_EQ(r[0], QRect(1, 1, 198, 33));
    EXPECT_EQ(r[1], QRect(1, 34, 198, 65));
}

TEST(AlignLayout, MainWindowShapeWithColumnClosed)
{
    // Folder pane closed (width 0), column taken out of the layout and
    // parked just outside: the page area fills the width above the bar.
    const QVector<AlignItem> items{item(Align::Left, 0, 0), {Align::None, true, QRect(1210, 0, 1, 725)},
                                   item(Align::Client, 0, 0), item(Align::Bottom, 0, 25)};
    const QVector<QRect> r = alignLayout(QRect(0, 0, 1210, 750), items);
    EXPECT_EQ(r[0], QRect(0, 0, 0, 725));
    EXPECT_EQ(r[2], QRect(0, 0, 1210, 725));
    EXPECT_EQ(r[3], QRect(0, 725, 1210, 25));
}
