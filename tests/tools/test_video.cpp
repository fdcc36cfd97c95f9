// The video window against a stand-in player: placement on the click, the
// first open and its failure, the buttons, the position bar and the label;
// and closing by page display.
#include "viewer/page_display_fixture.h"

#include "tools/forms/form6.h"
#include "tools/media_bindings.h"
#include "viewer/later_windows.h"

#include "support/temp_tree.h"
#include "support/wait_for.h"

#include <QBuffer>
#include <QImage>
#include <QSlider>
#include <QtEndian>

using namespace video;

namespace {

// Records what the window asks of it; positions move only when asked.
class StandInPlayer : public Player {
public:
    OpenResult result = OpenResult::Opened;
    QSize size = QSize(320, 240);
    int frames = 150;
    int pos = 0;
    bool playing = false;
    int endFrame = -1;
    QStringList calls;
    QString opened;
    QWidget* screen = nullptr;

    void open(const QString& path, std::function<void(OpenResult)> done) override
    {
        opened = path;
        done(result);
    }
    QSize naturalSize() const override { return size; }
    int length() const override { return frames; }
    int position() const override { return pos; }
    void setPosition(int frame) override
    {
        calls << QStringLiteral("seek %1").arg(frame);
        pos = frame;
        playing = false;
    }
    void play(int end) override
    {
        calls << QStringLiteral("play %1").arg(end);
        endFrame = end;
        playing = true;
    }
    void stop() override
    {
        calls << QStringLiteral("stop");
        playing = false;
    }
    QWidget* display() const override { return screen; }
};

void put32(QByteArray& b, quint32 v)
{
    char bytes[4];
    qToLittleEndian(v, bytes);
    b.append(bytes, 4);
}

QByteArray chunk(const char* id, const QByteArray& data)
{
    QByteArray c(id, 4);
    put32(c, quint32(data.size()));
    c += data;
    if (data.size() % 2)
        c += '\0';
    return c;
}

QByteArray list(const char* type, const QByteArray& data)
{
    return chunk("LIST", QByteArray(type, 4) + data);
}

// A motion-JPEG AVI of `frames` frames of w x h at `fps` frames a second.
QByteArray generatedAvi(int w, int h, int frames, int fps)
{
    QList<QByteArray> jpegs;
    for (int i = 0; i < frames; ++i) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 30 % 360, 200, 200));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        jpegs << buffer.data();
    }
    QByteArray avih;
    for (quint32 v : {quint32(1000000 / fps), 0u, 0u, 0x10u, quint32(frames), 0u, 1u, 0u, quint32(w), quint32(h), 0u, 0u, 0u, 0u})
        put32(avih, v);
    QByteArray strh("vidsMJPG");
    for (quint32 v : {0u, 0u, 0u, 1u, quint32(fps), 0u, quint32(frames), 0u, 0xFFFFFFFFu, 0u})
        put32(strh, v);
    put32(strh, 0);
    put32(strh, quint32(w) | (quint32(h) << 16));
    QByteArray strf;
    for (quint32 v : {40u, quint32(w), quint32(h), 1u | (24u << 16)})
        put32(strf, v);
    strf += "MJPG";
    for (quint32 v : {quint32(w * h * 3), 0u, 0u, 0u, 0u})
        put32(strf, v);
    QByteArray movi;
    QByteArray index;
    for (const QByteArray& jpeg : jpegs) {
        index += "00dc";
        put32(index, 0x10);
        put32(index, quint32(4 + movi.size()));
        put32(index, quint32(jpeg.size()));
        movi += chunk("00dc", jpeg);
    }
    const QByteArray body = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)))
                            + list("movi", movi) + chunk("idx1", index);
    QByteArray riff("RIFF");
    put32(riff, quint32(4 + body.size()));
    return riff + "AVI " + body;
}

class VideoTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        Form6 = new TForm6();
        auto p = std::make_unique<StandInPlayer>();
        player = p.get();
        Form6->setPlayer(std::move(p));
        laterwindows::hooks().videoWindow = Form6;
    }
    void TearDown() override
    {
        laterwindows::hooks() = laterwindows::Hooks();
        PageDisplayTest::TearDown();
        delete Form6;
        Form6 = nullptr;
    }
    void openVideo(const QPoint& click = QPoint(500, 400))
    {
        PlayVideoLink(QUrl::fromLocalFile(rootFile("v.avi")).toString(), click);
    }
    StandInPlayer* player = nullptr;
};

} // namespace

