#pragma once
// The page's sound recording: a ".wav" beside the shown page under its base
// name. "WAV" records it with the sound recorder; it plays once after the
// page has loaded; the playback button BitBtn1 plays it again, or with the
// right button sends it to the trash.

#include <QByteArray>
#include <QString>

class TForm1;

namespace recording {

// The 58-byte RIFF WAVE file without samples written before recording.
QByteArray emptyRecording();
// A recording smaller than this counts as none.
constexpr qint64 kMinimumSize = 1024;

// The recording of the page at shownUrl: the shown file's path with its
// extension replaced by ".wav" ("index" when the address ends in "/"); a web
// page's recording lies in currentFolder. "" without a shown page.
QString recordingPathFor(const QString& shownUrl, const QString& currentFolder);
// Whether a file after recording is to be removed: smaller than the minimum
// and either made by this recording or still the empty recording.
bool discardAfterRecording(const QString& path, bool createdHere);

// The shown page's recording; shows BitBtn1 (Tag 1) when it exists, hides
// it (Tag 0) otherwise.
QString PageRecordingPath(TForm1& w);
// Records into fileName (a ".wav" file) with the sound recorder, written only
// where the window's commands may write; when the file cannot be begun
// there the user is told and the recorder does not open.
void RecordPageSound(TForm1& w, const QString& fileName);
// The tick after a page load: the button's state, and the recording once.
void Timer3Timer(TForm1& w);
// Release on BitBtn1: play, or after a right press, to the trash.
void hSAISEIMouseUp(TForm1& w);
// Plays path to its end; the window keeps painting but takes no input meanwhile.
void playRecording(TForm1& w, const QString& path);

// Binds BitBtn1, Timer3 (400 ms, first tick after the window shows) and "WAV".
void bindRecording(TForm1& w);

} // namespace recording
