#pragma once
// Shared by the control sources only.
#include <QWidget>
#include <utility>

namespace platform {

// Calls an event handler through a copy, so a handler that deletes the
// control (and with it the handler itself) finishes on intact captures.
template <class F, class... Args>
auto callHandler(const F& handler, Args&&... args)
{
    F copy = handler;
    return copy(std::forward<Args>(args)...);
}

// A property whose new value only changes how the control paints.
template <class T>
void setAndRepaint(QWidget* control, T& field, const T& value)
{
    field = value;
    control->update();
}

} // namespace platform
