#pragma once
// TForm13: the ruby dialog of the editor. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm13 : public LaterWindow<13> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm13* Form13 = nullptr;
