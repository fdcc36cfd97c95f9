// The main window's fixed arrangement: centring of the whole, the browser
// geometry, the bottom bar's positions, the folder pane and page-button
// column toggles, the drawing layout, the refresh button, the File menu and
// the right-button flag.
#include "forms/form1.h"
#include "viewer/main_window.h"

#include "platform/browser.h"
#include "store/text.h"

#include <QFileInfo>

using platform::Align;

namespace {

// Places b gap pixels right of the right edge of prev.
void placeRightOf(platform::Control* b, const platform::Control* prev, int gap)
{
    b->setLeft(prev->left() + prev->width() + gap);
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
    kabeKR->setBounds(0, kabeBrowser->height() - LowerPaneHeight, kabeBrowser->width(), LowerPaneHeight);
    Panel9->setBounds(4, 4, kabeKR->width() - 8, kabeKR->height() - 8);
    setBrowserBounds(WebBrowser2, QRect(-2, -2, Panel9->width() + 24, Panel9->height() + 24));
}

// The back and forward controls with the folder name and counter between them
// sit in the middle of the bar; the drawing buttons follow them.
void TForm1::kabedownResize()
{
    const int base = kabeBASE->width();
    Image6->setLeft(text::divTrunc(base - Panel8->width() - Panel7->width(), 2) - Image6->width() - 5);
    placeRightOf(Panel8, Image6, 0);
    placeRightOf(Panel7, Panel8, 0);
    placeRightOf(Image7, Panel7, 0);
    placeRightOf(Image10, Image7, 0);
    placeRightOf(SpeedButton20, Image10, 50);
    SpeedButton19->setLeft(SpeedButton20->left() + 2 * SpeedButton20->width());
    SpeedButton8->setLeft(SpeedButton20->left() + 2 * SpeedButton20->width());
    SpeedButton22->setLeft(SpeedButton19->left() + 2 * SpeedButton19->width());
    placeBitBtn1();
    SpeedButton6->setLeft(kabedown->width() - 90);
    SpeedButton10->setLeft(SpeedButton6->left());
    placeRightOf(SpeedButton7, SpeedButton6, 4);
}

void TForm1::ArrangeToolbar()
{
    hyoushiup->setVisible(true);
    hyoushiup->setAlign(Align::Client);
    Panel6->setVisible(true);
    placeBitBtn1();
    SpeedButton2->setLeft(SpeedButton11->width() + 6);
    SpeedButton9->setLeft(SpeedButton11->width() + 6);
    placeRightOf(SpeedButton13, SpeedButton9, 35);
    placeRightOf(SpeedButton5, SpeedButton13, 15);
    placeRightOf(SpeedButton14, SpeedButton5, 15);
    placeRightOf(SpeedButton3, SpeedButton14, 15);
    placeRightOf(SpeedButton4, SpeedButton3, 15);
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
        SpeedButton6->setLeft(kabedown->width() - 90);
        SpeedButton10->setLeft(SpeedButton6->left());
        placeRightOf(SpeedButton7, SpeedButton6, 4);
    } else {
        hyoushi->setWidth(0);
        SpeedButton9->setVisible(false);
        SpeedButton2->setVisible(true);
        placeBitBtn1();
    }
    SpeedButton2->setLeft(SpeedButton11->width() + 6);
    SpeedButton9->setLeft(SpeedButton11->width() + 6);
    placeRightOf(SpeedButton13, SpeedButton9, 50);
    placeRightOf(SpeedButton5, SpeedButton13, 30);
    placeRightOf(SpeedButton3, SpeedButton5, 30);
    placeRightOf(SpeedButton4, SpeedButton3, 30);
    SpeedButton6->setLeft(kabeBASE->width() - 90);
    SpeedButton10->setLeft(SpeedButton6->left());
    placeRightOf(SpeedButton7, SpeedButton6, 4);
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
    SpeedButton6->setLeft(kabedown->width() - 90);
    SpeedButton10->setLeft(SpeedButton6->left());
    placeRightOf(SpeedButton7, SpeedButton6, 4);
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
