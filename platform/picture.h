#pragma once
// Pictures on disk: JPEG through libjpeg, PNG through libpng, BMP written
// as 24-bit. One entry picks the codec by the extension (letter case
// ignored). Failures never crash: an unreadable or corrupt file gives a
// null image, a failed save returns false and leaves the old file whole.
// Every picture is checked against one decode limit from its header, before
// any pixel is decoded: a picture over it is treated as missing.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace platform {

// The most a decoded picture may take, at four bytes a pixel: what Qt's own
// image reader allows (QImageReader::allocationLimit: 128 MB in Qt 6.4,
// 256 MB in later versions), and never more than 256 MB.
qint64 pictureByteLimit();
// True when a picture of this size may be decoded (an invalid size may not).
bool withinPictureLimit(const QSize& size);

// A picture over the limit gives a null image and is named once in the log.
// With a valid fitIn the picture comes scaled down to fit in it (aspect
// kept, never enlarged), decoded at that size where the codec can.
QImage loadPicture(const QString& path, const QSize& fitIn = QSize());
// quality 0-100 applies to JPEG; PNG and BMP ignore it.
// The file is written only where it settles inside one of within (as
// files::writeBytes decides).
bool savePicture(const QImage& image, const QString& path, int quality, const QStringList& within);
// The picture's size from its header; invalid when unreadable.
QSize pictureSize(const QString& path);

// ---- codecs over bytes ----
// Codecs over bytes refuse a picture over the limit as well.
// fitIn: as for loadPicture; libjpeg decodes at 1/2, 1/4 or 1/8 where that suffices.
QImage decodeJpeg(const QByteArray& data, const QSize& fitIn = QSize());
QByteArray encodeJpeg(const QImage& image, int quality);
QSize jpegSize(const QByteArray& data);

QImage decodePng(const QByteArray& data);
QSize pngSize(const QByteArray& data);
QByteArray encodePng(const QImage& image);

// Reads uncompressed 24- and 32-bit files itself and other BMP kinds
// (palettes, run lengths) through Qt's reader.
QImage decodeBmp(const QByteArray& data);
QSize bmpSize(const QByteArray& data);
// Always 24-bit, bottom-up, rows padded to 4 bytes.
QByteArray encodeBmp(const QImage& image);

// An RGB888 copy; transparent parts are laid on white.
QImage flattenToRgb888(const QImage& image);

} // namespace platform
