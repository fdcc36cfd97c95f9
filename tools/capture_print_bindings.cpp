#include "tools/capture_print_bindings.h"

#include "platform/browser.h"
#include "tools/drawing.h"
#include "tools/print_entry_points.h"
#include "tools/printing.h"
#include "viewer/main_window.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <memory>

namespace tools {

namespace {

// Mouse moves over the drawing surface, with or without a button held.
class SurfaceMoves : public QObject {
public:
    SurfaceMoves(TForm1& w, QObject* parent) : QObject(parent), w_(&w) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseMove && w_) {
            const auto* m = static_cast<QMouseEvent*>(e);
            Image11MouseMove(*w_, m->position().toPoint(), m->buttons().testFlag(Qt::LeftButton));
        }
        return QObject::eventFilter(watched, e);
    }

private:
    QPointer<TForm1> w_;
};

void bindDrawingButtons(TForm1& w)
{
    TForm1* m = &w;
    // Both have a right-button action: reopen the last drawing, leave discarding it.
    w.SpeedButton19->setRightButtonClicks(true);
    w.SpeedButton8->setRightButtonClicks(true);
    w.SpeedButton19->onClick = [m] { StartScreenDrawing(*m, m->SpeedButton19->rightPressed()); };
    w.SpeedButton8->onClick = [m] { LeaveScreenDrawing(*m, m->SpeedButton8->rightPressed()); };
    w.SpeedButton20->onClick = [m] {
        if (!m->SpeedButton20->rightPressed())
            SpeedButton20Click(*m);
    };
    w.SpeedButton22->onMouseDown = [m](const platform::MouseArgs& a) {
        const int x = m->SpeedButton22->mapTo(m, QPoint(0, 0)).x();
        const int y = m->kabe->mapTo(m, QPoint(0, 0)).y() + m->Panel10->height() - 240;
        OpenPenMenu(*m, a.x, a.y, QPoint(x, qMax(0, y)));
    };
}

void bindSurface(TForm1& w)
{
    TForm1* m = &w;
    w.Image11->setMouseTracking(true);
    w.Image11->installEventFilter(new SurfaceMoves(w, w.Image11));
    w.Image11->onMouseDown = [m](const platform::MouseArgs& a) {
        if (a.rightHeld)
            OpenPenMenu(*m, a.x, a.y, m->Image11->mapTo(m, QPoint(a.x, a.y)));
    };
    // The capture zooms around the point pressed.
    auto pressed = std::make_shared<QPoint>();
    w.Image1->onMouseDown = [pressed](const platform::MouseArgs& a) { *pressed = QPoint(a.x, a.y); };
    w.Image1->onClick = [m, pressed] { Image1Click(*m, pressed->x(), pressed->y()); };
}

void bindPenMenu(TForm1& w)
{
    TForm1* m = &w;
    platform::MenuItem* pens[] = {w.N10, w.N11, w.N12, w.N13, w.N14};
    for (int i = 0; i < 5; ++i)
        pens[i]->onClick = [m, i] { SetPenColour(*m, i); };
    w.N16->onClick = [m] { SetPenWidth(*m, 20); };
    w.N17->onClick = [m] { SetPenWidth(*m, 5); };
    w.N19->onClick = [m] { N19Click(*m); };
    w.N15->onClick = [m] { N15Click(*m); };
    w.N18->onClick = [m] { N18Click(*m); };
}

} // namespace

void bindCapturePrint(TForm1& w)
{
    bindDrawingButtons(w);
    bindSurface(w);
    bindPenMenu(w);
    TForm1* m = &w;
    w.Timer4->onTimer = [m] { Timer4Timer(*m); };
    if (w.WebBrowser3)
        w.WebBrowser3->setDocumentComplete([m](const QString& url) { WebBrowser3DocumentComplete(*m, url); });
    // The page menu's print items.
    PrintEntryPoints& print = printEntryPoints();
    print.PrintPageWorksheet = PrintPageWorksheet;
    print.PrintPageAnswerSheet = PrintPageAnswerSheet;
    print.MergeCheckedPages = MergeCheckedPages;
    print.N6Click = N6Click;
}

} // namespace tools
