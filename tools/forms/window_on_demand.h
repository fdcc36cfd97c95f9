#pragma once
// A tool window the program normally makes at start-up, made on first use
// where it has not (tests, a window closed for good); the global pointer is
// cleared when the window goes, so it is never used after that.

#include <QObject>
#include <QWidget>

template <class Window>
Window& windowOnDemand(Window*& global, QWidget* owner)
{
    if (!global) {
        global = new Window(owner);
        QObject::connect(global, &QObject::destroyed, [&global] { global = nullptr; });
    }
    return *global;
}
