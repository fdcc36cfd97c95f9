#include "editor/main_window_bindings.h"

#include "viewer/main_window.h"

namespace editor {

void bindMainWindow(TForm1& w)
{
    (void)w;
}

} // namespace editor
