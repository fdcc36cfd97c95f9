#pragma once
// The program's windows besides the main window are made when first used,
// not at start-up: the code that shows one asks for it here. The global
// pointer is cleared when the window goes, so it is never used after that.

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
