#include "tools/media_bindings.h"

#include "tools/forms/form6.h"
#include "tools/memo.h"
#include "tools/presentation.h"
#include "tools/recording.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QDir>
#include <QLibraryInfo>
#include <QtGlobal>

namespace tools {

// Video links of classroom pages are old AVI, MPEG and WMV files. Qt's FFmpeg
// backend reads them all with the libraries Qt itself depends on; the
// GStreamer one needs plug-in packages a machine often lacks. A backend the
// user chose stays. Runs before anything touches Qt Multimedia.
void chooseMediaBackend()
{
    if (!qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        return;
    // A backend that is not installed would leave no media at all.
    const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia"));
    if (!plugins.entryList({QStringLiteral("*ffmpegmediaplugin*")}, QDir::Files).isEmpty())
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

void bindMedia(TForm1& w)
{
    chooseMediaBackend();
    memo::bindMemo(w);
    recording::bindRecording(w);
    presentation::bindPresentation(w);
    laterwindows::hooks().playVideo = video::PlayVideoLink;
}

} // namespace tools
