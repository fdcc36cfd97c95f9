#include "platform/align_layout.h"

#include <algorithm>

namespace platform {

namespace {

// What is left of the container while strips are taken from it.
struct Remaining {
    int left, top, right, bottom; // right/bottom exclusive

    int width() const { return std::max(0, right - left); }
    int height() const { return std::max(0, bottom - top); }
};

QRect place(Align align, const QRect& rect, Remaining& r)
{
    const int w = std::max(0, rect.width());
    const int h = std::max(0, rect.height());
    QRect out;
    switch (align) {
    case Align::Top:
        out = QRect(r.left, r.top, r.width(), h);
        r.top = std::min(r.top + h, std::max(r.top, r.bottom));
        break;
    case Align::Bottom:
        out = QRect(r.left, r.bottom - h, r.width(), h);
        r.bottom = std::max(r.bottom - h, std::min(r.top, r.bottom));
        break;
    case Align::Left:
        out = QRect(r.left, r.top, w, r.height());
        r.left = std::min(r.left + w, std::max(r.left, r.right));
        break;
    case Align::Right:
        out = QRect(r.right - w, r.top, w, r.height());
        r.right = std::max(r.right - w, std::min(r.left, r.right));
        break;
    case Align::Client:
        out = QRect(r.left, r.top, r.width(), r.height());
        break;
    case Align::None:
        out = rect;
        break;
    }
    return out;
}

} // namespace

QVector<QRect> alignLayout(const QRect& container, const QVector<AlignItem>& items)
{
    QVector<QRect> result;
    result.reserve(items.size());
    for (const AlignItem& item : items)
        result.append(item.rect);

    Remaining remaining{container.left(), container.top(),
                        container.left() + std::max(0, container.width()),
                        container.top() + std::max(0, container.height())};
    const Align order[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
    for (Align kind : order) {
        for (int i = 0; i < items.size(); ++i) {
            if (items[i].align == kind && items[i].visible)
                result[i] = place(kind, items[i].rect, remaining);
        }
    }
    return result;
}

} // namespace platform
