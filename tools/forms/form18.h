#pragma once
// TForm18: the answer sheet. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm18 : public LaterWindow<18> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm18* Form18 = nullptr;
