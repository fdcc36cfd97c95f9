#include "platform/bitmap_resize.h"

#include <cmath>

namespace platform {

int ClampToByte(double v)
{
    if (std::isnan(v) || v <= 0.0)
        return 0;
    if (v >= 255.0)
        return 255;
    return int(std::nearbyint(v)); // the default rounding mode sends halves to even
}

QImage ResizeBitmapBilinear(const QImage& src, int w, int h)
{
    if (src.isNull() || w < 1 || h < 1)
        return QImage();
    const QImage source = src.convertToFormat(QImage::Format_RGB888);
    QImage dest(w, h, QImage::Format_RGB888);
    if (source.isNull() || dest.isNull())
        return QImage();
    const int W = source.width();
    const int H = source.height();
    const double sx = double(W) / w;
    const double sy = double(H) / h;
    for (int y = 0; y < h; ++y) {
        const double fys = y * sy;
        const int y0 = qBound(0, int(fys), H - 1);
        const int y1 = y0 + 1 <= H - 1 ? y0 + 1 : y0;
        const double fy = fys - y0;
        const uchar* row0 = source.constScanLine(y0);
        const uchar* row1 = source.constScanLine(y1);
        uchar* out = dest.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double fxs = x * sx;
            const int x0 = qBound(0, int(fxs), W - 1);
            const int x1 = x0 + 1 <= W - 1 ? x0 + 1 : x0;
            const double fx = fxs - x0;
            for (int c = 0; c < 3; ++c) {
                const double top = row0[3 * x0 + c] * (1 - fx) + row0[3 * x1 + c] * fx;
                const double bottom = row1[3 * x0 + c] * (1 - fx) + row1[3 * x1 + c] * fx;
                out[3 * x + c] = uchar(ClampToByte(top * (1 - fy) + bottom * fy));
            }
        }
    }
    return dest;
}

} // namespace platform
