// The main window's fixed arrangement: centring of the whole, the browser
// geometry, the bottom bar's positions, the folder pane and page-button
// column toggles, the drawing layout, the refresh button, the File menu and
// the right-button flag.
#include "viewer/forms/form1.h"
#include "viewer/main_window.h"

#include "platform/browser.h"
#include "store/text.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QList>
#include <QVector>

#include <algorithm>

using platform::Align;

namespace {

// Places b gap pixels right of the right edge of prev.
void placeRightOf(platform::Control* b, const platform::Control* prev, int gap)
{
    b->setLeft(prev->left() + prev->width() + gap);
}

// What the row of left buttons keeps free before the back arrow, and the
// narrowest gap between two of its buttons.
constexpr int kRowEndRoom = 5;
// The counter's width in the window description; larger counts widen it.
constexpr int kCounterWidth = 60;
constexpr int kCounterPadding = 8;
constexpr int kNarrowestGap = 4;

// Takes overrun pixels from the gaps: the later gaps give way first, a pixel
// at a time in turn, then the first one, none below kNarrowestGap.
void shrinkGaps(QVector<int>& gaps, int overrun)
{
    for (int first : {1, 0}) {
        bool shrunk = true;
        while (overrun > 0 && shrunk) {
            shrunk = false;
            for (int i = gaps.size() - 1; i >= first && overrun > 0; --i) {
                if (gaps[i] > kNarrowestGap) {
                    --gaps[i];
                    --overrun;
                    shrunk = true;
                }
            }
        }
    }
}

// Where the back arrow goes so that the folder name and counter sit in the
// middle of the bar.
int centredBackArrowLeft(const TForm1& w)
{
    return text::divTrunc(w.kabeBASE->width() - w.Panel8->width() - w.Panel7->width(), 2) - w.Image6->width() - 5;
}

// The right edge of the row of left buttons (the cover button ends it).
int leftRowEnd(const TForm1& w)
{
    return w.SpeedButton4->left() + w.SpeedButton4->width();
}

// The folder toggle right of the File button, then the row of copy,
// programming and presentation buttons, each gap pixels right of the one
// before it (firstGap after the folder toggle). The copy-folder button
// SpeedButton14 is placed only when withCopyFolderButton is set; left where
// it is, it stays out of the row. The row never reaches the back arrow and
// the folder name in the middle of the bar: where the asked gaps would take
// it there, they narrow; on a bar too narrow even for that, the middle group
// moves right of the row. No button lies under them.
void placeLeftButtons(TForm1& w, int firstGap, int gap, bool withCopyFolderButton)
{
    w.SpeedButton2->setLeft(w.SpeedButton11->width() + 6);
    w.SpeedButton9->setLeft(w.SpeedButton11->width() + 6);
    QList<platform::Control*> row{w.SpeedButton13, w.SpeedButton5, w.SpeedButton3, w.SpeedButton4};
    if (withCopyFolderButton)
        row.insert(2, w.SpeedButton14);
    QVector<int> gaps(row.size(), gap);
    gaps[0] = firstGap;
    const int start = w.SpeedButton9->left() + w.SpeedButton9->width();
    int end = start;
    for (int i = 0; i < row.size(); ++i)
        end += gaps[i] + row[i]->width();
    const int limit = centredBackArrowLeft(w) - kRowEndRoom;
    if (end > limit)
        shrinkGaps(gaps, end - limit);
    const platform::Control* previous = w.SpeedButton9;
    for (int i = 0; i < row.size(); ++i) {
        placeRightOf(row[i], previous, gaps[i]);
        previous = row[i];
    }
    if (leftRowEnd(w) + kRowEndRoom > w.Image6->left())
        w.kabedownResize();
}

// The column toggle 90 pixels left of the right edge, the other toggle on
// it, and the memo button 4 pixels right of it.
void placeColumnToggle(TForm1& w, int rightEdge)
{
    w.SpeedButton6->setLeft(rightEdge - 90);
    w.SpeedButton10->setLeft(w.SpeedButton6->left());
    placeRightOf(w.SpeedButton7, w.SpeedButton6, 4);
}

} // namespace

void TForm1::FormResize()
{
    if (!kabeBASE)
        return;
    kabeBASE->setLeft(text::divTrunc(width() - kabeBASE->width(), 2));
    kabeBASE->setTop(text::divTrunc(height() - kabeBASE->height(), 2));
}

void TForm1::hyoushiResize()
{
    const int w = kabeBASE->width();
    kabeBASE->setLeft(w < width() ? text::divTrunc(width() - w, 2) : 0);
    kabeBASE->setTop(text::divTrunc(height() - kabeBASE->height(), 2));
}

void TForm1::placeBitBtn1()
{
    BitBtn1->setLeft(kabeBASE->width() - BitBtn1->width() - kabeRight->width() - hyoushi->width() - 12);
}

void TForm1::kabeResize()
{
    const int w = kabeBrowser->width();
    const int h = kabeBrowser->height();
    QRect r1 = browserBounds(WebBrowser1);
    setBrowserBounds(WebBrowser1, QRect(r1.x(), r1.y(), w + 4, h + 4));
    for (platform::Browser* b : {WebBrowser2, WebBrowser3}) {
        const QRect r = browserBounds(b);
        setBrowserBounds(b, QRect(r.x(), r.y(), w + 24, r.height()));
    }
}

void TForm1::kabeRightResize()
{
    kabeResize();
    // An open lower pane keeps its size; a closed one (every page shown
    // closes it) stays closed, or a layout switch would bring back the
    // previous page's feedback over the new page.
    const int paneHeight = kabeKR->height() > 0 ? LowerPaneHeight : 0;
    kabeKR->setBounds(0, kabeBrowser->height() - paneHeight, kabeBrowser->width(), paneHeight);
    Panel9->setBounds(4, 4, kabeKR->width() - 8, kabeKR->height() - 8);
    setBrowserBounds(WebBrowser2, QRect(-2, -2, Panel9->width() + 24, Panel9->height() + 24));
}

