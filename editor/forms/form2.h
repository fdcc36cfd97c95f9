#pragma once
// TForm2: the page editor. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm2 : public LaterWindow<2, true> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm2* Form2 = nullptr;
