#include "tools/main_window_bindings.h"

#include "viewer/main_window.h"

namespace tools {

void bindMainWindow(TForm1& w)
{
    (void)w;
}

} // namespace tools