// The back and forward controls with the folder name and counter between them
// sit in the middle of the bar; the drawing buttons follow them.
void TForm1::kabedownResize()
{
    // Centred, unless the row of left buttons reaches there (a narrow bar).
    Image6->setLeft(std::max(centredBackArrowLeft(*this), leftRowEnd(*this) + kRowEndRoom));
    placeRightOf(Panel8, Image6, 0);
    placeRightOf(Panel7, Panel8, 0);
    placeRightOf(Image7, Panel7, 0);
    placeRightOf(Image10, Image7, 0);
    placeRightOf(SpeedButton20, Image10, 50);
    SpeedButton19->setLeft(SpeedButton20->left() + 2 * SpeedButton20->width());
    SpeedButton8->setLeft(SpeedButton20->left() + 2 * SpeedButton20->width());
    SpeedButton22->setLeft(SpeedButton19->left() + 2 * SpeedButton19->width());
    placeBitBtn1();
    placeColumnToggle(*this, kabedown->width());
}

void TForm1::showPageCounter(const QString& text)
{
    Panel7->setCaption(text);
    // Cut digits would show another page number: the panel grows with the
    // count (a folder of 100,000 pages needs "100000 / 100000") and the bar
    // places its middle group around it again.
    const int width = std::max(kCounterWidth, QFontMetrics(Panel7->font()).horizontalAdvance(text) + kCounterPadding);
    if (width == Panel7->width())
        return;
    Panel7->setWidth(width);
    kabedownResize();
}

void TForm1::ArrangeToolbar()
{
    hyoushiup->setVisible(true);
    hyoushiup->setAlign(Align::Client);
    Panel6->setVisible(true);
    placeBitBtn1();
    placeLeftButtons(*this, 35, 15, true);
    SpeedButton7->setVisible(true);
    SpeedButton7->setTag(0);
    kabeRight->setLeft(kabeBASE->width());
    kabeRight->setWidth(form1::kColumnWidth);
    placeBitBtn1();
    kabeRight->setAlign(Align::Right);
    SpeedButton6->setVisible(true);
    SpeedButton10->setVisible(false);
    SpeedButton6->setLeft(kabedown->width() - 90);
    SpeedButton10->setLeft(SpeedButton6->left());
    HighlightCurrent = 1;
}

void TForm1::Panel11MouseEnter()
{
    if (hyoushi->width() <= 0) {
        hyoushi->setWidth(form1::kFolderPaneWidth);
        SpeedButton9->setVisible(true);
        SpeedButton2->setVisible(false);
        placeBitBtn1();
        placeColumnToggle(*this, kabedown->width());
    } else {
        hyoushi->setWidth(0);
        SpeedButton9->setVisible(false);
        SpeedButton2->setVisible(true);
        placeBitBtn1();
    }
    // Wider gaps where they fit. The copy-folder button moves along with the
    // others: left where it was, the programming button would cover it.
    placeLeftButtons(*this, 50, 30, true);
    placeColumnToggle(*this, kabeBASE->width());
    PageClick(0, true);
}

void TForm1::Panel12MouseEnter()
{
    if (kabeRight->width() < 2) {
        SpeedButton7->setVisible(true);
        SpeedButton7->setTag(0);
        kabeRight->setTag(0);
        kabeRight->setAlign(Align::Right);
        kabeRight->setWidth(form1::kColumnWidth);
        placeBitBtn1();
        SpeedButton6->setVisible(true);
        SpeedButton10->setVisible(false);
    } else {
        SpeedButton7->setVisible(true);
        SpeedButton7->setTag(1);
        kabeRight->setTag(1);
        kabeRight->setAlign(Align::None);
        kabeRight->setWidth(1);
        placeBitBtn1();
        kabeRight->setLeft(kabeBASE->width());
        SpeedButton6->setVisible(false);
        SpeedButton10->setVisible(true);
    }
    placeColumnToggle(*this, kabedown->width());
    PageClick(0, true);
}

void TForm1::SetDrawingLayout(int on)
{
    Image1->setVisible(on != 0);
    SpeedButton22->setVisible(on != 0);
    kabeKR->setHeight(0);
    setBrowserBounds(WebBrowser1, QRect(-2, kabeBrowser->top() - 2, kabeBrowser->width() + 4, kabeBrowser->height() + 4));
    for (platform::Browser* b : {WebBrowser2, WebBrowser3}) {
        const QRect r = browserBounds(b);
        setBrowserBounds(b, QRect(r.x(), r.y(), kabeBrowser->width() + 24, 0));
    }
    DrawingMode = on;
}

void TForm1::Image10Click()
{
    if (levels.IsCurrentPage(caption()) > 0)
        PageClick(0, true);
    else if (WebBrowser1)
        WebBrowser1->refresh();
}

void TForm1::prepareFileMenu()
{
    N1->setCaption(QStringLiteral("今のフォルダ「") + QFileInfo(CurrentFolder()).fileName() + QStringLiteral("]"));
    N8->setVisible(PBanSu() >= 1);
}

QPoint TForm1::fileMenuPoint() const
{
    return QPoint(x() + kabeBASE->left() + 10, y() + height() - 230);
}

void TForm1::SpeedButton11Click()
{
    prepareFileMenu();
    PopupMenu2->popup(fileMenuPoint());
}

void TForm1::Panel1MouseDown(bool rightHeld)
{
    RightClickFlag = rightHeld;
}
