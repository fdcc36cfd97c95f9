#pragma once
// TForm16: the posting into a page. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm16 : public LaterWindow<16> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm16* Form16 = nullptr;
