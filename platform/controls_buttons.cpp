// SpeedButton and BitBtn: glyph and caption painting, the right-button flag
// taken at the press, and the click at the release.
#include "platform/controls.h"
#include "platform/controls_internal.h"

#include <QBitmap>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>

namespace platform {

namespace {

QStringList captionLines(const QString& caption)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return caption.split(lineBreak);
}

// Glyphs from plain bitmaps have no alpha: their bottom-left colour is the
// transparent one, the way such button pictures are drawn.
QPixmap transparentGlyph(const QPixmap& pixmap)
{
    if (pixmap.isNull() || pixmap.hasAlphaChannel())
        return pixmap;
    const QImage image = pixmap.toImage();
    const QColor key = image.pixelColor(0, image.height() - 1);
    QPixmap out = pixmap;
    out.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
    return out;
}

} // namespace

ButtonControl::ButtonControl(QWidget* parent, const QString& name) : Control(parent, name)
{
    setMouseTracking(true);
}

void ButtonControl::setGlyph(const QPixmap& pixmap)
{
    glyph_ = transparentGlyph(pixmap);
    QWidget::update();
}

void ButtonControl::setLayout(GlyphLayout l) { setAndRepaint(this, layout_, l); }
void ButtonControl::setSpacing(int px) { setAndRepaint(this, spacing_, px); }

void ButtonControl::click()
{
    if (onClick)
        callHandler(onClick);
}

namespace {

QSize textSize(const QStringList& lines, const QFontMetrics& fm)
{
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return QSize(width, fm.lineSpacing() * int(lines.size()));
}

} // namespace

QFont fitCaptionFont(QFont font, const QStringList& lines, const QSize& room)
{
    constexpr qreal kSmallest = 5;
    for (;;) {
        const QSize need = textSize(lines, QFontMetrics(font));
        const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
        if ((need.width() <= room.width() && need.height() <= room.height()) || size <= kSmallest)
            return font;
        font.setPointSizeF(std::max(kSmallest, size - 0.5));
    }
}

void ButtonControl::paintFace(QPainter& p, const QRect& r, bool sunken)
{
    QStringList lines = captionLines(caption());
    const bool hasText = !caption().isEmpty();

    QPixmap glyph = glyph_;
    if (!glyph.isNull() && !isEnabled()) {
        QStyleOption opt;
        opt.initFrom(this);
        glyph = style()->generatedIconPixmap(QIcon::Disabled, glyph, &opt);
    }
    const QSize g = glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize();
    const int gap = (!glyph.isNull() && hasText) ? spacing_ : 0;
    const bool row = layout_ == GlyphLayout::Left || layout_ == GlyphLayout::Right;
    const QSize room = row ? QSize(r.width() - g.width() - gap, r.height())
                           : QSize(r.width(), r.height() - g.height() - gap);
    const QFont face = hasText ? fitCaptionFont(font(), lines, room - QSize(2, 0)) : font();
    const QFontMetrics fm(face);
    if (hasText && textSize(lines, fm).width() > room.width()) {
        for (QString& line : lines)
            line = fm.elidedText(line, Qt::ElideRight, std::max(0, room.width()));
    }
    const int textWidth = hasText ? textSize(lines, fm).width() : 0;
    const int textHeight = hasText ? fm.lineSpacing() * int(lines.size()) : 0;
    const int totalW = row ? g.width() + gap + textWidth : std::max(g.width(), textWidth);
    const int totalH = row ? std::max(g.height(), textHeight) : g.height() + gap + textHeight;
    QPoint origin(r.left() + (r.width() - totalW) / 2, r.top() + (r.height() - totalH) / 2);
    if (sunken)
        origin += QPoint(1, 1);

    QRect glyphRect, textRect;
    switch (layout_) {
    case GlyphLayout::Left:
        glyphRect = QRect(origin.x(), origin.y() + (totalH - g.height()) / 2, g.width(), g.height());
        textRect = QRect(origin.x() + g.width() + gap, origin.y() + (totalH - textHeight) / 2, textWidth, textHeight);
        break;
    case GlyphLayout::Right:
        textRect = QRect(origin.x(), origin.y() + (totalH - textHeight) / 2, textWidth, textHeight);
        glyphRect = QRect(origin.x() + textWidth + gap, origin.y() + (totalH - g.height()) / 2, g.width(), g.height());
        break;
    case GlyphLayout::Top:
        glyphRect = QRect(origin.x() + (totalW - g.width()) / 2, origin.y(), g.width(), g.height());
        textRect = QRect(origin.x() + (totalW - textWidth) / 2, origin.y() + g.height() + gap, textWidth, textHeight);
        break;
    case GlyphLayout::Bottom:
        textRect = QRect(origin.x() + (totalW - textWidth) / 2, origin.y(), textWidth, textHeight);
        glyphRect = QRect(origin.x() + (totalW - g.width()) / 2, origin.y() + textHeight + gap, g.width(), g.height());
        break;
    }
    if (!glyph.isNull())
        p.drawPixmap(glyphRect, glyph);
    if (hasText) {
        p.setPen(isEnabled() ? fontColor() : palette().color(QPalette::Disabled, QPalette::ButtonText));
        p.setFont(face);
        int y = textRect.top();
        for (const QString& line : lines) {
            // Not clipped to the line: a glyph the fallback font draws lower
            // (the "_" between kanji) would otherwise vanish.
            p.drawText(QRect(textRect.left(), y, textWidth, fm.lineSpacing()),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, line);
            y += fm.lineSpacing();
        }
    }
}

