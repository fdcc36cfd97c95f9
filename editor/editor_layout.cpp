#include "editor/editor_layout.h"

#include "store/text.h"

namespace editor {

QColor teal() { return QColor(0, 128, 128); }
QColor skyBlue() { return QColor(166, 202, 240); }

QColor scrollBarColor(const QPalette& palette) { return palette.color(QPalette::Midlight); }

std::optional<PageStyleLook> pageStyleLook(int style, const QPalette& palette)
{
    const QColor white(255, 255, 255), black(0, 0, 0);
    const QColor face = palette.color(QPalette::Button);
    PageStyleLook s;
    switch (style) {
    case 0:
        s = {18, white, black, scrollBarColor(palette), 15, white, black, 14, white, 10, 0, true};
        break;
    case 1:
        s = {18, teal(), white, teal(), 15, white, black, 15, white, 15, 15, false};
        break;
    case 2:
        s = {22, teal(), white, teal(), 20, white, teal(), 20, white, 20, 14, false};
        break;
    case 3:
        s = {22, skyBlue(), black, white, 22, face, black, 22, face, 22, 18, false};
        break;
    case 4:
        s = {24, skyBlue(), black, white, 22, face, black, 22, face, 22, 13, false};
        break;
    default:
        return std::nullopt;
    }
    return s;
}

namespace {

bool has(const QString& field, const char* word)
{
    return text::contains(text::lower(field), QString::fromLatin1(word));
}

// The three tests run in this order and a later match wins.
void rowFromTag(const QString& tag, int firstButton, int& button, Qt::Alignment& align)
{
    bool matched = false;
    if (has(tag, "left")) {
        button = firstButton;
        align = Qt::AlignLeft;
        matched = true;
    }
    if (has(tag, "center")) {
        button = firstButton + 1;
        align = Qt::AlignHCenter;
        matched = true;
    }
    if (has(tag, "right")) {
        button = firstButton + 2;
        align = Qt::AlignRight;
        matched = true;
    }
    if (!matched) {
        button = firstButton;
        align = Qt::AlignLeft;
    }
}

} // namespace

AlignmentView alignmentFromTags(const store::PageModel& m)
{
    AlignmentView v;
    rowFromTag(m.ETAGH1, 4, v.headingButton, v.headingAlign);
    rowFromTag(m.ETAGH2, 7, v.subheadingButton, v.subheadingAlign);
    bool matched = false;
    if (has(m.ETAGP1, "left")) {
        v.frameButton = 19;
        v.frame = FramePlacement::Left;
        v.textAlign = Qt::AlignLeft;
        matched = true;
    }
    if (has(m.ETAGP1, "center")) {
        v.frameButton = 20;
        v.frame = FramePlacement::Centre;
        v.textAlign = Qt::AlignHCenter;
        matched = true;
    }
    if (has(m.ETAGHYO1, "right")) {
        v.frameButton = 21;
        v.frame = FramePlacement::Right;
        v.textAlign = Qt::AlignLeft;
        matched = true;
    }
    if (!matched) {
        v.frameButton = 19;
        v.frame = FramePlacement::Left;
    }
    return v;
}

QString ExtractSrcValue(const QString& tag)
{
    const int at = text::pos(QStringLiteral("src="), text::lower(tag));
    if (at == 0)
        return QString();
    // The attribute and the opening quote go.
    const QString rest = text::copyFrom(tag, at + 5);
    const int quote = text::pos(QStringLiteral("\""), rest);
    return quote == 0 ? QString() : text::copy(rest, 1, quote - 1);
}

AreaHeights headingGrown(int n, int memo5Height, int panel10Height, int panel12Height)
{
    AreaHeights h;
    h.memo = n * 29 + 30;
    h.panel11 = h.memo + memo5Height + panel10Height;
    h.panel7 = h.panel11 + panel12Height;
    return h;
}

AreaHeights subheadingGrown(int n, int memo4Height, int panel10Height, int panel12Height)
{
    AreaHeights h;
    h.memo = n * 22 + 25;
    h.panel11 = h.memo + memo4Height + panel10Height;
    h.panel7 = h.panel11 + panel12Height;
    return h;
}

int framedTextPanel7Height(int n, int panel11Height) { return n * 21 + panel11Height + 40; }

int openingPanel7Height(int headingLines, int subheadingLines, int framedLines, int panel10Height)
{
    return 29 * headingLines + 22 * subheadingLines + 21 * framedLines + panel10Height + 95;
}

int centredLeft(int panelWidth, int memoWidth) { return text::divTrunc(panelWidth - memoWidth, 2); }

std::array<QRect, kGridCells> gridCellRects(int w, int h)
{
    const int a = text::divTrunc(h, 14);
    const int c = text::divTrunc(w, 8);
    const int b = text::divTrunc(w, 10);
    const std::array<int, 7> lefts = {0, c, 2 * c, 2 * c + b, 2 * c + 2 * b, 2 * c + 3 * b, 2 * c + 4 * b};
    const std::array<int, 7> widths = {c, c, b, b, b, b, b};
    std::array<QRect, kGridCells> r;
    int i = 0;
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 7; ++col)
            r[i++] = QRect(lefts[col], row * a, widths[col], a);
        r[i++] = QRect(2 * c + 5 * b, row * a, w - (2 * c + 5 * b), a);
    }
    for (int row = 8; row < 12; ++row) {
        r[i++] = QRect(0, row * a, c, a);
        r[i++] = QRect(c, row * a, c, a);
        r[i++] = QRect(2 * c, row * a, w - 2 * c, a);
    }
    r[i] = QRect(0, 12 * a, w, h - 12 * a);
    return r;
}

int fitPageWidth(int mainWindowWidth, int toolColumnWidth) { return mainWindowWidth - toolColumnWidth; }

} // namespace editor
