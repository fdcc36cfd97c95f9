#pragma once
// TForm7: the name input of the folder list. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm7 : public LaterWindow<7> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm7* Form7 = nullptr;
