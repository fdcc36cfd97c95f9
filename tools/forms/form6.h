#pragma once
// TForm6: the video window. A small stay-on-top window that plays a video
// link's file, sized to the video and centred on the click, with play, stop,
// one frame on and back, return to the start and a position bar. The caption
// holds the video's address while one is open. Handlers: tools/video.cpp.

#include "platform/controls.h"
#include "tools/video_player.h"

#include <QString>
#include <QWidget>
#include <memory>

class QSlider;

class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    int AVIx1 = 0, AVIy1 = 0; // the click, in the main window's client coordinates
    int AVIx2 = 0, AVIy2 = 0; // the video's own width and height
    int Tag = 0;              // 1 from showing until the first open
    int MediaPlayer1Tag = 0;  // 1 while a file is open
    QString VideoLengthText;  // the length, five digits
    int VideoPlaying = 0;     // 1 while playback runs under the window's control

    platform::Panel* Panel1 = nullptr;           // the picture
    platform::Panel* Panel3 = nullptr;           // bottom bar
    QSlider* TrackBar1 = nullptr;                // position
    platform::SpeedButton* playbutton = nullptr;   // play; a double click starts again
    platform::SpeedButton* stopbutton = nullptr;
    platform::SpeedButton* plus1 = nullptr;        // "+1": one frame on
    platform::SpeedButton* minus1 = nullptr;       // "-1": one frame back
    platform::SpeedButton* returnbutton = nullptr; // to the start
    platform::Label* Label1 = nullptr;             // position / length
    platform::Timer* Timer1 = nullptr;             // follows the player, 10 ms

    // The player (made at the first open unless a stand-in was given).
    video::Player* MediaPlayer1();
    void setPlayer(std::unique_ptr<video::Player> player);

    void playbuttonDblClick();
    void playbuttonClick();
    void stopbuttonMouseUp();
    void plus1MouseUp();
    void minus1MouseUp();
    void stepOneFrame(int step); // +1 or -1 frame from where the player stands
    void returnbuttonMouseUp();
    void TrackBar1Change();
    void Timer1Timer();
    void Panel1Resize();
    void FormShow();
    void FormClose();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void createComponents();
    void placeBar();
    void opened(video::OpenResult result);
    void moveCursorToReturn();
    std::unique_ptr<video::Player> player_;
};

inline TForm6* Form6 = nullptr;

namespace video {
// "%.3d / %.3d": position and length, at least three digits each.
QString positionText(int position, int length);
// Top left corner of a window of size w x h centred on the click (x, y),
// kept at 0 or more.
QPoint placeCentred(int x, int y, int w, int h);
// A video link: the window shows the file of url centred on the click.
void PlayVideoLink(const QString& url, const QPoint& cursor);
} // namespace video
