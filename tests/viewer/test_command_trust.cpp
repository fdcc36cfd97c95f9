// Which commands web pages may run, and where commands may write.
#include "viewer/command_trust.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace commands;

TEST(CommandTrust, WebSourcesAndTheirCommands)
{
    EXPECT_FALSE(isWebSource("file:///data/a.html"));
    EXPECT_FALSE(isWebSource(""));
    EXPECT_TRUE(isWebSource("http://example.com/q.html"));
    EXPECT_TRUE(isWebSource("HTTPS://example.com/q.html"));
    for (const char* w : {"NEXT", "BACK", "TOP", "HOME", "GO", "GOSUB", "RETURN", "LOOK", "DIR", "_【○】", "word"})
        EXPECT_TRUE(allowedFromWeb(w)) << w;
    for (const char* w : {"SAVE", "COPY", "JS", "HISJS", "HIS", "PAINT", "WAV", "dir", "ANSWER", "tool.sh", "x.EXE"})
        EXPECT_FALSE(allowedFromWeb(w)) << w;
}

TEST(CommandTrust, TargetsStayInsideTheRoots)
{
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/Pagora.data";
    const QString desk = tmp.path() + "/Desktop";
    QDir().mkpath(root + "/sub");
    QDir().mkpath(desk);
    const WriteRoots roots{{root, desk}};
    EXPECT_TRUE(isAllowedTarget(root + "/sub/a.txt", roots));
    EXPECT_TRUE(isAllowedTarget(root + "/new/deeper/a.txt", roots));
    EXPECT_TRUE(isAllowedTarget(desk + "/x.bmp", roots));
    EXPECT_FALSE(isAllowedTarget(root + "/../evil.txt", roots));
    EXPECT_FALSE(isAllowedTarget(root + "/sub/../../evil.txt", roots));
    EXPECT_FALSE(isAllowedTarget(tmp.path() + "/Pagora.database/a.txt", roots)); // a sibling, not inside
    EXPECT_FALSE(isAllowedTarget("/etc/passwd", roots));
    EXPECT_FALSE(isAllowedTarget("relative.txt", roots));
    EXPECT_FALSE(isAllowedTarget("", roots));
    // a link inside a root that leads elsewhere does not count as inside
    ASSERT_TRUE(QFile::link(tmp.path(), root + "/out"));
    EXPECT_FALSE(isAllowedTarget(root + "/out/evil.txt", roots));
    // the last link counts too, whether its target exists or not
    ASSERT_TRUE(QFile::link(tmp.path() + "/missing.txt", root + "/dangling.txt"));
    EXPECT_FALSE(isAllowedTarget(root + "/dangling.txt", roots));
    ASSERT_TRUE(QFile::link(root + "/sub/later.txt", root + "/inner.txt"));
    EXPECT_TRUE(isAllowedTarget(root + "/inner.txt", roots));
    ASSERT_TRUE(QFile::link("loop", root + "/loop"));
    EXPECT_FALSE(isAllowedTarget(root + "/loop", roots));
}
