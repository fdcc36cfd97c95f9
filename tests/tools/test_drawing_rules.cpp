// Window-free rules of the drawing: the drawing file's name, the save
// names, the colour wiping, the zoom and the picture files written.
#include "platform/picture.h"
#include "support/write_bounds.h"
#include "support/temp_tree.h"
#include "tools/colour_clean.h"
#include "tools/drawing.h"
#include "tools/drawing_paths.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace capture;

TEST(DrawingPaths, DrawingFileSitsBesidePageWithoutItsNumber)
{
    EXPECT_EQ(drawSavePath("/d/1010_intro.html"), QStringLiteral("/d/_%intro.bmp"));
    EXPECT_EQ(drawSavePath("/d/intro.html"), QStringLiteral("/d/_%intro.bmp"));
    EXPECT_EQ(drawSavePath("/d/a_b_c.html"), QStringLiteral("/d/_%b_c.bmp"));
    EXPECT_EQ(drawSavePath("/d/x.y.jpg"), QStringLiteral("/d/_%x.y.bmp"));
    EXPECT_EQ(webDrawSavePath("/root/00_RESUME"), QStringLiteral("/root/00_RESUME/_%web.bmp"));
    EXPECT_EQ(drawingSaveSuggestion("/d/_%intro.bmp"), QStringLiteral("intro.bmp"));
    EXPECT_EQ(drawingSaveSuggestion("/d/1010_intro.html"), QStringLiteral("1010_intro.bmp"));
}

TEST(DrawingPaths, ChosenNamesAreWrittenByTheirExtensionInAnyCase)
{
    EXPECT_EQ(pictureKindFor("a.JPG"), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindFor("a.jpeg"), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindFor("a.PNG"), PictureKind::Png);
    EXPECT_EQ(pictureKindFor("a.BMP"), PictureKind::Bmp);
    EXPECT_EQ(pictureKindFor("a.gif"), PictureKind::Bmp);
}

TEST(DrawingPaths, ZoomTakesHalfTheAreaAroundTheClick)
{
    const ZoomRect r = zoomSourceRect(800, 600, 400, 300);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right, 600);
    EXPECT_EQ(r.bottom, 450);
    // A click in a corner keeps the corner.
    const ZoomRect c = zoomSourceRect(800, 600, 0, 0);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.right, 400);
    EXPECT_EQ(c.bottom, 300);
}

TEST(ColourClean, PenPixelsTakeTheColourToTheirLeft)
{
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    QRgb row[] = {white, red, red, blue, red};
    cleanRow(row, 5, 0);
    EXPECT_EQ(row[0], white);
    EXPECT_EQ(row[1], white);
    EXPECT_EQ(row[2], white);
    EXPECT_EQ(row[3], blue);
    EXPECT_EQ(row[4], blue);
    // A row that starts with the pen's colour starts from white.
    QRgb black[] = {qRgb(0, 0, 0), qRgb(5, 5, 5), qRgb(20, 20, 20)};
    cleanRow(black, 3, 4);
    EXPECT_EQ(black[0], white);
    EXPECT_EQ(black[1], white);
    EXPECT_EQ(black[2], qRgb(20, 20, 20));
}

TEST(ColourClean, ThresholdsOfEachPen)
{
    EXPECT_TRUE(isPenPixel(0, qRgb(231, 199, 199)));
    EXPECT_FALSE(isPenPixel(0, qRgb(230, 0, 0)));
    EXPECT_TRUE(isPenPixel(1, qRgb(0, 0, 231)));
    EXPECT_FALSE(isPenPixel(1, qRgb(200, 0, 255)));
    EXPECT_TRUE(isPenPixel(2, qRgb(101, 101, 99)));
    EXPECT_FALSE(isPenPixel(2, qRgb(255, 255, 100)));
    EXPECT_TRUE(isPenPixel(3, qRgb(241, 241, 241)));
    EXPECT_FALSE(isPenPixel(3, qRgb(240, 255, 255)));
    EXPECT_TRUE(isPenPixel(4, qRgb(9, 9, 9)));
    EXPECT_FALSE(isPenPixel(4, qRgb(10, 0, 0)));
    EXPECT_EQ(penInfo(2).cleanCaption, QStringLiteral("画面の黄色を消す"));
    EXPECT_EQ(penInfo(9).caption, QStringLiteral("赤ペン"));
}

TEST(ColourClean, WholePictureBecomesTwentyFourBit)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(0, 128, 0));
    const QImage cleaned = cleanPenColour(image, 0);
    EXPECT_EQ(cleaned.format(), QImage::Format_RGB888);
    EXPECT_EQ(cleaned.pixel(3, 0), qRgb(255, 255, 255));
    EXPECT_EQ(cleaned.pixel(3, 1), qRgb(0, 128, 0));
}

namespace {

QImage noise(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            image.setPixel(x, y, qRgb(seed >> 24, (seed >> 16) & 0xff, (seed >> 8) & 0xff));
        }
    return image;
}

} // namespace

TEST(PictureFiles, BitmapsAreTwentyFourBitUnderAnyOtherName)
{
    TempTree t;
    const QImage image = noise(7, 3);
    for (const char* name : {"a.bmp", "b.BMP", "c.gif"}) {
        const QString path = t.path(name);
        ASSERT_TRUE(writePicture(image, path, 90, tempBounds())) << name;
        const QByteArray bytes = t.read(name);
        ASSERT_GT(bytes.size(), 30);
        EXPECT_TRUE(bytes.startsWith("BM")) << name;
        EXPECT_EQ(static_cast<int>(bytes.at(28)), 24) << name;
    }
    ASSERT_TRUE(writePicture(image, t.path("d.PNG"), 90, tempBounds()));
    EXPECT_TRUE(t.read("d.PNG").startsWith("\x89PNG"));
}

TEST(PictureFiles, JpegQualityReachesTheEncoder)
{
    TempTree t;
    const QImage image = noise(64, 64);
    ASSERT_TRUE(writePicture(image, t.path("hi.jpg"), 100, tempBounds()));
    ASSERT_TRUE(writePicture(image, t.path("lo.JPEG"), 90, tempBounds()));
    EXPECT_GT(t.read("hi.jpg").size(), t.read("lo.JPEG").size());
    EXPECT_FALSE(platform::loadPicture(t.path("lo.JPEG")).isNull());
    // An unwritable place fails instead of pretending.
    EXPECT_FALSE(writePicture(image, t.path("no/such/folder/x.bmp"), 90, tempBounds()));
}
