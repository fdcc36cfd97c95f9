// Measuring and loading the page's picture, the frame that shows it at its
// display size, and the width slider.
#include "editor/image_block.h"

#include "platform/picture.h"
#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>
#include <algorithm>

namespace editor {

QString ImageBlock::folder() const
{
    if (!m.PageFolder.isEmpty())
        return m.PageFolder;
    return pagePath.isEmpty() ? QString() : QFileInfo(pagePath).absolutePath();
}

QString ImageBlock::inFolder(const QString& name) const
{
    return files::joinPath(folder(), name);
}

void ImageBlock::sync() const
{
    if (syncControls)
        syncControls();
}

TrashOutcome ImageBlock::trash(const QString& path) const
{
    if (gomi)
        return gomi(path);
    return files::moveToTrash(path) ? TrashOutcome::Moved : TrashOutcome::Refused;
}

QString DefaultImageFileName(const QString& pagePath)
{
    const QString base = QFileInfo(pagePath).completeBaseName();
    const int underscore = base.indexOf(u'_');
    QString name = underscore < 0 ? base : base.mid(underscore + 1);
    if (name.isEmpty())
        name = base;
    return name + QStringLiteral(".bmp");
}

QImage decodePictureFile(const QString& path)
{
    if (path.isEmpty())
        return QImage();
    QString file = path;
    if (!QFileInfo(file).isFile())
        file = files::findPath(path);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return QImage();
    const QImage image = platform::loadPicture(file);
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return QImage();
    return image;
}

QString MeasureImageFile(const QString& path)
{
    const QImage image = decodePictureFile(path);
    if (image.isNull())
        return QStringLiteral("0,0");
    return QString::number(image.width()) + u',' + QString::number(image.height());
}

std::optional<int> displayDimension(const QString& text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value <= 0)
        return std::nullopt;
    return value;
}

QString imageAlignFor(int layout)
{
    if (layout < kLayoutLeft)
        return QStringLiteral("center");
    return layout == kLayoutLeft ? QStringLiteral("left") : QStringLiteral("right");
}

void centreImageFrame(ImageView& v, int frameWidth)
{
    v.PanelImage1Left = text::divTrunc(v.Panel6Width - frameWidth, 2);
}

namespace {

void setSlider(ImageView& v, int width)
{
    v.ScrollBar1Min = kSliderMinimum;
    v.ScrollBar1Max = std::max(kSliderMinimum, v.WindowWidth);
    v.ScrollBar1Visible = true;
    v.ScrollBar1Position = std::clamp(width, v.ScrollBar1Min, v.ScrollBar1Max);
}

double ratioOf(int width, int height)
{
    return width > 0 ? double(height) / double(width) : 0.0;
}

// Panel6 follows the frame: its height in the centre layout, else its width.
void fitPanelToFrame(ImageBlock& b, bool centre)
{
    b.v.PanelImage1Top = 0;
    if (centre) {
        centreImageFrame(b.v, b.m.PanelImage1Width);
        b.v.Panel6Height = b.m.PanelImage1Height;
    } else {
        b.v.PanelImage1Left = 0;
        b.v.Panel6Width = b.m.PanelImage1Width;
    }
}

} // namespace

void SizeImagePanel(ImageBlock& b, int mode)
{
    store::PageModel& m = b.m;
    // Image1Tag stays 1 while a cleared block still has a saved picture, so
    // that switching back to a picture layout keeps that picture's size.
    const bool loaded = m.Image1Tag > 0;
    const QImage& picture = b.v.picture;
    if (m.GXTag > 0) {
        // A size that is not a positive number means the picture's own size.
        const auto gx = displayDimension(m.GX);
        const auto gy = displayDimension(m.GY);
        if (gx && gy) {
            m.PanelImage1Width = *gx;
            m.PanelImage1Height = *gy;
        } else if (!picture.isNull()) {
            m.PanelImage1Width = picture.width();
            m.PanelImage1Height = picture.height();
        }
    }
    if (loaded && (m.PanelImage1Width <= 0 || m.PanelImage1Height <= 0) && !picture.isNull()) {
        m.PanelImage1Width = picture.width();
        m.PanelImage1Height = picture.height();
    }
    if (!loaded || m.PanelImage1Width <= 0 || m.PanelImage1Height <= 0) {
        m.PanelImage1Width = mode == kLayoutCentre ? kCentreFrameWidth : kSideFrameWidth;
        m.PanelImage1Height = mode == kLayoutCentre ? kCentreFrameHeight : kSideFrameHeight;
    }
    fitPanelToFrame(b, mode == kLayoutCentre);
    m.GX = QString::number(m.PanelImage1Width);
    m.GY = QString::number(m.PanelImage1Height);
    b.v.ImageAspectRatio = ratioOf(m.PanelImage1Width, m.PanelImage1Height);
    setSlider(b.v, m.PanelImage1Width);
}

void ScrollBar1Scroll(ImageBlock& b, int position)
{
    const int width = std::clamp(position, kSliderMinimum, std::max(kSliderMinimum, b.v.WindowWidth));
    b.v.ScrollBar1Position = width;
    b.m.GX = QString::number(width);
    const int height = text::roundHalfEven(width * b.v.ImageAspectRatio);
    b.m.GY = QString::number(height);
    b.m.PanelImage1Width = width;
    b.m.PanelImage1Height = height;
    fitPanelToFrame(b, b.v.Panel6Tag == kLayoutCentre);
}

void LoadImageIntoEditor(ImageBlock& b, const QString& path)
{
    // A missing picture, or one that does not decode, is no picture at all.
    const QImage picture = decodePictureFile(path);
    if (picture.isNull())
        return;
    store::PageModel& m = b.m;
    const int w = picture.width();
    const int h = picture.height();
    b.v.picture = picture;
    m.Image1Tag = 1;
    m.Image1File = QFileInfo(path).isFile() ? path : files::findPath(path);
    m.Image1Width = w;
    m.Image1Height = h;
    b.v.imageToolsEnabled = true;
    b.v.ImageAspectRatio = ratioOf(w, h);

    const auto gx = displayDimension(m.GX);
    const auto gy = displayDimension(m.GY);
    if (m.GXTag < 1 || !gx || !gy) {
        m.GX = QString::number(w);
        m.GY = QString::number(h);
        m.GXTag = 1;
    } else {
        b.v.ImageAspectRatio = ratioOf(*gx, *gy);
    }
    m.PanelImage1Width = m.GX.toInt();
    m.PanelImage1Height = m.GY.toInt();
    setSlider(b.v, m.PanelImage1Width);

    m.Gname = QFileInfo(path).fileName();
    if (m.Edit7.isEmpty()) {
        m.ETAGSRC1 = QStringLiteral("<P>");
        m.Edit7 = QStringLiteral("<IMG src=\"%1\" width=\"%2\" height=\"%3\" vspace=\"4\" hspace=\"4\" align=\"%4\">")
                      .arg(m.Gname, m.GX, m.GY, imageAlignFor(b.v.Panel6Tag));
    }
    // The panel follows the new frame in the side layouts too, or a smaller
    // picture would leave a strip of the old one's width beside the text.
    if (b.v.Panel6Tag >= kLayoutCentre)
        fitPanelToFrame(b, b.v.Panel6Tag == kLayoutCentre);
    SaveImageState(b);
}

} // namespace editor
