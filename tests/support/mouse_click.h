#pragma once
// A press and a release of one mouse button at a point inside a widget, sent
// as the window system would deliver a click there.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

inline void clickMouse(QWidget* w, QPointF at = QPointF(3, 3), Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// A press alone (buttons that act on the press, such as the page buttons).
inline void pressMouse(QWidget* w, Qt::MouseButton button, QPointF at = QPointF(3, 3))
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void pressKey(QWidget* w, Qt::Key k)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}
