#pragma once
// Binds the classroom extras of the main window: the page memo, the page
// recording, the video window and presentation mode.

class TForm1;

namespace tools {

void bindMedia(TForm1& w);

} // namespace tools
