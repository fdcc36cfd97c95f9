#pragma once
// TForm15: the link dialog of the editor. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm15 : public LaterWindow<15> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm15* Form15 = nullptr;
