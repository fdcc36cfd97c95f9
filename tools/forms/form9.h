#pragma once
// TForm9: the folder chooser of the folder list. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm9 : public LaterWindow<9> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm9* Form9 = nullptr;
