#pragma once
// What the page editor window shows, as plain data: the look of the five
// page styles, the alignment the tag fields ask for, the heights the upper
// text area grows to, and the geometry of the 77-cell grid. The window
// applies these to its controls; tests call them directly.

#include "store/page_model.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

namespace editor {

// ---- page styles ----
struct PageStyleLook {
    int headingPt = 0;
    QColor headingBack, headingText;
    QColor ruleColor;  // Panel10
    int subheadingPt = 0;
    QColor subheadingBack, subheadingText;
    int textPt = 0;  // framed and unframed text; their text is always black
    QColor textBack;
    int cellPt = 0;
    int pressedStyleButton = 0;  // 13, 14, 15, 18; 0: none
    bool linkButtonRaised = false;  // SpeedButton16
};
// The look of style 0 .. 4; nothing for any other number. Button face and
// the scroll-bar colour come from the palette.
std::optional<PageStyleLook> pageStyleLook(int style, const QPalette& palette);
QColor teal();
QColor skyBlue();
// The system's scroll-bar colour (the rule of the plain style).
QColor scrollBarColor(const QPalette& palette);

// ---- alignment from the tag fields ----
enum class FramePlacement { Left, Centre, Right };
struct AlignmentView {
    int headingButton = 4;  // 4, 5 or 6 shown pressed
    Qt::Alignment headingAlign = Qt::AlignLeft;
    int subheadingButton = 7;  // 7, 8 or 9
    Qt::Alignment subheadingAlign = Qt::AlignLeft;
    int frameButton = 19;  // 19, 20 or 21
    FramePlacement frame = FramePlacement::Left;
    // Alignment of the framed and unframed text; nothing when the tags
    // leave it as it was.
    std::optional<Qt::Alignment> textAlign;
};
AlignmentView alignmentFromTags(const store::PageModel& m);

// The src value of a start tag; "" when it has none.
QString ExtractSrcValue(const QString& tag);

// ---- heights of the upper text area ----
struct AreaHeights {
    int panel7 = 0;
    int panel11 = 0;
    int memo = 0;
};
// n: the lines the changed memo shows after the change.
AreaHeights headingGrown(int n, int memo5Height, int panel10Height, int panel12Height);
AreaHeights subheadingGrown(int n, int memo4Height, int panel10Height, int panel12Height);
int framedTextPanel7Height(int n, int panel11Height);
// Panel7's height when a page is opened.
int openingPanel7Height(int headingLines, int subheadingLines, int framedLines, int panel10Height);
// Left edge of the centred framed text.
int centredLeft(int panelWidth, int memoWidth);

// ---- the cell grid ----
constexpr int kGridCells = 77;
// Cells in reading order (Memo3, Memo6 .. Memo81) for a grid panel of
// width w and height h.
std::array<QRect, kGridCells> gridCellRects(int w, int h);

// ---- page widths ----
int fitPageWidth(int mainWindowWidth, int toolColumnWidth);

} // namespace editor
