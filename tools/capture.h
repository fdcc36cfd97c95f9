#pragma once
// Pictures of the main window's page area. Only the window's own page area
// is read (never another program's window), the way it is painted now:
// the page, or a capture laid over it. Every capture also goes to the
// clipboard.

#include <QImage>
#include <QString>

class TForm1;

namespace capture {

// Where a capture starts inside the page area: the drawing and the save
// button keep 2 pixels off its edges; the page pictures of a merge keep 4
// pixels off the top only.
enum class CaptureInset { Drawing, Merge };

// The page area as a 24-bit picture: width of kabe - 2, height of
// kabeBrowser - 2, from the inset's corner.
QImage grabPageArea(TForm1& w, CaptureInset inset);

// Captures into Image1 (at 0,0, the capture's size) and the clipboard.
QImage captureToImage1(TForm1& w, CaptureInset inset);

// Puts a picture on the clipboard.
void toClipboard(const QImage& image);

} // namespace capture

namespace tools {

// The merge's page picture: capture into Image1, Image1 and SpeedButton22
// shown, clipboard; with a path, a JPEG of quality 90 is written there.
// False when the JPEG could not be written (or path lies outside within).
bool CaptureScreenToImage(TForm1& w, const QString& path, const QStringList& within);

} // namespace tools
