// The page's sound recording: the empty recording written before the
// recorder, the recording's path, which files a recording leaves, the
// playback button and the playback once after a page load.
#include "viewer/page_display_fixture.h"

#include "platform/sound.h"
#include "store/files.h"
#include "support/temp_tree.h"
#include "tools/media_bindings.h"
#include "tools/recording.h"
#include "tools/recording_window.h"
#include "viewer/later_windows.h"

#include <QElapsedTimer>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QStandardPaths>
#include <QtEndian>

using namespace recording;

namespace {

quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// A recording long enough to count: a quarter second of 16-bit silence.
QByteArray shortRecording()
{
    const QByteArray samples(22050 / 2, '\0');
    return waveHeader(22050, 1, 16, quint32(samples.size())) + samples;
}

class RecordingTest : public PageDisplayTest {
protected:
    void TearDown() override
    {
        laterwindows::hooks() = laterwindows::Hooks();
        PageDisplayTest::TearDown();
    }
    TForm1& startBound()
    {
        TForm1& w = make();
        tools::bindMedia(w);
        w.FormShow();
        return w;
    }
    int modalCount() const
    {
        int n = 0;
        for (const auto& e : platform::events())
            n += e.kind == QLatin1String("modal") && e.text == QLatin1String("SoundRecorder");
        return n;
    }
};

} // namespace

TEST(EmptyRecording, IsTheFiftyEightByteWaveWithoutSamples)
{
    const QByteArray b = emptyRecording();
    ASSERT_EQ(b.size(), 58);
    EXPECT_EQ(b.left(4), QByteArray("RIFF"));
    EXPECT_EQ(le32(b, 4), 50u);
    EXPECT_EQ(b.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(le32(b, 16), 18u);
    EXPECT_EQ(le16(b, 20), 1);      // PCM
    EXPECT_EQ(le16(b, 22), 1);      // mono
    EXPECT_EQ(le32(b, 24), 22050u); // samples a second
    EXPECT_EQ(le32(b, 28), 22050u); // bytes a second
    EXPECT_EQ(le16(b, 32), 1);      // block align
    EXPECT_EQ(le16(b, 34), 8);      // bits
    EXPECT_EQ(b.mid(38, 4), QByteArray("fact"));
    EXPECT_EQ(b.mid(50, 4), QByteArray("data"));
    EXPECT_EQ(le32(b, 54), 0u);
}

TEST(WaveHeader, DescribesSixteenBitPcm)
{
    const QByteArray h = waveHeader(44100, 2, 16, 400);
    ASSERT_EQ(h.size(), 44);
    EXPECT_EQ(le32(h, 4), 436u);
    EXPECT_EQ(le16(h, 22), 2);
    EXPECT_EQ(le32(h, 28), 44100u * 4);
    EXPECT_EQ(le16(h, 32), 4);
    EXPECT_EQ(le16(h, 34), 16);
    EXPECT_EQ(le32(h, 40), 400u);
}

TEST(RecordingPath, FollowsTheShownPageItself)
{
    TempTree t;
    const QString sub = t.mkdir(QStringLiteral("sub"));
    const QString url = QUrl::fromLocalFile(files::joinPath(sub, QStringLiteral("p.a.html"))).toString();
    // A page of a sub-folder gets its own recording, not one in the current folder.
    EXPECT_EQ(recordingPathFor(url, t.path()), files::joinPath(sub, QStringLiteral("p.a.wav")));
    EXPECT_EQ(recordingPathFor(QUrl::fromLocalFile(sub + "/").toString(), t.path()),
              files::joinPath(sub, QStringLiteral("index.wav")));
    EXPECT_EQ(recordingPathFor(QStringLiteral("https://example.org/d/q.htm"), t.path()), t.path(QStringLiteral("q.wav")));
    EXPECT_EQ(recordingPathFor(QStringLiteral("http://example.org/"), t.path()), t.path(QStringLiteral("index.wav")));
    EXPECT_TRUE(recordingPathFor(QString(), t.path()).isEmpty());
    // Made on Windows: the letter case of the name is not kept.
    const QString upper = t.write(QStringLiteral("sub/P.A.WAV"));
    EXPECT_EQ(recordingPathFor(url, t.path()), upper);
}

TEST(RecordingKeep, OnlyTheEmptyRecordingOrOwnFileGoes)
{
    TempTree t;
    const QString empty = t.write(QStringLiteral("e.wav"), emptyRecording());
    EXPECT_TRUE(discardAfterRecording(empty, false));
    const QString small = t.write(QStringLiteral("s.wav"), QByteArray("someone's notes"));
    EXPECT_FALSE(discardAfterRecording(small, false));
    EXPECT_TRUE(discardAfterRecording(small, true));
    const QString recorded = t.write(QStringLiteral("r.wav"), shortRecording());
    EXPECT_FALSE(discardAfterRecording(recorded, true));
    EXPECT_FALSE(discardAfterRecording(t.path(QStringLiteral("none.wav")), true));
}

TEST_F(RecordingTest, WavCommandWithoutARecordingLeavesNothing)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    platform::clearEvents();
    w.KRNcommand(QStringLiteral("WAV a"));
    EXPECT_EQ(modalCount(), 1); // the recorder was opened on the file
    EXPECT_FALSE(QFileInfo::exists(rootFile("a.wav")));
    EXPECT_EQ(w.BitBtn1->tag(), 0);
    EXPECT_FALSE(w.BitBtn1->visible());
}

