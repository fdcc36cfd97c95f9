#pragma once
// TForm5: the page order. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm5 : public LaterWindow<5> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm5* Form5 = nullptr;
