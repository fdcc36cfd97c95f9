#pragma once
// The page-button column of the main window: one focusable button per entry
// of the top list level, stacked in ScrollBox1 (made for the rows in view:
// page_button_column.h). TForm1's ReMake,
// BuildPageButtons, RefreshPageButton and the button handlers live in
// page_buttons.cpp; these helpers are shared with the page display and the
// way home.
//
// A rebuild never frees a button under a running handler: old buttons are
// hidden and deleted later, and every handler carries the index and the
// generation of the build that made its button, so a click, key or focus
// change that reaches an old button does nothing.

#include "viewer/page_button_text.h"

#include <QPixmap>
#include <QString>

class TForm1;

namespace viewer {

// The width of the column beside its vertical scroll bar, also before the
// scroll area has made room for a scroll bar it is about to show.
int pageColumnWidth(const TForm1& form);
// Hides the buttons, schedules their deletion and makes their handlers inert.
void discardPageButtons(TForm1& form);
// Font, position, width and colour of every made button (the column first
// makes the rows in view and the current page's); the current page's button
// stands out when highlightCurrent is set. Only what differs is set.
void stylePageButtons(TForm1& form, bool highlightCurrent);
// The same for row i's button, when it is made.
void stylePageButton(TForm1& form, int i, bool highlightCurrent);
// Places the current page's button as the highlighted one.
void highlightCurrentButton(TForm1& form);
// The glyph for an icon name: the file in folder (case ignored), else the
// default icon 1 for longer names and 0 for one-character names.
QPixmap pageButtonGlyph(const TForm1& form, const QString& folder, const QString& icon);

} // namespace viewer
