// Presentation mode: the cover, the mask and its page turns.
#include "tools/presentation.h"

#include "store/text.h"
#include "tools/forms/form11.h"
#include "tools/forms/form12.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/main_window.h"

#include <QPainter>
#include <QScreen>

namespace {

const QColor kTeal(0, 128, 128);

QString coverPictureName()
{
    return QStringLiteral("Image4");
}

platform::Image* coverPicture(TForm1& w)
{
    return w.Panel4->findChild<platform::Image*>(coverPictureName());
}

// The cover's picture: a plain card with the program's name.
QPixmap drawnCover(const QString& name)
{
    QPixmap pm(240, 120);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 200, 200), 2));
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRectF(2, 2, 236, 116), 12, 12);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(28);
    p.setFont(font);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRect(0, 0, 240, 120), Qt::AlignCenter, name);
    return pm;
}

// The bottom-bar button has no caption: a small screen with a closed
// curtain tells it apart from its neighbours.
QPixmap drawnCoverButton()
{
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(1.5, 2.5, 15, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(kTeal);
    p.drawRect(QRectF(3, 4, 12, 8));
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(9, 14), QPointF(9, 17));
    p.drawLine(QPointF(5, 17), QPointF(13, 17));
    return pm;
}

void maximize(TForm1& w)
{
    w.setWindowState((w.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void restoreNormal(TForm1& w)
{
    w.setWindowState(w.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

void closeMask()
{
    if (Form11)
        Form11->close();
}

void turnPage(TForm1& w, bool rightHalf)
{
    const QString command = presentation::pageTurn(rightHalf, w.PBan(), w.PBanSu());
    if (!command.isEmpty())
        w.KRNcommand(command);
}

void startMaskTimer(TForm1& w)
{
    w.Timer2->setInterval(1000);
    w.Timer2->setEnabled(true);
}

void hideCover(TForm1& w)
{
    w.Panel4->setVisible(false);
    w.Panel4->setTag(0);
}

} // namespace

void TForm11::FormResize()
{
    TForm1* w = TForm1::instance();
    if (!w || !w->kabeBASE)
        return;
    presentation::HoleInputs in;
    const QPoint client = w->mapToGlobal(QPoint(0, 0)) - mapToGlobal(QPoint(0, 0));
    in.clientX = client.x();
    in.clientY = client.y();
    in.maskHeight = frameGeometry().height();
    in.maskClientHeight = height();
    in.baseLeft = w->kabeBASE->left();
    in.baseTop = w->kabeBASE->top();
    in.kabeLeft = w->kabe->left();
    in.kabeTop = w->kabe->top();
    in.kabeWidth = w->kabe->width();
    in.kabeHeight = w->kabe->height();
    in.hyoushiupWidth = w->hyoushiup->width();
    in.kabeRightWidth = w->kabeRight->width();
    in.kabedownHeight = w->kabedown->height();
    setMask(QRegion(rect()).xored(QRegion(presentation::maskHole(in))));
}

void TForm11::FormMouseDown(const platform::MouseArgs& a)
{
    TForm1* w = TForm1::instance();
    if (a.button == Qt::RightButton) {
        close();
        return;
    }
    if (!w)
        return;
    if (a.y < 40) {
        // Leaving presentation: the memo window may come back.
        hideCover(*w);
        Tag = 0;
        restoreNormal(*w);
        close();
        return;
    }
    turnPage(*w, a.x >= text::divTrunc(width(), 2));
}

void TForm11::FormClose()
{
    setWindowState(Qt::WindowNoState);
    resize(10, 10);
}

namespace presentation {

QRect maskHole(const HoleInputs& in)
{
    // The client offset stands for the frame and caption of the main window.
    const int left = in.clientX + in.baseLeft + in.kabeLeft - in.hyoushiupWidth - 2;
    const int top = in.clientY + in.maskHeight + in.baseTop - in.maskClientHeight - 4;
    const int right = in.clientX + in.kabeRightWidth + in.baseLeft + in.kabeWidth + in.kabeLeft - 2;
    const int bottom = in.baseTop + in.kabeHeight + in.kabeTop + in.kabedownHeight - 4;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QString pageTurn(bool rightHalf, int pban, int pbanSu)
{
    if (pban < 0 || pban >= pbanSu)
        return QString();
    if (rightHalf)
        return pban < pbanSu - 1 ? QStringLiteral("NEXT") : QStringLiteral("TOP");
    return pban > 0 ? QStringLiteral("BACK") : QString();
}

void FormMouseDown(TForm1& w, const platform::MouseArgs& a)
{
    maximize(w);
    if (Form11)
        Form11->Tag = 0;
    startMaskTimer(w);
    w.Panel4->setAlign(platform::Align::Client);
    if (!a.rightHeld) {
        w.Panel4->setVisible(true);
        w.Panel4->raise();
        w.Panel4->setTag(1);
        if (Form12)
            Form12->close();
        return;
    }
    hideCover(w);
    turnPage(w, a.x > text::divTrunc(w.width(), 2));
}

void N4Click(TForm1& w)
{
    w.Panel4->setAlign(platform::Align::Client);
    hideCover(w);
    w.kabeBASE->setAlign(platform::Align::Client);
    maximize(w);
    if (Form11)
        Form11->Tag = 1;
    startMaskTimer(w);
}

void Timer2Timer(TForm1& w)
{
    w.Timer2->setInterval(0);
    w.Timer2->setEnabled(false);
    w.Panel4->setColor(kTeal);
    windowOnDemand(Form11, &w);
    Form11->setColor(kTeal);
    if (Form11->Tag != 0)
        return;
    // Without window shapes the mask would hide the page itself: no mask,
    // and no mode that would keep the memo window away.
    if (!TForm11::shapesSupported())
        return;
    Form11->Tag = 1;
    // Where no window manager maximizes it, the mask would keep the size it
    // was shrunk to when it closed.
    if (const QScreen* screen = w.screen())
        Form11->setGeometry(screen->geometry());
    Form11->setWindowState(Qt::WindowMaximized);
    Form11->show();
    Form11->FormResize();
}

void Panel4MouseUp(TForm1& w)
{
    hideCover(w);
    if (Form11)
        Form11->Tag = 0;
    restoreNormal(w);
    closeMask();
}

void Panel4Resize(TForm1& w)
{
    platform::Image* picture = coverPicture(w);
    if (!picture)
        return;
    picture->setTop(text::divTrunc(w.Panel4->height() - picture->height() - 35, 2));
    picture->setLeft(text::divTrunc(w.Panel4->width() - picture->width(), 2));
}

void bindPresentation(TForm1& w)
{
    TForm1* m = &w;
    if (!coverPicture(w)) {
        auto* picture = new platform::Image(w.Panel4, coverPictureName());
        picture->setPicture(drawnCover(w.ExeBaseName));
        picture->setBounds(0, 0, picture->picture().width(), picture->picture().height());
    }
    if (w.SpeedButton4->glyph().isNull())
        w.SpeedButton4->setGlyph(drawnCoverButton());
    w.SpeedButton4->onMouseDown = [m](const platform::MouseArgs& a) { FormMouseDown(*m, a); };
    w.N4->onClick = [m] { N4Click(*m); };
    w.Timer2->onTimer = [m] { Timer2Timer(*m); };
    const auto up = [m](const platform::MouseArgs&) { Panel4MouseUp(*m); };
    w.Panel4->onMouseUp = up;
    coverPicture(w)->onMouseUp = up;
    w.Panel4->onResize = [m] { Panel4Resize(*m); };
    Panel4Resize(w);
}

} // namespace presentation
