// Control (the common properties and events) and the realign machinery.
#include "platform/controls.h"
#include "platform/controls_internal.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QToolTip>

#include <algorithm>

namespace platform {

namespace {

quint64 nextCreationIndex = 1;

// Containers being realigned now, and those asked again meanwhile (a resize
// handler that changes a sibling): each runs again after the current pass.
QSet<const QWidget*> realigning;
QSet<const QWidget*> realignAgain;

// Containers inside a RealignBatch (with its nesting depth), and those of
// them that were asked to realign meanwhile.
QHash<const QWidget*, int> batchDepth;
QSet<const QWidget*> batchPending;

QWidget* contentParent(QWidget* parent)
{
    if (auto* box = qobject_cast<ScrollBox*>(parent))
        return box->content();
    return parent;
}

QList<Control*> controlChildren(QWidget* container)
{
    QList<Control*> list;
    for (QObject* o : container->children()) {
        auto* c = qobject_cast<Control*>(o);
        if (c && !c->isWindow())
            list.append(c);
    }
    std::stable_sort(list.begin(), list.end(), [](Control* a, Control* b) {
        return a->creationIndex() < b->creationIndex();
    });
    return list;
}

class AlignFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Resize)
            realignChildren(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void realignChildren(QWidget* container)
{
    if (!container)
        return;
    if (batchDepth.contains(container)) {
        batchPending.insert(container);
        return;
    }
    if (realigning.contains(container)) {
        realignAgain.insert(container);
        return;
    }
    QPointer<QWidget> guard(container);
    realigning.insert(container);
    auto* owner = qobject_cast<Control*>(container);
    for (int pass = 0; pass < 4 && guard; ++pass) {
        realignAgain.remove(container);
        const QList<Control*> children = controlChildren(container);
        QVector<AlignItem> items;
        for (Control* c : children)
            items.append({c->align(), c->visible(), c->geometry()});
        const QRect area = owner ? owner->alignRect() : container->contentsRect();
        const QVector<QRect> rects = alignLayout(area, items);
        for (int i = 0; i < children.size() && guard; ++i) {
            // Only aligned children move: the others keep their bounds, also
            // those a resize handler gave them during this pass.
            if (items[i].align != Align::None && items[i].visible && children[i]->geometry() != rects[i])
                children[i]->applyBounds(rects[i]);
        }
        if (!guard || !realignAgain.contains(container))
            break;
    }
    realigning.remove(container);
    realignAgain.remove(container);
    if (guard && owner)
        owner->childrenRealigned();
}

RealignBatch::RealignBatch(QWidget* container) : container_(contentParent(container)), guard_(container_)
{
    if (container_)
        ++batchDepth[container_];
}

RealignBatch::~RealignBatch()
{
    if (!container_)
        return;
    auto it = batchDepth.find(container_);
    if (it == batchDepth.end() || --it.value() > 0)
        return;
    batchDepth.erase(it);
    const bool asked = batchPending.remove(container_);
    if (asked && guard_)
        realignChildren(guard_);
}

void enableAlign(QWidget* container)
{
    if (!container || container->findChild<AlignFilter*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    container->installEventFilter(new AlignFilter(container));
    realignChildren(container);
}

// ---------------------------------------------------------------------------

Control::Control(QWidget* parent, const QString& name)
    : QWidget(contentParent(parent)), creationIndex_(nextCreationIndex++)
{
    setObjectName(name);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(false);
    lastSize_ = size();
    // A control is visible from its creation (handlers hide what they hide),
    // also when created under a window that is already showing.
    if (parentWidget() && parentWidget()->isVisible())
        QWidget::setVisible(true);
}

Control::~Control() = default;

void Control::setLeft(int v) { setBounds(v, top(), width(), height()); }
void Control::setTop(int v) { setBounds(left(), v, width(), height()); }
void Control::setWidth(int v) { setBounds(left(), top(), v, height()); }
void Control::setHeight(int v) { setBounds(left(), top(), width(), v); }

void Control::setBounds(int l, int t, int w, int h)
{
    setBounds(QRect(l, t, std::max(0, w), std::max(0, h)));
}

void Control::setBounds(const QRect& r)
{
    // Bounds set to what they are move nothing: the siblings stay as laid out.
    const QRect before = geometry();
    applyBounds(r);
    if (geometry() != before)
        realignParent();
}

void Control::applyBounds(const QRect& r)
{
    const QRect fixed(r.topLeft(), QSize(std::max(0, r.width()), std::max(0, r.height())));
    if (geometry() != fixed)
        setGeometry(fixed);
    if (size() != lastSize_) {
        lastSize_ = size();
        sizeChanged();
    }
}

int Control::clientWidth() const { return alignRect().width(); }
int Control::clientHeight() const { return alignRect().height(); }

QRect Control::screenRect() const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

QRect Control::alignRect() const { return rect(); }

void Control::setAlign(Align a)
{
    if (align_ == a)
        return;
    align_ = a;
    realignParent();
}

void Control::setVisible(bool v)
{
    const bool changed = visible_ != v;
    visible_ = v;
    QWidget::setVisible(v);
    if (changed)
        realignParent();
}

bool Control::enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
void Control::setEnabled(bool v) { QWidget::setEnabled(v); }

void Control::setCaption(const QString& text)
{
    if (caption_ == text)
        return;
    caption_ = text;
    QWidget::update();
    captionChanged();
}

void Control::setHint(const QString& text)
{
    hint_ = text;
    updateToolTip();
}

void Control::setShowHint(bool on)
{
    showHint_ = on;
    updateToolTip();
}

void Control::updateToolTip() { setToolTip(showHint_ ? hint_ : QString()); }

void Control::setColor(const QColor& c)
{
    color_ = c;
    QWidget::update();
}

void Control::setFontColor(const QColor& c)
{
    fontColor_ = c;
    QWidget::update();
}

void Control::realign() { realignChildren(this); }

void Control::realignParent()
{
    if (parentWidget() && !isWindow())
        realignChildren(parentWidget());
}

void Control::sizeChanged()
{
    realignChildren(this);
    if (onResize)
        callHandler(onResize);
}

MouseArgs Control::mouseArgs(QMouseEvent* e)
{
    MouseArgs a;
    a.button = e->button();
    a.buttons = e->buttons();
    a.modifiers = e->modifiers();
    const QPoint p = e->position().toPoint();
    a.x = p.x();
    a.y = p.y();
    a.rightHeld = e->buttons().testFlag(Qt::RightButton);
    return a;
}

int Control::keyCode(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    default: break;
    }
    const QString text = e->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

bool Control::event(QEvent* e)
{
    // Tab and Backtab reach a handler before Qt moves the focus with them.
    if (e->type() == QEvent::KeyPress && onKeyDown) {
        QPointer<Control> self(this);
        if (callHandler(onKeyDown, static_cast<QKeyEvent*>(e)) || !self)
            return true;
    }
    // A removed child gives its strip back to its siblings.
    if (e->type() == QEvent::ChildRemoved)
        realignChildren(this);
    return QWidget::event(e);
}

void Control::fillBackground(QPainter& p)
{
    if (color_.isValid())
        p.fillRect(rect(), color_);
}

void Control::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    fillBackground(p);
}

void Control::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (size() != lastSize_) {
        lastSize_ = size();
        sizeChanged();
    }
}

void Control::mousePressEvent(QMouseEvent* e)
{
    clickButtons_ |= e->button();
    if (onMouseDown)
        callHandler(onMouseDown, mouseArgs(e));
}

void Control::mouseReleaseEvent(QMouseEvent* e)
{
    const bool wasPressed = clickButtons_.testFlag(e->button());
    clickButtons_ &= ~Qt::MouseButtons(e->button());
    QPointer<Control> self(this);
    if (onMouseUp)
        callHandler(onMouseUp, mouseArgs(e));
    if (self && wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())
        && onClick)
        callHandler(onClick);
}

void Control::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPointer<Control> self(this);
    // A double click is also a second press, as the handlers expect.
    mousePressEvent(e);
    if (self && e->button() == Qt::LeftButton && onDblClick)
        callHandler(onDblClick);
}

void Control::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    if (onMouseEnter)
        callHandler(onMouseEnter);
}

void Control::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (onMouseLeave)
        callHandler(onMouseLeave);
}

void Control::keyPressEvent(QKeyEvent* e)
{
    const int code = keyCode(e);
    if (code != 0 && onKeyPress) {
        callHandler(onKeyPress, code);
        return;
    }
    QWidget::keyPressEvent(e);
}

void Control::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    // A focused control inside a scroll box scrolls into view.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* box = qobject_cast<ScrollBox*>(w)) {
            box->scrollInView(this);
            break;
        }
    }
    if (onEnter)
        callHandler(onEnter);
}

void Control::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    if (onExit)
        callHandler(onExit);
}

} // namespace platform
