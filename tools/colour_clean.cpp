#include "tools/colour_clean.h"

#include <QVector>

namespace capture {

PenInfo penInfo(int penIndex)
{
    switch (penIndex) {
    case 1: return {"N11", QStringLiteral("青ペン"), QColor(0, 0, 255), QStringLiteral("画面の青色を消す")};
    case 2: return {"N12", QStringLiteral("黄ペン"), QColor(255, 255, 0), QStringLiteral("画面の黄色を消す")};
    case 3: return {"N13", QStringLiteral("白ペン"), QColor(255, 255, 255), QStringLiteral("画面の白色を消す")};
    case 4: return {"N14", QStringLiteral("黒ペン"), QColor(0, 0, 0), QStringLiteral("画面の黒色を消す")};
    default: return {"N10", QStringLiteral("赤ペン"), QColor(255, 0, 0), QStringLiteral("画面の赤色を消す")};
    }
}

bool isPenPixel(int penIndex, QRgb rgb)
{
    const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
    switch (penIndex) {
    case 1: return r < 200 && g < 200 && b > 230;
    case 2: return r > 100 && g > 100 && b < 100;
    case 3: return r > 240 && g > 240 && b > 240;
    case 4: return r < 10 && g < 10 && b < 10;
    default: return r > 230 && g < 200 && b < 200;
    }
}

void cleanRow(QRgb* row, int count, int penIndex)
{
    QRgb fill = qRgb(255, 255, 255);
    for (int x = 0; x < count; ++x) {
        if (isPenPixel(penIndex, row[x]))
            row[x] = fill;
        else
            fill = row[x];
    }
}

QImage cleanPenColour(const QImage& image, int penIndex)
{
    if (image.isNull())
        return QImage();
    QImage work = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < work.height(); ++y)
        cleanRow(reinterpret_cast<QRgb*>(work.scanLine(y)), work.width(), penIndex);
    return work.convertToFormat(QImage::Format_RGB888);
}

} // namespace capture