TEST_F(RecordingTest, ARecordingShowsTheButtonAndOtherFilesAreLeftAlone)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    writeFile(rootFile("a.wav"), shortRecording()); // as the recorder leaves it
    RecordPageSound(w, rootFile("a.wav"));
    EXPECT_TRUE(QFileInfo::exists(rootFile("a.wav")));
    EXPECT_EQ(w.BitBtn1->tag(), 1);
    EXPECT_TRUE(w.BitBtn1->visible());
    EXPECT_EQ(w.BitBtn1->hint(), QStringLiteral("ページ録音の再生"));
    EXPECT_EQ(w.BitBtn1->top(), 2);

    // A small file that is no recording is never deleted.
    writeFile(rootFile("note.wav"), "short");
    RecordPageSound(w, rootFile("note.wav"));
    EXPECT_TRUE(QFileInfo::exists(rootFile("note.wav")));
    // Only wave files are recorded into.
    writeFile(rootFile("b.txt"), "text");
    platform::clearEvents();
    RecordPageSound(w, rootFile("b.txt"));
    EXPECT_EQ(modalCount(), 0);
    EXPECT_EQ(files::readBytes(rootFile("b.txt")).value_or(QByteArray()), QByteArray("text"));
}

// The page's folder reached through a link to outside the data root (as a
// link swapped in after the command's check would be): the recording is
// neither begun nor removed there, and the user is told.
TEST_F(RecordingTest, ARecordingIsNeverWrittenThroughAFolderLinkLeadingOut)
{
    writePage("a.html", "a");
    TForm1& w = startBound();
    const QString outside = dir.mkdir(QStringLiteral("outside"));
    ASSERT_FALSE(dir.symlink(QStringLiteral("Pagora.data/sub"), outside).isEmpty());
    platform::clearEvents();
    RecordPageSound(w, rootFile("sub/a.wav"));
    EXPECT_EQ(modalCount(), 0);
    EXPECT_TRUE(dir.list(QStringLiteral("outside")).isEmpty());
    int messages = 0;
    for (const auto& e : platform::events())
        messages += e.kind == QLatin1String("message") && e.text.contains(rootFile("sub/a.wav"));
    EXPECT_EQ(messages, 1);

    // An empty recording out there is left alone as well.
    writeFile(files::joinPath(outside, QStringLiteral("b.wav")), emptyRecording());
    RecordPageSound(w, rootFile("sub/b.wav"));
    EXPECT_EQ(dir.read(QStringLiteral("outside/b.wav")), emptyRecording());
}

