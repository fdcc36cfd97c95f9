#pragma once
// Bilinear scaling of the picture viewer: the shown picture is scaled once,
// on the whole picture, to the width of the page area.

#include <QImage>

namespace platform {

// Rounds to the nearest integer (halves to even) and clamps to 0 ... 255.
int ClampToByte(double v);

// A new picture of w x h, 24 bits per pixel; src is not changed. A null
// source or a size below 1 x 1 gives a null image.
QImage ResizeBitmapBilinear(const QImage& src, int w, int h);

} // namespace platform
