#pragma once
// TForm4: the search window; also serves LOOK. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm4 : public LaterWindow<4> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm4* Form4 = nullptr;
