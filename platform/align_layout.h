#pragma once
// The align layout of panels: aligned children take strips of the container
// in the order top, bottom, left, right, client; the others keep their bounds.
// Pure geometry, so it is tested without widgets; the controls apply it.

#include <QRect>
#include <QVector>

namespace platform {

enum class Align { None, Top, Bottom, Left, Right, Client };

struct AlignItem {
    Align align = Align::None;
    bool visible = true;
    QRect rect; // current bounds in the container's coordinates
};

// Returns the new bounds of items (same order, which is creation order).
// Visible aligned items are placed kind by kind (top, bottom, left, right,
// client), each kind in creation order, every one taking its strip of what is
// left: top and bottom keep their height and span the remaining width, left
// and right keep their width and span the remaining height, client items fill
// what remains. Hidden items and unaligned items keep their bounds (an
// unaligned item may lie partly or wholly outside the container). A zero or
// negative extent takes no space; the remaining rectangle never goes below
// zero size.
QVector<QRect> alignLayout(const QRect& container, const QVector<AlignItem>& items);

} // namespace platform
