#pragma once
// TForm17: the numbered renaming. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm17 : public LaterWindow<17> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm17* Form17 = nullptr;
