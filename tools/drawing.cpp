#include "tools/drawing.h"

#include "platform/picture.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "tools/capture.h"
#include "tools/colour_clean.h"
#include "tools/drawing_paths.h"
#include "tools/picture_viewer.h"
#include "viewer/main_window.h"
#include "viewer/command_values.h"

#include <QFileInfo>
#include <QPainter>

namespace capture {

bool writePicture(const QImage& image, const QString& path, int jpegQuality, const QStringList& within)
{
    switch (pictureKindFor(path)) {
    case PictureKind::Jpeg:
    case PictureKind::Png:
        return platform::savePicture(image, path, jpegQuality, within);
    case PictureKind::Bmp:
        break;
    }
    const QByteArray bytes = platform::encodeBmp(image);
    return !bytes.isEmpty() && files::writeBytes(path, bytes, within);
}

} // namespace capture

namespace tools {

namespace {

QImage surfaceImage(const TForm1& w)
{
    return w.Image11->picture().toImage().convertToFormat(QImage::Format_RGB888);
}

// The folders a drawing kept at path may be written in: a drawing kept in
// the work folder stays inside the data root, even when the work folder is
// a link planted to lead elsewhere. Beside a page it stays inside the
// folders the window writes in.
QStringList drawingBounds(const TForm1& w, const QString& path)
{
    return path.startsWith(w.WorkFolder + QLatin1Char('/')) ? QStringList{w.RootFolder}
                                                            : commands::writeRoots(w).folders;
}

// A file the person chose in the save dialog is bounded by its own folder.
QStringList chosenFileBounds(const QString& path)
{
    return {QFileInfo(path).absolutePath()};
}

// Saves silently as the drawing keeps its files; a failure is only logged.
void saveBmp(const TForm1& w, const QImage& image, const QString& path)
{
    if (path.isEmpty() || !platform::savePicture(image, path, 90, drawingBounds(w, path)))
        qCWarning(lcPagora) << "drawing not saved:" << path;
}

void sayNotSaved(const QString& path)
{
    platform::showMessage(QStringLiteral("画像を保存できませんでした。\r") + path, platform::MsgType::Warning);
}

// A name chosen without extension gets ".bmp".
QString withDefaultExtension(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".bmp") : path;
}

const QString kPictureFilter = QStringLiteral("bmp画像 (*.bmp);;jpeg画像 (*.jpeg *.jpg)");

} // namespace

QString CurrentDrawSavePath(const TForm1& w)
{
    const bool web = store::isWebAddress(w.ShownUrl) || store::isWebAddress(w.caption());
    if (web || w.ShownFilePath.isEmpty())
        return capture::webDrawSavePath(w.WorkFolder);
    return capture::drawSavePath(w.ShownFilePath);
}

void StartScreenDrawing(TForm1& w, bool reopen)
{
    w.pausePatrol();
    w.SpeedButton19->setVisible(false);
    w.SpeedButton22->setVisible(true);
    w.SpeedButton8->setVisible(true);

    const QImage image = capture::captureToImage1(w, capture::CaptureInset::Drawing);
    w.DrawSavePath = CurrentDrawSavePath(w);
    w.Image1->setVisible(true);

    w.ScrollBox2->setHorzScrollPos(0);
    w.ScrollBox2->setVertScrollPos(0);
    w.Image11->setAutoSize(false);
    w.Image11->setStretch(false);
    w.Image11->setBounds(0, 0, image.width(), image.height());

    const QString existing = reopen ? files::findPath(w.DrawSavePath) : QString();
    const QImage last = existing.isEmpty() ? QImage() : platform::loadPicture(existing);
    if (last.isNull()) {
        if (w.DrawSavePath.startsWith(w.WorkFolder + QLatin1Char('/')))
            files::makeFolder(w.WorkFolder, drawingBounds(w, w.DrawSavePath));
        saveBmp(w, image, w.DrawSavePath);
        w.Image11->setPicture(QPixmap::fromImage(image));
    } else {
        w.Image11->setBounds(0, 0, last.width(), last.height());
        w.Image11->setPicture(QPixmap::fromImage(last));
    }
    w.ViewerImagePath = w.DrawSavePath;
    w.Panel1->setVisible(false);
    w.Panel10->setAlign(platform::Align::Client);
    w.Panel10->setVisible(true);
}

