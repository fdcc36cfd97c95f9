#pragma once
// The pen colours of the drawing and the wiping of one pen colour off a
// drawing: each row is scanned from the left, and a pixel of the pen's
// colour range takes the colour of the last pixel before it that was not,
// starting from white. Strokes over paper vanish; strokes over a coloured
// area take the colour to their left.

#include <QColor>
#include <QImage>
#include <QString>

namespace capture {

constexpr int kPenCount = 5;

struct PenInfo {
    const char* name;          // menu item
    QString caption;           // its caption
    QColor colour;             // what the pen draws
    QString cleanCaption;      // caption of the wiping item while this pen is chosen
};

// Pen 0 red, 1 blue, 2 yellow, 3 white, 4 black; out of range gives red.
PenInfo penInfo(int penIndex);

// Whether wiping with pen penIndex replaces a pixel of colour rgb.
bool isPenPixel(int penIndex, QRgb rgb);

// Wipes one row in place (the scan described above).
void cleanRow(QRgb* row, int count, int penIndex);

// A 24-bit copy of image with the pen's colour wiped off every row.
QImage cleanPenColour(const QImage& image, int penIndex);

} // namespace capture