TEST_F(RecordingTest, PlaysAfterALoadOnlyWhileTheLastStateShowedARecording)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    writePage("c.html", "c");
    writeFile(rootFile("a.wav"), shortRecording());
    writeFile(rootFile("c.wav"), shortRecording());
    TForm1& w = startBound();
    EXPECT_EQ(w.Timer3->interval(), 400);
    w.Timer3->fire(); // the start-up tick: a's recording
    EXPECT_FALSE(w.Timer3->enabled());
    EXPECT_EQ(w.BitBtn1->tag(), 1);
    EXPECT_TRUE(w.isEnabled()); // the window takes input again after playing

    showPage(w, 1);
    browser()->completeDocument();
    EXPECT_TRUE(w.Timer3->enabled());
    w.Timer3->fire(); // b has none: hidden, and the latch is off
    EXPECT_EQ(w.BitBtn1->tag(), 0);
    EXPECT_FALSE(w.BitBtn1->visible());

    showPage(w, 2);
    browser()->completeDocument();
    EXPECT_FALSE(w.Timer3->enabled()); // c's recording waits for the button's next state
}

TEST_F(RecordingTest, RightReleaseOnTheButtonSendsTheRecordingToTheTrash)
{
    writePage("a.html", "a");
    writeFile(rootFile("a.wav"), shortRecording());
    TForm1& w = startBound();
    w.Timer3->fire();
    ASSERT_TRUE(w.BitBtn1->visible());
    const int shown = browser()->navigated().size();
    // Asked first, as every delete; no keeps it.
    platform::clearEvents();
    w.RightClickFlag = true;
    platform::setNextAnswer(platform::Answer::No);
    hSAISEIMouseUp(w);
    EXPECT_TRUE(QFileInfo::exists(rootFile("a.wav")));
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().first().kind, "ask");
    EXPECT_TRUE(platform::events().first().text.contains("a.wav"));
    w.RightClickFlag = true;
    platform::setNextAnswer(platform::Answer::Yes);
    hSAISEIMouseUp(w);
    EXPECT_FALSE(QFileInfo::exists(rootFile("a.wav")));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files/a.wav";
    EXPECT_TRUE(QFileInfo::exists(trash));
    EXPECT_FALSE(w.BitBtn1->visible());
    EXPECT_GT(browser()->navigated().size(), shown); // the page is shown again
}

TEST_F(RecordingTest, PlaybackNeverHangsTheWindow)
{
    writePage("a.html", "a");
    writeFile(rootFile("a.wav"), shortRecording());
    TForm1& w = startBound();
    QElapsedTimer clock;
    clock.start();
    w.RightClickFlag = false;
    hSAISEIMouseUp(w);
    // A quarter-second sound, or none at all on a machine without a sound card.
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(QFileInfo::exists(rootFile("a.wav")));
    if (!platform::audioOutputAvailable()) {
        EXPECT_FALSE(platform::playWaveFileSync(rootFile("a.wav")));
    }
}

TEST(RecorderWindow, SaysWhenThereIsNoMicrophone)
{
    TempTree t;
    RecorderWindow recorder(t.path(QStringLiteral("r.wav")), {t.path()});
    EXPECT_EQ(recorder.inputAvailable(), !QMediaDevices::audioInputs().isEmpty() && recorder.RecordButton->enabled());
    if (QMediaDevices::audioInputs().isEmpty()) {
        EXPECT_EQ(recorder.Label1->caption(), QStringLiteral("録音できるマイクが見つかりません。"));
        EXPECT_FALSE(recorder.RecordButton->enabled());
        recorder.startRecording();
        EXPECT_FALSE(recorder.recording());
    }
    EXPECT_FALSE(recorder.StopButton->enabled());
    recorder.done(0);
    EXPECT_FALSE(t.exists(QStringLiteral("r.wav"))); // nothing recorded, nothing written
}