TEST(VideoPlacement, CentredOnTheClickAndNeverOffTheScreen)
{
    EXPECT_EQ(placeCentred(500, 400, 320, 240), QPoint(340, 280));
    EXPECT_EQ(placeCentred(10, 10, 320, 240), QPoint(0, 0));
    EXPECT_EQ(placeCentred(161, 500, 321, 240), QPoint(1, 380)); // halves toward zero
    EXPECT_EQ(placeCentred(160, 120, 320, 240), QPoint(0, 0));
}

TEST(VideoLabel, AtLeastThreeDigitsEach)
{
    EXPECT_EQ(positionText(0, 0), QStringLiteral("000 / 000"));
    EXPECT_EQ(positionText(7, 1234), QStringLiteral("007 / 1234"));
}

TEST_F(VideoTest, FirstOpenSizesCentresAndPlays)
{
    writeFile(rootFile("v.avi"));
    openVideo();
    EXPECT_EQ(player->opened, rootFile("v.avi"));
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_EQ(Form6->size(), QSize(320, 240 + Form6->Panel3->height()));
    EXPECT_EQ(Form6->Panel3->height(), 45);
    EXPECT_EQ(Form6->pos(), QPoint(340, 280));
    EXPECT_EQ(Form6->AVIx2, 320);
    EXPECT_EQ(Form6->AVIy2, 240);
    EXPECT_EQ(Form6->VideoLengthText, QStringLiteral("00150"));
    EXPECT_EQ(Form6->Tag, 0);
    EXPECT_EQ(Form6->MediaPlayer1Tag, 1);
    EXPECT_EQ(Form6->VideoPlaying, 1);
    EXPECT_TRUE(Form6->Timer1->enabled());
    EXPECT_EQ(player->calls, QStringList({"seek 0", "play 150"}));

    player->pos = 42;
    Form6->Timer1Timer();
    EXPECT_EQ(Form6->Label1->caption(), QStringLiteral("042 / 150"));
    EXPECT_EQ(Form6->TrackBar1->maximum(), 150);
    EXPECT_EQ(Form6->TrackBar1->value(), 42);

    // A double click on the play button starts again from the start.
    player->calls.clear();
    Form6->playbuttonDblClick();
    EXPECT_EQ(player->calls, QStringList({"stop", "seek 0", "play 150"}));
}

TEST_F(VideoTest, AFileThatCannotBeOpenedIsSaidAndClosesTheWindow)
{
    player->result = OpenResult::Failed;
    platform::clearEvents();
    openVideo();
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events()[0].text, QStringLiteral("そのファイルは開けません"));
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_EQ(Form6->MediaPlayer1Tag, 0);
    EXPECT_TRUE(Form6->windowTitle().isEmpty());

    // No media playback at all: quiet, as without a sound card.
    player->result = OpenResult::NoPlayer;
    platform::clearEvents();
    openVideo();
    EXPECT_TRUE(platform::events().isEmpty());
    EXPECT_FALSE(Form6->isVisible());
}

TEST_F(VideoTest, PositionBarSeeksOnlyWhenStopped)
{
    writeFile(rootFile("v.avi"));
    openVideo();
    Form6->Timer1Timer();
    player->calls.clear();
    Form6->TrackBar1->setValue(30); // dragged during playback: no seek
    EXPECT_TRUE(player->calls.isEmpty());
    Form6->stopbuttonMouseUp();
    EXPECT_EQ(Form6->VideoPlaying, 0);
    Form6->TrackBar1->setValue(60);
    EXPECT_EQ(player->calls, QStringList({"stop", "seek 60"}));
    EXPECT_FALSE(Form6->Timer1->enabled());
    EXPECT_EQ(Form6->Label1->caption(), QStringLiteral("060 / 150"));
}

