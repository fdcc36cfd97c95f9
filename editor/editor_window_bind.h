#pragma once
// Shared by the files that bind the editor window's controls.

#include "platform/controls.h"

#include <functional>

namespace editor {

// A click handler of a speed button: the left button only (a speed button
// reports a release of either button as a click).
inline void onLeftClick(platform::SpeedButton* b, std::function<void()> handler)
{
    b->onClick = [b, handler = std::move(handler)] {
        if (!b->rightPressed())
            handler();
    };
}

} // namespace editor
