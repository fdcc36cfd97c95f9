// Panel, Label and Image: the controls that only show something.
#include "platform/controls.h"
#include "platform/controls_internal.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform {

Panel::Panel(QWidget* parent, const QString& name) : Control(parent, name) {}

void Panel::setBevelOuter(Bevel b)
{
    if (bevel_ == b)
        return;
    bevel_ = b;
    realign();
    QWidget::update();
}

void Panel::setCaptionAlignment(Qt::Alignment a)
{
    captionAlignment_ = a;
    QWidget::update();
}

QRect Panel::alignRect() const
{
    // The bevel is a one-pixel frame that aligned children stay inside.
    return bevel_ == Bevel::None ? rect() : rect().adjusted(1, 1, -1, -1);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    fillBackground(p);
    if (bevel_ != Bevel::None) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = bevel_ == Bevel::Raised ? light : dark;
        const QColor bottomRight = bevel_ == Bevel::Raised ? dark : light;
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (!caption().isEmpty()) {
        p.setPen(isEnabled() ? fontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
        p.drawText(alignRect().adjusted(2, 0, -2, 0), int(captionAlignment_) | Qt::TextSingleLine, caption());
    }
}

// ---------------------------------------------------------------------------

Label::Label(QWidget* parent, const QString& name) : Control(parent, name) {}

void Label::setTransparent(bool on)
{
    transparent_ = on;
    QWidget::update();
}

void Label::setAlignment(Qt::Alignment a)
{
    alignment_ = a;
    QWidget::update();
}

void Label::setWordWrap(bool on)
{
    wordWrap_ = on;
    fitToText();
    QWidget::update();
}

void Label::setAutoSize(bool on)
{
    autoSize_ = on;
    fitToText();
}

void Label::fitToText()
{
    if (!autoSize_)
        return;
    const QFontMetrics fm(font());
    QRect r;
    if (wordWrap_)
        r = fm.boundingRect(QRect(0, 0, std::max(1, width()), 100000), Qt::TextWordWrap, caption());
    else
        r = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, caption());
    const int w = wordWrap_ ? width() : r.width();
    const int h = std::max(r.height(), fm.height());
    if (w != width() || h != height())
        setBounds(left(), top(), w, h);
}

void Label::changeEvent(QEvent* e)
{
    Control::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitToText();
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!transparent_)
        fillBackground(p);
    p.setPen(isEnabled() ? fontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
    int flags = int(alignment_);
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    p.drawText(rect(), flags, caption());
}

// ---------------------------------------------------------------------------

Image::Image(QWidget* parent, const QString& name) : Control(parent, name) {}

void Image::setPicture(const QPixmap& pixmap)
{
    picture_ = pixmap;
    if (autoSize_ && !picture_.isNull())
        setBounds(left(), top(), picture_.width(), picture_.height());
    QWidget::update();
}

void Image::clearPicture() { setPicture(QPixmap()); }

void Image::setStretch(bool on) { setAndRepaint(this, stretch_, on); }
void Image::setCenter(bool on) { setAndRepaint(this, center_, on); }
void Image::setProportional(bool on) { setAndRepaint(this, proportional_, on); }

void Image::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on && !picture_.isNull())
        setBounds(left(), top(), picture_.width(), picture_.height());
}

void Image::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    fillBackground(p);
    if (picture_.isNull())
        return;
    QSize size = picture_.size();
    if (stretch_)
        size = proportional_ ? size.scaled(this->size(), Qt::KeepAspectRatio) : this->size();
    QPoint at(0, 0);
    if (center_)
        at = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
    p.setRenderHint(QPainter::SmoothPixmapTransform, stretch_);
    p.drawPixmap(QRect(at, size), picture_);
}

} // namespace platform
