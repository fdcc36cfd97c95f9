#pragma once
// Playback of wave files (sound links and page recordings). Without an
// audio device, or for a missing or unreadable file, playback fails quietly
// and returns false, as a machine without a sound card would.

#include <QString>

namespace platform {

bool audioOutputAvailable();
// Starts playing and returns at once; a sound already playing is replaced.
bool playWaveFile(const QString& fileName);
// Plays and returns when the sound has ended (or after timeoutMs), keeping
// the event loop running meanwhile. True when it played to the end.
bool playWaveFileSync(const QString& fileName, int timeoutMs = 10 * 60 * 1000);
// Stops the sound started by playWaveFile, if any.
void stopWaveFile();

} // namespace platform
