#pragma once
// Binds the main window's buttons, menu items and entry points that the
// editor code owns. The program calls it once, when the main window exists.

class TForm1;

namespace editor {

void bindMainWindow(TForm1& w);

} // namespace editor