void LeaveScreenDrawing(TForm1& w, bool discard)
{
    if (discard) {
        w.Image11->setPicture(w.Image1->picture());
        saveBmp(w, surfaceImage(w), w.DrawSavePath);
        w.ViewerImagePath = w.DrawSavePath;
    } else {
        w.SpeedButton8->setVisible(false);
        w.SpeedButton19->setVisible(true);
        saveBmp(w, surfaceImage(w), w.ViewerImagePath);
    }
    w.levels.TiteleLoad(w.PBan(), w.ShownUrl);
    w.RefreshPageButton(w.PBan());
    w.PageClick(0, true);
}

void Image11MouseMove(TForm1& w, const QPoint& pos, bool leftHeld)
{
    if (w.PenWidth == 0)
        w.PenWidth = 5;
    if (leftHeld && !w.Image11->picture().isNull()) {
        // No smoothing: blended edges would escape the colour wiping's thresholds.
        QPainter p(&w.Image11->canvas());
        p.setPen(QPen(capture::penInfo(w.PenColorIndex).colour, w.PenWidth, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawLine(w.PenLastPoint, pos);
        p.end();
        w.Image11->update();
    }
    w.PenLastPoint = pos;
}

void OpenPenMenu(TForm1& w, int x, int y, const QPoint& clientPoint)
{
    if (x == w.LastPopupX)
        return;
    w.N18->setCaption(w.SpeedButton19->visible() ? QStringLiteral("元ファイルをビュアで表示")
                                                 : QStringLiteral("ビュアで表示"));
    w.PopupMenu1->popup(w.mapToGlobal(clientPoint));
    w.LastPopupX = x;
    w.PenLastPoint = QPoint(x, y);
}

void SetPenColour(TForm1& w, int penIndex)
{
    w.PenColorIndex = penIndex;
    w.N19->setCaption(capture::penInfo(penIndex).cleanCaption);
}

void SetPenWidth(TForm1& w, int width)
{
    w.PenWidth = width;
}

void N19Click(TForm1& w)
{
    const QImage cleaned = capture::cleanPenColour(surfaceImage(w), w.PenColorIndex);
    if (cleaned.isNull())
        return;
    w.Image11->setPicture(QPixmap::fromImage(cleaned));
    w.Image1->setPicture(QPixmap::fromImage(cleaned));
    w.SpeedButton8->setEnabled(true);
}

void N15Click(TForm1& w)
{
    const QString suggested = files::joinPath(QFileInfo(w.ShownFilePath).path(),
                                              capture::drawingSaveSuggestion(w.ShownFilePath));
    QString path = platform::saveFileName(QStringLiteral("画像で保存"), suggested, kPictureFilter);
    if (path.isEmpty())
        return;
    path = withDefaultExtension(path);
    if (!capture::writePicture(surfaceImage(w), path, 90, chosenFileBounds(path)))
        sayNotSaved(path);
}

void SpeedButton20Click(TForm1& w)
{
    const QImage image = capture::captureToImage1(w, capture::CaptureInset::Drawing);
    w.Image11->setBounds(0, 0, image.width(), image.height());
    const QString suggested = files::joinPath(w.CurrentFolder(), QStringLiteral("ページ画像.bmp"));
    QString path = platform::saveFileName(QStringLiteral("画像で保存"), suggested, kPictureFilter);
    if (path.isEmpty())
        return;
    path = withDefaultExtension(path);
    if (!capture::writePicture(image, path, 100, chosenFileBounds(path)))
        sayNotSaved(path);
}

void N18Click(TForm1& w)
{
    if (!w.SpeedButton19->visible()) {
        w.DrawSavePath = CurrentDrawSavePath(w);
        saveBmp(w, surfaceImage(w), w.DrawSavePath);
    }
    ShowPictureFullScreen(w.ViewerImagePath);
}

void Image1Click(TForm1& w, int x, int y)
{
    const QPixmap shown = w.Image1->picture();
    if (shown.isNull())
        return;
    const int W = w.kabe->width();
    const int H = w.kabe->height();
    const capture::ZoomRect r = capture::zoomSourceRect(W, H, x, y);
    const QImage part = shown.toImage().copy(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
    const QImage zoomed = part.scaled(qMax(1, W), qMax(1, H), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB888);
    w.Image1->setPicture(QPixmap::fromImage(zoomed));
    capture::toClipboard(zoomed);
}

} // namespace tools
