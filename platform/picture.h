#pragma once
// Pictures on disk: JPEG through libjpeg, PNG through libpng, BMP written
// as 24-bit. One entry picks the codec by the extension (letter case
// ignored). Failures never crash: an unreadable or corrupt file gives a
// null image, a failed save returns false and leaves the old file whole.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace platform {

QImage loadPicture(const QString& path);
// quality 0-100 applies to JPEG; PNG and BMP ignore it.
bool savePicture(const QImage& image, const QString& path, int quality = 90);
// The picture's size from its header; invalid when unreadable.
QSize pictureSize(const QString& path);

// ---- codecs over bytes ----
QImage decodeJpeg(const QByteArray& data);
QByteArray encodeJpeg(const QImage& image, int quality);
QSize jpegSize(const QByteArray& data);

QImage decodePng(const QByteArray& data);
QByteArray encodePng(const QImage& image);

// Reads uncompressed 24- and 32-bit files itself and other BMP kinds
// (palettes, run lengths) through Qt's reader.
QImage decodeBmp(const QByteArray& data);
// Always 24-bit, bottom-up, rows padded to 4 bytes.
QByteArray encodeBmp(const QImage& image);

// An RGB888 copy; transparent parts are laid on white.
QImage flattenToRgb888(const QImage& image);

} // namespace platform
