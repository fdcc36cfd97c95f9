#include "store/picture_limit.h"

#include <QImageReader>

namespace store {

qint64 pictureByteLimit()
{
    constexpr qint64 MiB = qint64(1) << 20;
    constexpr qint64 Cap = 256 * MiB;
    const int qtLimit = QImageReader::allocationLimit(); // in MB; 0 means none
    return qtLimit > 0 ? qMin(Cap, qtLimit * MiB) : Cap;
}

bool withinPictureLimit(const QSize& size)
{
    if (!size.isValid() || size.isEmpty())
        return false;
    return qint64(size.width()) * size.height() * 4 <= pictureByteLimit();
}

} // namespace store
