#pragma once
// TForm12: the page memo window. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm12 : public LaterWindow<12, true> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm12* Form12 = nullptr;
