// Chooses the codec by the file's extension.
#include "platform/picture.h"

#include "store/files.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

namespace platform {

namespace {

enum class Codec { Jpeg, Png, Bmp, Other };

Codec codecFor(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe"))
        return Codec::Jpeg;
    if (ext == QLatin1String("png"))
        return Codec::Png;
    if (ext == QLatin1String("bmp"))
        return Codec::Bmp;
    return Codec::Other;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QSize pngSize(const QByteArray& data)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (data.size() < 24 || !data.startsWith(QByteArray(signature, 8)) || data.mid(12, 4) != "IHDR")
        return QSize();
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const quint32 w = qFromBigEndian<quint32>(p + 16);
    const quint32 h = qFromBigEndian<quint32>(p + 20);
    if (w == 0 || h == 0 || w > 0x7fffffff || h > 0x7fffffff)
        return QSize();
    return QSize(int(w), int(h));
}

} // namespace

QImage flattenToRgb888(const QImage& image)
{
    if (image.isNull())
        return QImage();
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage out(image.size(), QImage::Format_RGB888);
    if (out.isNull())
        return QImage();
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    painter.end();
    return out;
}

QImage loadPicture(const QString& path)
{
    const QByteArray data = readAll(path);
    if (data.isEmpty())
        return QImage();
    switch (codecFor(path)) {
    case Codec::Jpeg: return decodeJpeg(data);
    case Codec::Png: return decodePng(data);
    case Codec::Bmp: return decodeBmp(data);
    case Codec::Other: break;
    }
    return QImage::fromData(data); // GIF and the like through Qt's readers
}

bool savePicture(const QImage& image, const QString& path, int quality)
{
    if (image.isNull())
        return false;
    QByteArray bytes;
    switch (codecFor(path)) {
    case Codec::Jpeg: bytes = encodeJpeg(image, quality); break;
    case Codec::Png: bytes = encodePng(image); break;
    case Codec::Bmp: bytes = encodeBmp(image); break;
    case Codec::Other: return false;
    }
    if (bytes.isEmpty())
        return false;
    return files::writeBytes(path, bytes); // a failed write keeps the old file
}

QSize pictureSize(const QString& path)
{
    const QByteArray data = readAll(path);
    if (data.isEmpty())
        return QSize();
    switch (codecFor(path)) {
    case Codec::Jpeg: return jpegSize(data);
    case Codec::Png: return pngSize(data);
    case Codec::Bmp: {
        const QImage image = decodeBmp(data);
        return image.isNull() ? QSize() : image.size();
    }
    case Codec::Other: break;
    }
    return QImageReader(path).size();
}

} // namespace platform
