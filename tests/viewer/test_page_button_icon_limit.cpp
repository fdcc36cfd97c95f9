// A page whose title names a picture bomb as its icon: the window starts and
// shows the first page, the icon counts as missing, memory stays low.
#include "page_display_fixture.h"

#include "platform/picture_bomb.h"

TEST_F(PageDisplayTest, AHugeIconCountsAsMissingAndTheFirstPageShows)
{
    writePage("1000_a.html", "\"bomb.png\"かえる");
    writePage("1010_b.html", "\"small.png\"いけ");
    ASSERT_TRUE(writePngBomb(rootFile("bomb.png"), 30000, 30000));
    QImage icon(300, 120, QImage::Format_RGB32); // larger than its button
    icon.fill(Qt::green);
    ASSERT_TRUE(icon.save(rootFile("small.png"), "PNG"));
    const LogLines log;
    const PeakMemory peak;
    TForm1& w = start();
    ASSERT_EQ(w.PageButtons.size(), 4); // the two pictures are entries too
    EXPECT_EQ(w.PageButtons.at(0)->glyph().toImage(), w.ImageList1.value(1).toImage());
    EXPECT_EQ(lastNavigation(), rootFile("1000_a.html"));
    EXPECT_EQ(LogLines::mentioning(rootFile("bomb.png")), 1);
    const QSize glyph = w.PageButtons.at(1)->glyph().size();
    EXPECT_LE(glyph.width(), w.ScrollBox1->clientWidth());
    EXPECT_LE(glyph.height(), w.PageButtons.at(1)->height() + 1);
    EXPECT_NEAR(glyph.width(), glyph.height() * 300 / 120, 2); // in proportion
    if (peak.resetWorked()) {
        EXPECT_LT(PeakMemory::bytes(), qint64(1) << 30);
    }
}

// The same bomb shown as a list entry: the picture viewer decodes nothing
// and memory stays low.
TEST_F(PageDisplayTest, AHugePictureEntryIsNotDecodedByThePictureViewer)
{
    writePage("1000_a.html", "かえる");
    ASSERT_TRUE(writePngBomb(rootFile("1010_bomb.png"), 30000, 30000));
    const PeakMemory peak;
    TForm1& w = start();
    const int bomb = w.levels.topEntries().indexOf(QStringLiteral("1010_bomb.png"));
    ASSERT_GE(bomb, 0);
    w.PBanSave(bomb);
    w.PageClick(0, true);
    EXPECT_EQ(w.ViewerImagePath, rootFile("1010_bomb.png"));
    EXPECT_TRUE(w.Image11->picture().isNull());
    if (peak.resetWorked()) {
        EXPECT_LT(PeakMemory::bytes(), qint64(1) << 30);
    }
}
