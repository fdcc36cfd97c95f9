// The picture codecs: round trips through the files, the exact bytes of a
// written BMP, and corrupt or cut files that must give a null image.
#include "platform/picture.h"
#include "support/write_bounds.h"
#include "picture_bomb.h"
#include "progressive_jpeg.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>

using namespace platform;

namespace {

QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / qMax(1, w - 1), y * 255 / qMax(1, h - 1), 90));
    return image;
}

QByteArray fileBytes(const QString& path) { return TempTree::readAt(path); }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    ASSERT_FALSE(TempTree::writeAt(path, bytes).isEmpty()) << path.toStdString();
}

int maxChannelDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                              qAbs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

class PictureTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.path(name); }
    TempTree dir;
};

} // namespace

TEST_F(PictureTest, LosslessRoundTripsByExtensionInAnyCase)
{
    const QImage image = gradient(13, 7);
    for (const QString& name : {QStringLiteral("a.png"), QStringLiteral("b.BMP"), QStringLiteral("c.Png")}) {
        ASSERT_TRUE(savePicture(image, path(name), 90, tempBounds())) << name.toStdString();
        const QImage back = loadPicture(path(name));
        ASSERT_FALSE(back.isNull()) << name.toStdString();
        EXPECT_EQ(back.size(), QSize(13, 7));
        EXPECT_EQ(maxChannelDifference(image, back), 0) << name.toStdString();
        EXPECT_EQ(pictureSize(path(name)), QSize(13, 7));
    }
    EXPECT_TRUE(fileBytes(path(QStringLiteral("a.png"))).startsWith("\x89PNG"));
}

TEST_F(PictureTest, PngKeepsTransparency)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 0));
    image.setPixel(1, 1, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(savePicture(image, path(QStringLiteral("t.png")), 90, tempBounds()));
    const QImage back = loadPicture(path(QStringLiteral("t.png")));
    ASSERT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(1, 1), qRgba(200, 100, 50, 255));
}

TEST_F(PictureTest, JpegQualityShowsInSizeAndFidelity)
{
    const QImage image = gradient(64, 48);
    ASSERT_TRUE(savePicture(image, path(QStringLiteral("hi.jpg")), 95, tempBounds()));
    ASSERT_TRUE(savePicture(image, path(QStringLiteral("lo.JPEG")), 5, tempBounds()));
    EXPECT_TRUE(fileBytes(path(QStringLiteral("hi.jpg"))).startsWith("\xff\xd8"));
    EXPECT_GT(fileBytes(path(QStringLiteral("hi.jpg"))).size(), fileBytes(path(QStringLiteral("lo.JPEG"))).size());
    const QImage back = loadPicture(path(QStringLiteral("hi.jpg")));
    ASSERT_EQ(back.size(), QSize(64, 48));
    EXPECT_LE(maxChannelDifference(image, back), 12);
    EXPECT_EQ(pictureSize(path(QStringLiteral("lo.JPEG"))), QSize(64, 48));
    EXPECT_FALSE(encodeJpeg(image, 250).isEmpty()); // quality clamps to 100
}

TEST_F(PictureTest, BmpIs24BitBottomUpWithPaddedRows)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    image.setPixel(0, 0, qRgb(1, 2, 3));    // top left
    image.setPixel(2, 1, qRgb(250, 251, 252)); // bottom right
    const QByteArray bmp = encodeBmp(image);
    const int rowSize = 12; // 3 pixels x 3 bytes, padded to 4
    ASSERT_EQ(bmp.size(), 54 + rowSize * 2);
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 2), quint32(bmp.size()));
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 10), 54u);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 14), 40u);
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 22), 2); // positive: bottom-up
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 34), quint32(rowSize * 2));
    // First stored row is the bottom one, blue-green-red, then padding.
    EXPECT_EQ(bmp.mid(54 + 6, 3), QByteArray("\xfc\xfb\xfa"));
    EXPECT_EQ(bmp.mid(54 + 9, 3), QByteArray(3, '\0'));
    EXPECT_EQ(bmp.mid(54 + rowSize, 3), QByteArray("\x03\x02\x01"));

    // A top-down file (negative height) reads the same way up.
    QByteArray topDown = bmp;
    qToLittleEndian<qint32>(-2, topDown.data() + 22);
    topDown.replace(54, rowSize, bmp.mid(54 + rowSize, rowSize));
    topDown.replace(54 + rowSize, rowSize, bmp.mid(54, rowSize));
    const QImage back = decodeBmp(topDown);
    ASSERT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(back.pixel(2, 1), qRgb(250, 251, 252));
}

