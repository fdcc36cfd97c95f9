#pragma once
// Binds the classroom extras of the main window: the page memo, the page
// recording, the video window and presentation mode.

class TForm1;

namespace tools {

// Also chooses the media backend (chooseMediaBackend).
void bindMedia(TForm1& w);
// The FFmpeg backend of Qt Multimedia where it is installed, unless the user
// chose one; before the first use of Qt Multimedia.
void chooseMediaBackend();

} // namespace tools
