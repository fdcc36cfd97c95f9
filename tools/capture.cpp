#include "tools/capture.h"

#include "platform/picture.h"
#include "viewer/main_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace capture {

namespace {

QPoint insetOrigin(CaptureInset inset)
{
    return inset == CaptureInset::Drawing ? QPoint(2, 2) : QPoint(0, 4);
}

} // namespace

QImage grabPageArea(TForm1& w, CaptureInset inset)
{
    const QSize size(qMax(1, w.kabe->width() - 2), qMax(1, w.kabeBrowser->height() - 2));
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    // Parts past the page area's edge stay white rather than showing stale memory.
    const QPixmap grabbed = w.kabe->grab(QRect(insetOrigin(inset), size));
    if (!grabbed.isNull()) {
        QPainter p(&image);
        p.drawPixmap(0, 0, grabbed);
    }
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

bool CaptureScreenToImage(TForm1& w, const QString& path)
{
    const QImage image = capture::captureToImage1(w, capture::CaptureInset::Merge);
    w.Image1->setVisible(true);
    w.SpeedButton22->setVisible(true);
    if (path.isEmpty())
        return true;
    return platform::savePicture(image, path, 90);
}

} // namespace tools