TEST_F(VideoTest, SingleFramesOnAndBack)
{
    writeFile(rootFile("v.avi"));
    openVideo();
    for (int start : {0, 1}) { // no step back first at the very start
        player->pos = start;
        player->calls.clear();
        Form6->plus1MouseUp();
        EXPECT_EQ(player->calls, QStringList({QStringLiteral("seek %1").arg(start + 1), QStringLiteral("play %1").arg(start + 1)}));
    }
    player->pos = 10;
    player->calls.clear();
    Form6->plus1MouseUp();
    EXPECT_EQ(player->calls, QStringList({"seek 9", "seek 10", "play 11"}));
    player->pos = 10;
    player->calls.clear();
    Form6->minus1MouseUp();
    EXPECT_EQ(player->calls, QStringList({"seek 9", "seek 10", "play 9"}));
    player->calls.clear();
    Form6->returnbuttonMouseUp();
    EXPECT_EQ(player->calls, QStringList({"seek 0"}));
    EXPECT_EQ(Form6->VideoPlaying, 0);
    EXPECT_TRUE(Form6->Timer1->enabled());
}

TEST_F(VideoTest, ShowingAnotherPageClosesTheVideo)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    writeFile(rootFile("v.avi"));
    TForm1& w = make();
    tools::bindMedia(w);
    w.FormShow();
    laterwindows::hooks().playVideo(QUrl::fromLocalFile(rootFile("v.avi")).toString(), QPoint(5, 5));
    ASSERT_TRUE(Form6->isVisible());
    EXPECT_EQ(Form6->pos(), QPoint(0, 0));
    player->calls.clear();
    showPage(w, 1);
    EXPECT_FALSE(Form6->isVisible());
    EXPECT_TRUE(Form6->windowTitle().isEmpty());
    EXPECT_EQ(player->calls, QStringList({"stop"}));
    EXPECT_FALSE(Form6->Timer1->enabled());
}

TEST(VideoWindow, RealPlayerTellsOfAFileThatIsNoVideo)
{
    tools::chooseMediaBackend();
    platform::setTestMode(true);
    TempTree t;
    const QString bogus = t.write(QStringLiteral("x.avi"), QByteArray("not a video at all"));
    TForm6 window;
    TForm6* before = Form6;
    Form6 = &window;
    platform::clearEvents();
    PlayVideoLink(QUrl::fromLocalFile(bogus).toString(), QPoint(100, 100));
    // The real player answers from the event loop; it never blocks here.
    waitFor([&] { return !window.isVisible(); }, 20000);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.MediaPlayer1Tag, 0);
    // With media playback the file is refused in words; without it, quietly.
    for (const auto& e : platform::events())
        EXPECT_EQ(e.text, QStringLiteral("そのファイルは開けません"));
    Form6 = before;
}

TEST(VideoWindow, RealPlayerOpensAGeneratedVideoAndReadsItsLength)
{
    tools::chooseMediaBackend();
    platform::setTestMode(true);
    TempTree t;
    const QString avi = t.write(QStringLiteral("clip.avi"), generatedAvi(64, 48, 20, 10));
    TForm6 window;
    TForm6* before = Form6;
    Form6 = &window;
    platform::clearEvents();
    PlayVideoLink(QUrl::fromLocalFile(avi).toString(), QPoint(300, 300));
    waitFor([&] { return window.Tag == 0 || !window.isVisible(); }, 20000);
    if (window.isVisible()) {
        EXPECT_EQ(window.MediaPlayer1Tag, 1);
        EXPECT_EQ(window.AVIx2, 64);
        EXPECT_EQ(window.AVIy2, 48);
        // Two seconds at ten frames a second.
        EXPECT_NEAR(window.VideoLengthText.toInt(), 20, 2);
        EXPECT_EQ(window.VideoLengthText.size(), 5);
        EXPECT_TRUE(platform::events().isEmpty());
        window.close();
        EXPECT_TRUE(window.windowTitle().isEmpty());
        // The same link again opens it again.
        PlayVideoLink(QUrl::fromLocalFile(avi).toString(), QPoint(300, 300));
        EXPECT_TRUE(waitFor([&] { return window.Tag == 0; }, 20000));
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(platform::events().isEmpty());
    } else {
        // A machine without the decoder: the window said why it closed.
        EXPECT_FALSE(platform::events().isEmpty());
    }
    Form6 = before;
}
