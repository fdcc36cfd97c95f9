// Writes and copies the page commands were asked for that fail (a full
// disk, a file no one can read) are named in the message panel, never
// passed over in silence.
#include "test_command_fixture.h"

#include "store/resource_limits.h"

#include <sys/stat.h>

TEST_F(PageCommandTest, FailedWritesAndCopiesAreNamed)
{
    TForm1& w = shown();
    writeFile(inRoot("note.txt"), QByteArray(100, 'n'));
    writeFile(inRoot("0040_history.html"), "<HTML><HEAD><SCRIPT SRC=\"history/old.txt\"></SCRIPT></HEAD></HTML>");
    w.OpenFolder(root(), 0, false);
    withFileSizeLimit(3, [&](bool limited) {
        ASSERT_TRUE(limited);
        w.KRNcommand("JS v.txt a=1");
        EXPECT_EQ(flashText(), QStringLiteral("書き込めませんでした：v.txt"));
        w.KRNcommand("COPY note.txt copied.txt");
        EXPECT_EQ(flashText(), QStringLiteral("コピーできませんでした：note.txt"));
        w.KRNcommand("PAINT pic");
        EXPECT_EQ(flashText(), QStringLiteral("書き込めませんでした：pic.bmp"));
        w.KRNcommand("HIS quiz");
        EXPECT_EQ(flashText(), QStringLiteral("書き込めませんでした：0040_history.html"));
    });
    EXPECT_FALSE(QFile::exists(inRoot("v.txt")));
    EXPECT_FALSE(QFile::exists(inRoot("copied.txt")));
    EXPECT_FALSE(QFile::exists(inRoot("pic.bmp")));
    EXPECT_TRUE(seamEvents("start").isEmpty()); // no paint program on a picture that is not there
}

TEST_F(PageCommandTest, AValueFileThatCannotBeReadIsLeftAndNamed)
{
    TForm1& w = shown();
    // A pipe stands for a file no one can read, root included.
    ASSERT_EQ(::mkfifo(QFile::encodeName(inRoot("v.txt")).constData(), 0600), 0);
    w.KRNcommand("JS v.txt a=1");
    EXPECT_EQ(flashText(), QStringLiteral("読み込めないため書き込みませんでした：v.txt"));
    EXPECT_FALSE(QFileInfo(inRoot("v.txt")).isFile());
}
