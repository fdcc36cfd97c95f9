#pragma once
// TForm10: the folder-list editor. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm10 : public LaterWindow<10> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm10* Form10 = nullptr;
