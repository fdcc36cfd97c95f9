#pragma once
// TForm11: the presentation mask. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm11 : public LaterWindow<11> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm11* Form11 = nullptr;
