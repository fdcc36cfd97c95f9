#pragma once
// TForm23: the programming-environment launcher. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm23 : public LaterWindow<23> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm23* Form23 = nullptr;
