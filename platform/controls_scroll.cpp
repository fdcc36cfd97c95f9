// ScrollBox: a QScrollArea whose content is a control that grows to cover
// the children placed in it by their left and top.
#include "platform/controls.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace platform {

namespace {

class ScrollContent : public Control {
public:
    explicit ScrollContent(ScrollBox* box) : Control(nullptr, QStringLiteral("content")), box_(box) {}

protected:
    // Aligned children share the visible part of the box.
    QRect alignRect() const override { return QRect(0, 0, box_->clientWidth(), box_->clientHeight()); }
    // The content's own size is the scroll range, not a layout change.
    void sizeChanged() override {}
    void childrenRealigned() override { box_->updateRange(); }

private:
    ScrollBox* box_;
};

} // namespace

ScrollBox::ScrollBox(QWidget* parent, const QString& name) : Control(parent, name)
{
    area_ = new QScrollArea(this);
    area_->setWidgetResizable(false);
    area_->setGeometry(rect());
    content_ = new ScrollContent(this);
    area_->setWidget(content_);
    content_->show();
    updateRange();
}

QWidget* ScrollBox::content() const { return content_; }

int ScrollBox::clientWidth() const
{
    return area_->isVisible() ? area_->viewport()->width() : area_->maximumViewportSize().width();
}

int ScrollBox::clientHeight() const
{
    return area_->isVisible() ? area_->viewport()->height() : area_->maximumViewportSize().height();
}

int ScrollBox::horzScrollPos() const { return area_->horizontalScrollBar()->value(); }
int ScrollBox::vertScrollPos() const { return area_->verticalScrollBar()->value(); }
void ScrollBox::setHorzScrollPos(int v) { area_->horizontalScrollBar()->setValue(v); }
void ScrollBox::setVertScrollPos(int v) { area_->verticalScrollBar()->setValue(v); }

void ScrollBox::scrollToTop()
{
    setVertScrollPos(0);
    setHorzScrollPos(0);
}

void ScrollBox::scrollInView(QWidget* child)
{
    if (child && content_->isAncestorOf(child))
        area_->ensureWidgetVisible(child, 0, 0);
}

void ScrollBox::updateRange()
{
    // The range covers every shown child from the origin; children at
    // negative positions are cut off.
    QRect extent(0, 0, std::max(1, minimumRange_.width()), std::max(1, minimumRange_.height()));
    for (QObject* o : content_->children()) {
        auto* c = qobject_cast<Control*>(o);
        if (c && c->visible())
            extent = extent.united(QRect(QPoint(0, 0), c->geometry().bottomRight()));
    }
    if (content_->size() != extent.size())
        content_->resize(extent.size());
}

void ScrollBox::setMinimumRange(const QSize& size)
{
    if (minimumRange_ == size)
        return;
    minimumRange_ = size;
    updateRange();
}

void ScrollBox::sizeChanged()
{
    area_->setGeometry(rect());
    content_->realign();
    Control::sizeChanged();
}

} // namespace platform
