#pragma once
// Binds the main window's buttons, menu items and entry points that the
// tools code owns. The program calls it once, when the main window exists.

class TForm1;

namespace tools {

void bindMainWindow(TForm1& w);

} // namespace tools
