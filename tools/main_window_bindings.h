#pragma once
// Binds the main window's buttons, menu items and entry points that the
// tools code owns. The program calls it once, after all windows exist.

class TForm1;

namespace tools {

void bindMainWindow(TForm1& w);

} // namespace tools