void ButtonControl::endPress()
{
    if (!pressed_)
        return;
    pressed_ = false;
    pressButton_ = Qt::NoButton;
    QWidget::update();
}

void ButtonControl::hideEvent(QHideEvent* e)
{
    endPress(); // shown again (a reused button), it looks new
    Control::hideEvent(e);
}

void ButtonControl::mousePressEvent(QMouseEvent* e)
{
    rightPressed_ = e->buttons().testFlag(Qt::RightButton);
    // A press whose button is no longer held ended where this button did not see it.
    if (!pressed_ || !e->buttons().testFlag(pressButton_)) {
        pressButton_ = e->button();
        pressed_ = true;
        pressedInside_ = true;
    }
    QWidget::update();
    if (onMouseDown)
        callHandler(onMouseDown, mouseArgs(e));
}

void ButtonControl::mouseReleaseEvent(QMouseEvent* e)
{
    const bool ours = pressed_ && e->button() == pressButton_;
    const bool inside = rect().contains(e->position().toPoint());
    if (ours || !e->buttons().testFlag(pressButton_)) {
        pressed_ = false;
        pressButton_ = Qt::NoButton;
    }
    QWidget::update();
    QPointer<ButtonControl> self(this);
    if (onMouseUp)
        callHandler(onMouseUp, mouseArgs(e));
    if (self && ours && inside && clicksWith(e->button()) && isEnabled())
        click();
}

void ButtonControl::mouseMoveEvent(QMouseEvent* e)
{
    const bool inside = rect().contains(e->position().toPoint());
    if (pressed_ && !e->buttons().testFlag(pressButton_)) {
        endPress(); // released elsewhere (over a pop-up menu)
        return QWidget::mouseMoveEvent(e);
    }
    if (pressed_ && inside != pressedInside_) {
        pressedInside_ = inside;
        QWidget::update();
    }
    QWidget::mouseMoveEvent(e);
}

// ---------------------------------------------------------------------------

SpeedButton::SpeedButton(QWidget* parent, const QString& name) : ButtonControl(parent, name)
{
    setFocusPolicy(Qt::NoFocus);
}

void SpeedButton::setFlat(bool on)
{
    flat_ = on;
    QWidget::update();
}

void SpeedButton::setDown(bool d)
{
    // Without a group a speed button does not stay down.
    if (groupIndex_ == 0)
        d = false;
    if (down_ == d)
        return;
    down_ = d;
    if (d && parentWidget()) {
        for (SpeedButton* other : parentWidget()->findChildren<SpeedButton*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
                other->down_ = false;
                other->QWidget::update();
            }
        }
    }
    QWidget::update();
}

void SpeedButton::click()
{
    if (groupIndex_ != 0) {
        if (!down_) {
            setDown(true);
        } else if (allowAllUp_) {
            down_ = false;
            QWidget::update();
        }
    }
    ButtonControl::click();
}

bool SpeedButton::clicksWith(Qt::MouseButton b) const
{
    return b == Qt::LeftButton || (rightButtonClicks_ && b == Qt::RightButton);
}

void SpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    fillBackground(p);
    const bool sunken = down_ || (pressed_ && pressedInside_);
    QStyleOptionToolButton opt;
    opt.initFrom(this);
    opt.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    if (flat_)
        opt.state |= QStyle::State_AutoRaise;
    if (!flat_ || sunken || underMouse())
        style()->drawPrimitive(flat_ ? QStyle::PE_PanelButtonTool : QStyle::PE_PanelButtonCommand, &opt, &p, this);
    paintFace(p, rect().adjusted(2, 2, -2, -2), sunken);
}

// ---------------------------------------------------------------------------

BitBtn::BitBtn(QWidget* parent, const QString& name) : ButtonControl(parent, name)
{
    setFocusPolicy(Qt::StrongFocus);
}

void BitBtn::click()
{
    QPointer<BitBtn> self(this);
    ButtonControl::click();
    if (!self || modalResult_ == 0)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(modalResult_ == mrOk ? QDialog::Accepted
                     : modalResult_ == mrCancel ? QDialog::Rejected : modalResult_);
}

void BitBtn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    fillBackground(p);
    const bool sunken = (pressed_ && pressedInside_) || spaceDown_;
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
    paintFace(p, rect().adjusted(3, 3, -3, -3), sunken);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void BitBtn::keyPressEvent(QKeyEvent* e)
{
    const int code = keyCode(e);
    QPointer<BitBtn> self(this);
    if (code != 0 && onKeyPress)
        callHandler(onKeyPress, code);
    if (!self)
        return;
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        spaceDown_ = true;
        QWidget::update();
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        click();
    } else if (code == 0) {
        QWidget::keyPressEvent(e);
    }
}

void BitBtn::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && spaceDown_) {
        spaceDown_ = false;
        QWidget::update();
        click();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

} // namespace platform
