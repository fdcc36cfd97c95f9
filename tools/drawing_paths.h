#pragma once
// Window-free rules of the drawing: where a page's drawing is kept, the
// names the save dialogs suggest, how a chosen name is written, and the
// part of the page area a click on the capture zooms into.

#include <QString>

namespace capture {

// The drawing file of a page file: "_%" + its name less everything through
// the first "_", extension ".bmp", in the page's folder (1010_intro.html ->
// _%intro.bmp). The leading "_" keeps it out of page lists and searches.
QString drawSavePath(const QString& shownFilePath);

// The drawing of a page that is no local file (a web page) goes to the work
// folder, so it never overwrites the drawing of the last local page.
QString webDrawSavePath(const QString& workFolder);

// Name suggested when the drawing surface is saved: the shown file less
// everything through its first "%", with extension ".bmp" (_%intro.bmp -> intro.bmp).
QString drawingSaveSuggestion(const QString& shownFilePath);

enum class PictureKind { Bmp, Jpeg, Png };
// How a name chosen in the save dialog is written: ".jpg"/".jpeg" as JPEG,
// ".png" as PNG, anything else as a bitmap; letter case ignored.
PictureKind pictureKindFor(const QString& path);

// The half-size part of the W x H page area around a click at x, y that a
// zoom stretches back over the whole area (the click keeps its relative place).
struct ZoomRect {
    int left, top, right, bottom;
};
ZoomRect zoomSourceRect(int W, int H, int x, int y);

} // namespace capture
