#pragma once
// The page-button column makes buttons only for the rows in view, a margin
// of rows around them and the current page's row. The scroll range covers
// every row as if each had its button; as the column scrolls, buttons of rows
// that left the view are reused for rows that came into it, so a folder of
// 100,000 pages costs a few screenfuls of buttons. TForm1::PageButtons keeps
// one slot per row; the slot of a row without a button is null.

#include <QFont>

class TForm1;

namespace platform {
class BitBtn;
}

namespace viewer {

// Rows kept beyond each edge of the view.
inline constexpr int kColumnMarginRows = 40;

// The font of every page button.
QFont pageButtonFont();
// A column of rows of rowHeight pixels for the top list level's entries
// (one null slot per entry), with the rows in view made.
void startPageButtonColumn(TForm1& form, int rowHeight);
// Gives up the rows out of view (not the current page's nor a focused one)
// and makes the rows in view, the margin and the current page's.
void fillPageButtonColumn(TForm1& form);
// Row i's button, made now where it was not; null out of range.
platform::BitBtn* pageButtonAt(TForm1& form, int i);
// The column's range no longer reaches past its buttons (they are discarded).
void clearPageButtonColumn(TForm1& form);

} // namespace viewer
