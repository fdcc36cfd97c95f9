#pragma once
// The one limit for every picture the program decodes, also where only its
// size is read from the header (the page reader measures the editor's
// picture that way): a picture over it is treated as missing.

#include <QSize>
#include <QtGlobal>

namespace store {

// The most a decoded picture may take, at four bytes a pixel: what Qt's own
// image reader allows (QImageReader::allocationLimit: 128 MB in Qt 6.4,
// 256 MB in later versions), and never more than 256 MB.
qint64 pictureByteLimit();
// True when a picture of this size may be decoded (an invalid size may not).
bool withinPictureLimit(const QSize& size);

} // namespace store
