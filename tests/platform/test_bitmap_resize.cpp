// Bilinear scaling of the picture viewer and its rounding.
#include "platform/bitmap_resize.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ClampToByte, RoundsHalvesToEvenAndClamps)
{
    EXPECT_EQ(ClampToByte(127.5), 128);
    EXPECT_EQ(ClampToByte(126.5), 126);
    EXPECT_EQ(ClampToByte(0.5), 0);
    EXPECT_EQ(ClampToByte(254.5), 254);
    EXPECT_EQ(ClampToByte(254.6), 255);
    EXPECT_EQ(ClampToByte(-3.0), 0);
    EXPECT_EQ(ClampToByte(300.0), 255);
    EXPECT_EQ(ClampToByte(1e300), 255);
}

TEST(ResizeBitmapBilinear, TwoByOneToFourByTwo)
{
    QImage src(2, 1, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(0, 10, 255));
    src.setPixel(1, 0, qRgb(255, 20, 0));
    const QImage out = ResizeBitmapBilinear(src, 4, 2);
    ASSERT_EQ(out.size(), QSize(4, 2));
    EXPECT_EQ(out.format(), QImage::Format_RGB888);
    EXPECT_EQ(out.depth(), 24);
    EXPECT_EQ(out.pixel(0, 0), qRgb(0, 10, 255));
    EXPECT_EQ(out.pixel(1, 0), qRgb(128, 15, 128)); // 127.5 goes to even 128
    EXPECT_EQ(out.pixel(2, 0), qRgb(255, 20, 0));
    EXPECT_EQ(out.pixel(3, 0), qRgb(255, 20, 0));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(out.pixel(x, 1), out.pixel(x, 0));
    EXPECT_EQ(src.size(), QSize(2, 1)); // the source is left alone
}

TEST(ResizeBitmapBilinear, HalvingAndEdgeCases)
{
    QImage src(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.setPixel(x, y, qRgb(x * 60, y * 60, 7));
    const QImage half = ResizeBitmapBilinear(src, 2, 2);
    ASSERT_EQ(half.size(), QSize(2, 2));
    EXPECT_EQ(half.pixel(1, 1), qRgb(120, 120, 7)); // samples source (2, 2)
    QImage alpha(1, 1, QImage::Format_ARGB32);
    alpha.fill(qRgba(9, 8, 7, 255));
    EXPECT_EQ(ResizeBitmapBilinear(alpha, 3, 3).pixel(2, 2), qRgb(9, 8, 7));
    EXPECT_TRUE(ResizeBitmapBilinear(src, 0, 5).isNull());
    EXPECT_TRUE(ResizeBitmapBilinear(src, 5, -1).isNull());
    EXPECT_TRUE(ResizeBitmapBilinear(QImage(), 5, 5).isNull());
}
