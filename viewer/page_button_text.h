#pragma once
// The texts of the page-button column, without any window: how a page title
// splits into icon, caption lines and hint, how a caption line is padded to
// the column's width, and how high a row is.

#include <QString>

namespace viewer {

// Columns of a full-width caption line; a half-width line has twice as many.
inline constexpr int kButtonCaptionColumns = 16;
// Left margin of every page button, and half the width it gives up.
inline constexpr int kButtonMargin = 2;
// Smallest row height of the column.
inline constexpr int kMinButtonRowHeight = 28;

// One padded caption line: blanks up to 32 columns when the text ends in a
// Latin letter, a digit or "(", ideographic spaces up to 16 columns otherwise.
// The text is never cut.
QString PadButtonCaption(const QString& s, int indent);

// The parts of a page title as a button shows them.
struct PageButtonTitle {
    QString icon;        // icon file name between the first two double quotes
    QString text;        // caption text: first line, then "#", then second line
    QString hint;        // text after the first "?" (hasHint tells it was there)
    bool hasHint = false;
};
// title must already have "&lt;" and "&gt;" turned back.
PageButtonTitle splitPageButtonTitle(const QString& title);

// One or two padded lines, the second after "#" with indent 4, joined by "\n".
QString buttonCaption(const QString& text);

// "3" or "3 hint text" for the page at index (0-based).
QString buttonHint(int index, const PageButtonTitle& title);

// Rows fill a column with few pages and shrink to 28 pixels with many.
int pageButtonRowHeight(int columnHeight, int entries);

// The title of a page file as a refreshed button shows it: the TITLE of a
// page that declares "<!DOCTYPE HTML PUBLIC", else the base-name rule.
// listTitle stands in for files that are missing or not pages.
QString refreshedButtonTitle(const QString& path, const QString& listTitle);

} // namespace viewer
