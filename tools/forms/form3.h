#pragma once
// TForm3: the file tool. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm3 : public LaterWindow<3> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm3* Form3 = nullptr;
