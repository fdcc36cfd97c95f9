#pragma once
// Drawing on a frozen picture of the page: start (new or the page's last
// drawing), freehand strokes, the pen menu, wiping one pen colour, leaving,
// saving as a picture, the full-screen viewer and the zoom of the capture.
// All controls are the main window's own.

#include <QImage>
#include <QPoint>
#include <QString>

class TForm1;

namespace tools {

// The drawing file of the page shown now (a web page's goes to WorkFolder).
QString CurrentDrawSavePath(const TForm1& w);

// reopen: load the page's last drawing when there is one.
void StartScreenDrawing(TForm1& w, bool reopen);
// Back to the page; discard: the drawing is replaced by the plain capture.
void LeaveScreenDrawing(TForm1& w, bool discard);
// Freehand: pos on the drawing surface.
void Image11MouseMove(TForm1& w, const QPoint& pos, bool leftHeld);

// The pen menu at a point of the main window's client area; x is the press's
// own X, which decides whether the menu opens (a repeat of the press that
// opened it last does nothing).
void OpenPenMenu(TForm1& w, int x, int y, const QPoint& clientPoint);
void SetPenColour(TForm1& w, int penIndex); // N10Click .. N14Click
void SetPenWidth(TForm1& w, int width);     // N16Click, N17Click
void N19Click(TForm1& w);                   // wipe the pen's colour
void N15Click(TForm1& w);                   // save the drawing surface
void N18Click(TForm1& w);                   // full-screen viewer
void SpeedButton20Click(TForm1& w);         // capture, clipboard, save
// Zooms the capture around a click at x, y of the page area.
void Image1Click(TForm1& w, int x, int y);

} // namespace tools

namespace capture {
// Writes a picture under a name chosen by the person: ".jpg"/".jpeg" as a
// JPEG of jpegQuality, ".png" as PNG, any other name as a 24-bit bitmap.
// Written only inside within.
bool writePicture(const QImage& image, const QString& path, int jpegQuality, const QStringList& within);
} // namespace capture
