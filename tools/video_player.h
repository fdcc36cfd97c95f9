#pragma once
// The media player as the video window drives it: open a file, play up to an
// end position, stop, seek. Positions and lengths count frames. The window
// gets a stand-in in tests; the program plays through Qt Multimedia.

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace video {

enum class OpenResult { Opened, Failed, NoPlayer };

class Player {
public:
    virtual ~Player() = default;
    // Opens path; done runs once, at once or from the event loop. NoPlayer:
    // this machine has no media playback at all.
    virtual void open(const QString& path, std::function<void(OpenResult)> done) = 0;
    virtual QSize naturalSize() const = 0; // invalid when unknown
    virtual int length() const = 0;
    virtual int position() const = 0;
    virtual void setPosition(int frame) = 0; // leaves it paused
    // Plays from the position and stops at endFrame; an end at or before the
    // position only moves there.
    virtual void play(int endFrame) = 0;
    virtual void stop() = 0;
    // Where the picture goes; the window sizes it.
    virtual QWidget* display() const = 0;
};

// The player over Qt Multimedia, drawing into a widget made in parent.
std::unique_ptr<Player> createMediaPlayer(QWidget* parent);

} // namespace video
