// Chooses the codec by the file's extension (by its content when the two
// disagree) and keeps every decode within one limit.
#include "platform/picture.h"

#include "store/files.h"
#include "store/log.h"
#include "store/picture_limit.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QPainter>
#include <QSet>

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

// A file larger than this cannot hold a picture within the limit.
qint64 largestPictureFile() { return pictureByteLimit() + (qint64(1) << 20); }

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// A file named .jpg that is a PNG (or the like) goes to Qt's readers, which
// look at the content.
bool carriesSignature(Codec codec, const QByteArray& data)
{
    switch (codec) {
    case Codec::Jpeg: return data.startsWith("\xFF\xD8");
    case Codec::Png: return data.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8));
    case Codec::Bmp: return data.startsWith("BM");
    case Codec::Other: break;
    }
    return true;
}

Codec codecOf(const QString& path, const QByteArray& data)
{
    const Codec byName = codecFor(path);
    return carriesSignature(byName, data) ? byName : Codec::Other;
}

QSize sizeFromHeader(Codec codec, const QByteArray& data)
{
    switch (codec) {
    case Codec::Jpeg: return jpegSize(data);
    case Codec::Png: return pngSize(data);
    case Codec::Bmp: return bmpSize(data);
    case Codec::Other: break;
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).size();
}

// The size a picture takes once fitted into fitIn; never larger than it was.
QSize fittedSize(const QSize& size, const QSize& fitIn)
{
    if (!fitIn.isValid() || fitIn.isEmpty() || (size.width() <= fitIn.width() && size.height() <= fitIn.height()))
        return size;
    const QSize scaled = size.scaled(fitIn, Qt::KeepAspectRatio);
    return QSize(qMax(1, scaled.width()), qMax(1, scaled.height()));
}

QImage scaledToFit(const QImage& image, const QSize& fitIn)
{
    if (image.isNull())
        return image;
    const QSize target = fittedSize(image.size(), fitIn);
    if (target == image.size())
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// GIF, ICO and files whose name says another kind, through Qt's readers.
QImage decodeWithQt(const QByteArray& data, const QSize& fitIn)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && !withinPictureLimit(size))
        return QImage();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(fittedSize(size, fitIn));
    return reader.read();
}

// The log names each refused picture once, however often it is asked for
// (page buttons are rebuilt on every change of the list).
void nameOverLimitOnce(const QString& path, const QSize& size)
{
    static QMutex mutex;
    static QSet<QString> named;
    const QMutexLocker lock(&mutex);
    if (named.contains(path))
        return;
    named.insert(path);
    qCWarning(lcPagora).noquote() << "picture over the decode limit, treated as missing:" << path
                                  << (size.isValid() ? QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
                                                     : QStringLiteral("(file too large)"));
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

// The limit lives in the store, whose page reader measures pictures too.
qint64 pictureByteLimit() { return store::pictureByteLimit(); }

bool withinPictureLimit(const QSize& size) { return store::withinPictureLimit(size); }

QImage loadPicture(const QString& path, const QSize& fitIn)
{
    if (QFileInfo(path).size() > largestPictureFile()) {
        nameOverLimitOnce(path, QSize());
        return QImage();
    }
    const QByteArray data = readAll(path);
    if (data.isEmpty())
        return QImage();
    const Codec codec = codecOf(path, data);
    const QSize size = sizeFromHeader(codec, data);
    if (size.isValid() && !withinPictureLimit(size)) {
        nameOverLimitOnce(path, size);
        return QImage();
    }
    QImage image;
    switch (codec) {
    case Codec::Jpeg: image = decodeJpeg(data, fitIn); break;
    case Codec::Png: image = decodePng(data); break;
    case Codec::Bmp: image = decodeBmp(data); break;
    case Codec::Other: image = decodeWithQt(data, fitIn); break;
    }
    return scaledToFit(image, fitIn);
}

bool savePicture(const QImage& image, const QString& path, int quality, const QStringList& within)
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
    return files::writeBytes(path, bytes, within); // a failed write keeps the old file
}

QSize pictureSize(const QString& path)
{
    const QByteArray data = readAll(path);
    if (data.isEmpty())
        return QSize();
    return sizeFromHeader(codecOf(path, data), data);
}

} // namespace platform
