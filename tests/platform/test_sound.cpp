// Wave playback fails quietly: no file, no device, or no wave data.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace platform;

TEST(Sound, MissingOrUnplayableFilesReturnFalseWithoutWaiting)
{
    QTemporaryDir dir;
    EXPECT_FALSE(playWaveFile(dir.filePath(QStringLiteral("absent.wav"))));
    EXPECT_FALSE(playWaveFile(QString()));
    EXPECT_FALSE(playWaveFileSync(dir.filePath(QStringLiteral("absent.wav"))));
    EXPECT_FALSE(playWaveFileSync(dir.path())); // a folder is no sound
    QFile junk(dir.filePath(QStringLiteral("junk.wav")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not RIFF data");
    junk.close();
    EXPECT_FALSE(playWaveFileSync(junk.fileName(), 5000));
    stopWaveFile();
}
