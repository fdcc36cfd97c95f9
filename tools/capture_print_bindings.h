#pragma once
// Binds the main window's capture, drawing and printing controls: the
// drawing buttons of the bottom bar, the pen menu, the drawing surface,
// the capture picture, Timer4 and the print view WebBrowser3.

class TForm1;

namespace tools {

void bindCapturePrint(TForm1& w);

} // namespace tools