TEST_F(PictureTest, TransparentPixelsLandOnWhiteInBmp)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    EXPECT_EQ(decodeBmp(encodeBmp(image)).pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(PictureTest, CorruptAndCutFilesGiveNullImages)
{
    const QImage image = gradient(40, 30);
    const QByteArray jpeg = encodeJpeg(image, 80);
    const QByteArray png = encodePng(image);
    const QByteArray bmp = encodeBmp(image);
    ASSERT_FALSE(jpeg.isEmpty());
    ASSERT_FALSE(png.isEmpty());
    EXPECT_TRUE(decodeJpeg(jpeg.left(jpeg.size() / 2)).isNull());
    EXPECT_TRUE(decodeJpeg(jpeg.left(20)).isNull());
    EXPECT_TRUE(decodePng(png.left(png.size() / 2)).isNull());
    EXPECT_TRUE(decodeBmp(bmp.left(bmp.size() - 10)).isNull());
    QByteArray garbled = png;
    for (int i = 40; i < garbled.size() - 20; i += 7)
        garbled[i] = char(garbled[i] ^ 0x5a);
    EXPECT_TRUE(decodePng(garbled).isNull());
    QByteArray hugeBmp = bmp;
    qToLittleEndian<qint32>(1 << 30, hugeBmp.data() + 18);
    EXPECT_TRUE(decodeBmp(hugeBmp).isNull());

    writeBytes(path(QStringLiteral("x.jpg")), "not a picture at all");
    EXPECT_TRUE(loadPicture(path(QStringLiteral("x.jpg"))).isNull());
    EXPECT_FALSE(pictureSize(path(QStringLiteral("x.jpg"))).isValid());
    EXPECT_TRUE(loadPicture(path(QStringLiteral("absent.png"))).isNull());
    writeBytes(path(QStringLiteral("empty.bmp")), QByteArray());
    EXPECT_TRUE(loadPicture(path(QStringLiteral("empty.bmp"))).isNull());
}

// A few hundred bytes whose header claims far more pixels than the data
// holds: void, and not decoded out as grey to the claimed size.
TEST_F(PictureTest, JpegWhoseDataEndsBeforeItsClaimedSizeIsVoid)
{
    QByteArray jpeg = encodeJpeg(gradient(40, 30), 80);
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(4000, jpeg.data() + frame + 5); // rows
    qToBigEndian<quint16>(4000, jpeg.data() + frame + 7); // columns
    EXPECT_EQ(jpegSize(jpeg), QSize(4000, 4000));
    EXPECT_TRUE(decodeJpeg(jpeg).isNull());
}

// Every scan of a progressive file is decoded over the whole picture: a
// small file that repeats its last scan thousands of times, or a file of more
// scans than any encoder writes, is refused instead of decoded for minutes.
TEST_F(PictureTest, ProgressiveJpegWithBrokenOrEndlessScansIsVoid)
{
    const QByteArray usual = progressiveJpeg(64, 48, usualScans());
    ASSERT_FALSE(usual.isEmpty());
    EXPECT_EQ(decodeJpeg(usual).size(), QSize(64, 48));
    EXPECT_TRUE(decodeJpeg(withLastScanRepeated(usual, 1)).isNull());
    const QByteArray repeated = withLastScanRepeated(usual, 3000);
    ASSERT_GT(repeated.size(), usual.size() * 100);
    EXPECT_EQ(jpegSize(repeated), QSize(64, 48));
    EXPECT_TRUE(decodeJpeg(repeated).isNull());
    writeBytes(path(QStringLiteral("icon.jpg")), repeated);
    EXPECT_TRUE(loadPicture(path(QStringLiteral("icon.jpg"))).isNull());

    std::vector<jpeg_scan_info> many = oneScanPerCoefficient();
    const QByteArray tooMany = progressiveJpeg(64, 48, many);
    ASSERT_FALSE(tooMany.isEmpty());
    EXPECT_TRUE(decodeJpeg(tooMany).isNull()) << many.size() << " valid scans";
    many.resize(64); // DC and every AC coefficient once, unrefined
    EXPECT_EQ(decodeJpeg(progressiveJpeg(64, 48, many)).size(), QSize(64, 48));
}

TEST_F(PictureTest, FailedSaveKeepsTheOldFile)
{
    const QString target = path(QStringLiteral("keep.bmp"));
    writeBytes(target, "old");
    EXPECT_FALSE(savePicture(QImage(), target, 90, tempBounds()));
    EXPECT_FALSE(savePicture(gradient(2, 2), path(QStringLiteral("x.unknown")), 90, tempBounds()));
    EXPECT_FALSE(savePicture(gradient(2, 2), path(QStringLiteral("no/such/dir/a.png")), 90, tempBounds()));
    EXPECT_EQ(fileBytes(target), QByteArray("old"));
}

// Pictures that claim more than the decode limit: treated as missing before
// a pixel is decoded, by name and over bytes, each named once in the log,
// and memory stays low. JPEG and BMP within the old pixel cap are refused too.
TEST_F(PictureTest, PicturesOverTheDecodeLimitAreMissingAndNamedOnce)
{
    const QString png = path(QStringLiteral("bomb.png"));
    ASSERT_TRUE(writePngBomb(png, 30000, 30000));
    EXPECT_LT(QFileInfo(png).size(), 4 << 20);
    QByteArray jpeg = encodeJpeg(gradient(40, 30), 80);
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(10000, jpeg.data() + frame + 5);
    qToBigEndian<quint16>(10000, jpeg.data() + frame + 7);
    writeBytes(path(QStringLiteral("bomb.jpg")), jpeg);
    QByteArray bmp = encodeBmp(gradient(4, 4));
    qToLittleEndian<qint32>(9000, bmp.data() + 18);
    qToLittleEndian<qint32>(9000, bmp.data() + 22);
    writeBytes(path(QStringLiteral("bomb.bmp")), bmp);

    const LogLines log;
    const PeakMemory peak;
    for (const QString& name : {QStringLiteral("bomb.png"), QStringLiteral("bomb.jpg"), QStringLiteral("bomb.bmp")}) {
        EXPECT_TRUE(loadPicture(path(name)).isNull()) << name.toStdString();
        EXPECT_TRUE(loadPicture(path(name), QSize(24, 24)).isNull()) << name.toStdString();
        EXPECT_TRUE(loadPicture(path(name)).isNull()) << name.toStdString();
        EXPECT_EQ(LogLines::mentioning(path(name)), 1) << name.toStdString();
        EXPECT_TRUE(pictureSize(path(name)).isValid()) << name.toStdString();
    }
    EXPECT_TRUE(decodePng(fileBytes(png)).isNull());
    EXPECT_TRUE(decodeJpeg(jpeg).isNull());
    EXPECT_TRUE(decodeBmp(bmp).isNull());
    if (peak.resetWorked()) {
        EXPECT_LT(PeakMemory::bytes(), qint64(1) << 30);
    }
}

TEST_F(PictureTest, TheLimitIsQtsOwnAtFourBytesAPixel)
{
    const qint64 limit = pictureByteLimit();
    EXPECT_EQ(limit, qMin(qint64(256), qint64(QImageReader::allocationLimit())) << 20);
    const int width = int(limit / 4 / 1024);
    EXPECT_TRUE(withinPictureLimit(QSize(width, 1024)));
    EXPECT_FALSE(withinPictureLimit(QSize(width + 1, 1024)));
    EXPECT_FALSE(withinPictureLimit(QSize()));
}

// A picture asked for at the size it is shown comes no larger than that,
// its sides in proportion; a smaller one keeps its size.
TEST_F(PictureTest, PicturesFitTheSizeTheyAreShownAt)
{
    const QImage image = gradient(400, 200);
    ASSERT_TRUE(image.save(path(QStringLiteral("f.ppm")), "PPM")); // a kind Qt's readers decode
    for (const QString& name : {QStringLiteral("f.jpg"), QStringLiteral("f.png"), QStringLiteral("f.bmp"),
                                QStringLiteral("f.ppm")}) {
        if (!name.endsWith(QLatin1String("ppm"))) {
            ASSERT_TRUE(savePicture(image, path(name), 90, tempBounds())) << name.toStdString();
        }
        EXPECT_EQ(loadPicture(path(name), QSize(40, 40)).size(), QSize(40, 20)) << name.toStdString();
        EXPECT_EQ(loadPicture(path(name), QSize(1000, 1000)).size(), QSize(400, 200)) << name.toStdString();
    }
    const QImage small = decodeJpeg(encodeJpeg(image, 90), QSize(50, 50));
    EXPECT_EQ(small.size(), QSize(50, 25)); // decoded at 1/8 by libjpeg
}

// A file whose name says another kind still loads, by its content.
TEST_F(PictureTest, MisnamedPicturesLoadByTheirContent)
{
    ASSERT_TRUE(gradient(10, 6).save(path(QStringLiteral("really_png.jpg")), "PNG"));
    EXPECT_EQ(loadPicture(path(QStringLiteral("really_png.jpg"))).size(), QSize(10, 6));
    EXPECT_EQ(pictureSize(path(QStringLiteral("really_png.jpg"))), QSize(10, 6));
}
