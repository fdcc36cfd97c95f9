#include "tools/capture.h"

#include "platform/picture.h"
#include "viewer/main_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QRegion>

namespace capture {

namespace {

QPoint insetOrigin(CaptureInset inset)
{
    return inset == CaptureInset::Drawing ? QPoint(2, 2) : QPoint(0, 4);
}

// Part of the area the widget shows: its rectangle, clipped by its parents
// and less every sibling (of it or a parent) stacked above it.
QRegion uncovered(QWidget* widget, QWidget* area)
{
    QRegion shown(QRect(widget->mapTo(area, QPoint(0, 0)), widget->size()));
    for (QWidget* w = widget; w != area; w = w->parentWidget()) {
        QWidget* parent = w->parentWidget();
        if (!parent)
            break;
        shown &= parent == area ? area->rect() : QRect(parent->mapTo(area, QPoint(0, 0)), parent->size());
        const QObjectList siblings = parent->children();
        for (int i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            auto* s = qobject_cast<QWidget*>(siblings.at(i));
            if (s && !s->isWindow() && s->isVisibleTo(parent))
                shown -= QRect(s->mapTo(area, QPoint(0, 0)), s->size());
        }
    }
    return shown;
}

// The browser engine paints into widgets of its own that a grab of their
// parent leaves blank: each is grabbed alone and laid in where nothing
// covers it.
void paintEngineViews(QWidget* area, const QRect& source, QPainter& p)
{
    const auto children = area->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!child->inherits("QQuickWidget") || child->size().isEmpty() || !child->isVisibleTo(area))
            continue;
        const QRegion shown = uncovered(child, area) & source;
        if (shown.isEmpty())
            continue;
        p.save();
        p.setClipRegion(shown.translated(-source.topLeft()));
        p.drawPixmap(child->mapTo(area, QPoint(0, 0)) - source.topLeft(), child->grab());
        p.restore();
    }
}

} // namespace

QImage grabPageArea(TForm1& w, CaptureInset inset)
{
    const QSize size(qMax(1, w.kabe->width() - 2), qMax(1, w.kabeBrowser->height() - 2));
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    // Parts past the page area's edge stay white rather than showing stale memory.
    const QRect source(insetOrigin(inset), size);
    const QPixmap grabbed = w.kabe->grab(source);
    QPainter p(&image);
    if (!grabbed.isNull())
        p.drawPixmap(0, 0, grabbed);
    paintEngineViews(w.kabe, source, p);
    p.end();
    return image;
}

void toClipboard(const QImage& image)
{
    if (QClipboard* c = QGuiApplication::clipboard())
        c->setImage(image);
}

QImage captureToImage1(TForm1& w, CaptureInset inset)
{
    const QImage image = grabPageArea(w, inset);
    if (inset == CaptureInset::Drawing) {
        w.Image1->setAutoSize(false);
        w.Image1->setStretch(false);
    }
    w.Image1->setAlign(platform::Align::None);
    w.Image1->setBounds(0, 0, image.width(), image.height());
    w.Image1->setPicture(QPixmap::fromImage(image));
    toClipboard(image);
    return image;
}

} // namespace capture

namespace tools {

bool CaptureScreenToImage(TForm1& w, const QString& path, const QStringList& within)
{
    const QImage image = capture::captureToImage1(w, capture::CaptureInset::Merge);
    w.Image1->setVisible(true);
    w.SpeedButton22->setVisible(true);
    if (path.isEmpty())
        return true;
    return platform::savePicture(image, path, 90, within);
}

} // namespace tools
