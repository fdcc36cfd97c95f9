#pragma once
// TForm6: the video window; a caption means a video is open. Until its own code lands, an empty window.

#include "viewer/forms/later_window.h"

class TForm6 : public LaterWindow<6, true> {
    Q_OBJECT
    using LaterWindow::LaterWindow;
};

inline TForm6* Form6 = nullptr;
