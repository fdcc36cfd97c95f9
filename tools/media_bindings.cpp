#include "tools/media_bindings.h"

#include "tools/forms/form6.h"
#include "tools/memo.h"
#include "tools/presentation.h"
#include "tools/recording.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

namespace tools {

void bindMedia(TForm1& w)
{
    memo::bindMemo(w);
    recording::bindRecording(w);
    presentation::bindPresentation(w);
    laterwindows::hooks().playVideo = video::PlayVideoLink;
}

} // namespace tools
