#pragma once
// Binds the main window's buttons, menu items and entry points that the
// editor code owns. The program calls it once, after all windows exist.

class TForm1;

namespace editor {

void bindMainWindow(TForm1& w);

} // namespace editor
