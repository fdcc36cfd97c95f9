// Windows bitmaps. Written always as 24-bit, bottom-up, rows padded to four
// bytes; uncompressed 24- and 32-bit files are read here, other kinds
// through Qt's reader.
#include "platform/picture.h"

#include <QtEndian>

namespace platform {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr quint32 BiRgb = 0;

quint32 u32(const QByteArray& d, int at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 s32(const QByteArray& d, int at) { return qFromLittleEndian<qint32>(d.constData() + at); }
quint16 u16(const QByteArray& d, int at) { return qFromLittleEndian<quint16>(d.constData() + at); }

void put32(QByteArray& d, int at, quint32 v) { qToLittleEndian<quint32>(v, d.data() + at); }
void put16(QByteArray& d, int at, quint16 v) { qToLittleEndian<quint16>(v, d.data() + at); }

qint64 paddedRow(qint64 width, int bytesPerPixel) { return (width * bytesPerPixel + 3) & ~qint64(3); }

// Uncompressed 24- or 32-bit pixels; a null image when the data is short.
QImage readDirectColour(const QByteArray& data, qint64 width, qint64 height, bool bottomUp,
                        int bytesPerPixel, quint32 offset)
{
    const qint64 rowSize = paddedRow(width, bytesPerPixel);
    if (qint64(offset) + rowSize * height > qint64(data.size()))
        return QImage();
    QImage image(int(width), int(height), QImage::Format_RGB888);
    if (image.isNull())
        return QImage();
    for (int y = 0; y < int(height); ++y) {
        const int fileRow = bottomUp ? int(height) - 1 - y : y;
        const auto* src = reinterpret_cast<const uchar*>(data.constData()) + offset + fileRow * rowSize;
        uchar* dst = image.scanLine(y);
        for (int x = 0; x < int(width); ++x) {
            dst[3 * x] = src[bytesPerPixel * x + 2];
            dst[3 * x + 1] = src[bytesPerPixel * x + 1];
            dst[3 * x + 2] = src[bytesPerPixel * x];
        }
    }
    return image;
}

} // namespace

QSize bmpSize(const QByteArray& data)
{
    if (data.size() < FileHeaderSize + InfoHeaderSize || !data.startsWith("BM"))
        return QSize();
    if (u32(data, 14) < InfoHeaderSize)
        return QSize(u16(data, 18), u16(data, 20)); // the old OS/2 header: 16-bit sides
    const qint64 width = s32(data, 18);
    const qint64 height = qAbs(qint64(s32(data, 22)));
    if (width <= 0 || height <= 0 || width > 0x7fffffff || height > 0x7fffffff)
        return QSize();
    return QSize(int(width), int(height));
}

QImage decodeBmp(const QByteArray& data)
{
    if (data.size() < FileHeaderSize + InfoHeaderSize || !data.startsWith("BM"))
        return QImage();
    const quint32 offset = u32(data, 10);
    const quint32 headerSize = u32(data, 14);
    const QSize size = bmpSize(data);
    if (size.isValid() && !withinPictureLimit(size))
        return QImage();
    if (headerSize < InfoHeaderSize || offset < FileHeaderSize + headerSize)
        return QImage::fromData(data, "BMP");
    const qint64 width = s32(data, 18);
    const qint64 rawHeight = s32(data, 22);
    const int bits = u16(data, 28);
    const quint32 compression = u32(data, 30);
    const qint64 height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (!size.isValid())
        return QImage();
    if (compression != BiRgb || (bits != 24 && bits != 32))
        return QImage::fromData(data, "BMP");
    return readDirectColour(data, width, height, rawHeight > 0, bits / 8, offset);
}

QByteArray encodeBmp(const QImage& source)
{
    const QImage image = flattenToRgb888(source);
    if (image.isNull())
        return QByteArray();
    const int width = image.width();
    const int height = image.height();
    const qint64 rowSize = paddedRow(width, 3);
    const qint64 total = FileHeaderSize + InfoHeaderSize + rowSize * height;
    if (total > 0x7fffffff)
        return QByteArray();
    QByteArray out(int(total), '\0');
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, quint32(total));
    put32(out, 10, FileHeaderSize + InfoHeaderSize);
    put32(out, 14, InfoHeaderSize);
    put32(out, 18, quint32(width));
    put32(out, 22, quint32(height)); // positive: bottom-up
    put16(out, 26, 1);               // planes
    put16(out, 28, 24);
    put32(out, 30, BiRgb);
    put32(out, 34, quint32(rowSize * height));
    put32(out, 38, quint32(qMax(0, image.dotsPerMeterX())));
    put32(out, 42, quint32(qMax(0, image.dotsPerMeterY())));
    for (int y = 0; y < height; ++y) {
        const uchar* src = image.constScanLine(y);
        auto* dst = reinterpret_cast<uchar*>(out.data()) + FileHeaderSize + InfoHeaderSize
            + (height - 1 - y) * rowSize;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return out;
}

} // namespace platform
