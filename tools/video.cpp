// The video window's handlers and the video links of pages.
#include "tools/forms/form6.h"
#include "tools/forms/window_on_demand.h"

#include "platform/seam.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/text.h"
#include "viewer/main_window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QSlider>

namespace {

QString localFile(const QString& caption)
{
    const QString local = store::CutNN(caption);
    return local.isEmpty() ? caption : local;
}

} // namespace

namespace video {

QString positionText(int position, int length)
{
    return QString::asprintf("%.3d / %.3d", position, length);
}

QPoint placeCentred(int x, int y, int w, int h)
{
    const int left = x - text::divTrunc(w, 2);
    const int top = y - text::divTrunc(h, 2);
    return QPoint(left > 0 ? left : 0, top > 0 ? top : 0);
}

void PlayVideoLink(const QString& url, const QPoint& cursor)
{
    windowOnDemand(Form6, TForm1::instance());
    try {
        Form6->AVIx1 = cursor.x();
        Form6->AVIy1 = cursor.y();
        Form6->setWindowTitle(url);
        Form6->Tag = 1;
        Form6->show();
        Form6->playbuttonDblClick();
    } catch (...) {
        qCWarning(lcPagora) << "video window:" << store::log::currentException();
    }
}

} // namespace video

video::Player* TForm6::MediaPlayer1()
{
    if (!player_)
        player_ = video::createMediaPlayer(Panel1);
    return player_.get();
}

void TForm6::setPlayer(std::unique_ptr<video::Player> player)
{
    player_ = std::move(player);
    Panel1Resize();
}

void TForm6::playbuttonDblClick()
{
    if (Tag == 1) {
        MediaPlayer1Tag = 1;
        VideoPlaying = 1;
        QPointer<TForm6> self(this);
        MediaPlayer1()->open(localFile(windowTitle()), [self](video::OpenResult r) {
            if (self)
                self->opened(r);
        });
        return;
    }
    if (MediaPlayer1Tag != 1)
        return;
    Timer1->setEnabled(false);
    VideoPlaying = 1;
    video::Player* p = MediaPlayer1();
    p->stop();
    p->setPosition(0);
    Timer1->setEnabled(true);
    p->play(text::toIntDef(VideoLengthText, p->length()));
    moveCursorToReturn();
}

// The rest of the first open, once the player has the file.
void TForm6::opened(video::OpenResult result)
{
    if (result != video::OpenResult::Opened) {
        MediaPlayer1Tag = 0;
        // A machine without media playback stays quiet, as one without a sound card would.
        if (result == video::OpenResult::Failed)
            platform::showMessage(QStringLiteral("そのファイルは開けません"));
        close();
        return;
    }
    video::Player* p = MediaPlayer1();
    QSize size = p->naturalSize();
    if (!size.isValid() || size.isEmpty())
        size = QSize(320, 240);
    AVIx2 = size.width();
    AVIy2 = size.height();
    resize(AVIx2, AVIy2 + Panel3->height());
    move(video::placeCentred(AVIx1, AVIy1, AVIx2, AVIy2));
    Panel1Resize();
    p->setPosition(0);
    VideoLengthText = QString::asprintf("%.5d", p->length());
    Timer1->setEnabled(true);
    VideoPlaying = 1;
    p->play(p->length());
    Tag = 0;
    moveCursorToReturn();
}

void TForm6::moveCursorToReturn()
{
    // Moving the pointer needs X11; elsewhere it stays where it is.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    QCursor::setPos(x() + returnbutton->left(), y() + frameGeometry().height() - returnbutton->top());
}

void TForm6::playbuttonClick()
{
    Timer1->setEnabled(true);
    VideoPlaying = 1;
    if (MediaPlayer1Tag == 1)
        MediaPlayer1()->play(MediaPlayer1()->length());
}

void TForm6::stopbuttonMouseUp()
{
    Timer1->setEnabled(true);
    VideoPlaying = 0;
    if (MediaPlayer1Tag == 1)
        MediaPlayer1()->stop();
}

// One frame on (+1) or back (-1): the player is nudged back and forth
// first, so a paused picture is drawn again before it plays to the frame.
void TForm6::stepOneFrame(int step)
{
    Timer1->setEnabled(true);
    VideoPlaying = 0;
    if (MediaPlayer1Tag != 1)
        return;
    video::Player* pl = MediaPlayer1();
    const int p = pl->position();
    if (p > 1)
        pl->setPosition(p - 1);
    pl->setPosition(pl->position() + 1);
    pl->play(p + step);
}

void TForm6::plus1MouseUp() { stepOneFrame(1); }

void TForm6::minus1MouseUp() { stepOneFrame(-1); }

void TForm6::returnbuttonMouseUp()
{
    Timer1->setEnabled(true);
    VideoPlaying = 0;
    if (MediaPlayer1Tag == 1)
        MediaPlayer1()->setPosition(0);
}

void TForm6::Timer1Timer()
{
    if (MediaPlayer1Tag != 1 || !player_)
        return;
    const int length = player_->length();
    const int position = player_->position();
    TrackBar1->setMaximum(length);
    TrackBar1->setValue(position);
    Label1->setCaption(video::positionText(position, length));
}

void TForm6::TrackBar1Change()
{
    if (VideoPlaying != 0)
        return;
    Timer1->setEnabled(false);
    Label1->setCaption(video::positionText(TrackBar1->value(), TrackBar1->maximum()));
    if (MediaPlayer1Tag == 1 && player_)
        player_->setPosition(TrackBar1->value());
}

void TForm6::Panel1Resize()
{
    if (player_ && player_->display())
        player_->display()->setGeometry(0, 0, Panel1->width(), Panel1->height());
}

void TForm6::FormShow()
{
    Tag = 1;
    setWindowState(Qt::WindowNoState);
}

void TForm6::FormClose()
{
    Timer1->setEnabled(false);
    if (MediaPlayer1Tag == 1 && player_)
        player_->stop();
    setWindowTitle(QString());
}
