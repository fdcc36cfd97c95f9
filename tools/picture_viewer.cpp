#include "tools/picture_viewer.h"

#include "platform/picture.h"
#include "platform/seam.h"
#include "store/files.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace tools {

PictureViewer::PictureViewer(const QPixmap& picture, QWidget* parent)
    : QDialog(parent), picture_(picture)
{
    setObjectName(QStringLiteral("PictureViewer"));
    setWindowTitle(QStringLiteral("ビュア"));
    setWindowState(Qt::WindowFullScreen);
    setCursor(Qt::PointingHandCursor);
}

void PictureViewer::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    QSize size = picture_.size();
    // Small pictures keep their size; large ones shrink to fit.
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(target, picture_);
}

void PictureViewer::keyPressEvent(QKeyEvent*)
{
    accept();
}

void PictureViewer::mousePressEvent(QMouseEvent*)
{
    accept();
}

void ShowPictureFullScreen(const QString& path)
{
    const QString found = path.isEmpty() ? QString() : files::findPath(path);
    // Decoded no larger than the screen it fills.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize shown = screen ? screen->size() * screen->devicePixelRatio() : QSize();
    const QImage image = found.isEmpty() ? QImage() : platform::loadPicture(found, shown);
    if (image.isNull()) {
        platform::showMessage(QStringLiteral("表示する画像がありません。"), platform::MsgType::Information);
        return;
    }
    PictureViewer viewer(QPixmap::fromImage(image));
    platform::execModal(&viewer);
}

} // namespace tools
