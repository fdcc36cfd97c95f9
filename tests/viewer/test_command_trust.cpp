// Which commands web pages may run, and where commands may write.
#include "viewer/command_trust.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace commands;

// The address tells who raised a request: only a file: address, asked for
// by a page of the data root, has a local page's trust.
TEST(CommandTrust, TheAddressTellsWhoRaisedARequest)
{
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/Pagora.data";
    QDir().mkpath(root + "/sub");
    const QString page = QUrl::fromLocalFile(root + "/sub/a.html").toString();
    const QString outside = QUrl::fromLocalFile(tmp.path() + "/evil.html").toString();
    EXPECT_TRUE(isLocalRequest("file://" + root + "/$JS%20x.txt", page, root));
    EXPECT_TRUE(isLocalRequest("FILE:///$NEXT", page, root));
    for (const char* web : {"http://h/z/$JS%20x.txt", "https://h/$SAVE", "data:text/html,$JS", "blob:http://h/1$JS",
                            "about:blank#$JS", ""})
        EXPECT_FALSE(isLocalRequest(QString::fromUtf8(web), page, root)) << web;
    // A local file outside the data root is no local page; nor is a web page.
    EXPECT_FALSE(isLocalRequest("file:///$JS%20x.txt", outside, root));
    EXPECT_FALSE(isLocalRequest("file:///$JS%20x.txt", "http://h/a.html", root));
    EXPECT_FALSE(isLocalRequest("file:///$JS%20x.txt", "", root));
    ASSERT_TRUE(QFile::link(tmp.path(), root + "/out"));
    EXPECT_FALSE(isDataRootPage(QUrl::fromLocalFile(root + "/out/evil.html").toString(), root));
    EXPECT_FALSE(isDataRootPage(QUrl::fromLocalFile(root + "x/a.html").toString(), root));

    // A link page's link, by the document its text was read from.
    EXPECT_TRUE(isLocalLink("x/$JS a.txt", page, root));
    EXPECT_TRUE(isLocalLink("/$NEXT", page, root));
    EXPECT_FALSE(isLocalLink("http://h/$JS a.txt", page, root));
    EXPECT_FALSE(isLocalLink("x/$JS a.txt", "http://h/a.html", root));
    EXPECT_FALSE(isLocalLink("file:///$JS a.txt", "http://h/a.html", root));
    EXPECT_FALSE(isLocalLink("/$JS a.txt", outside, root));
    EXPECT_EQ(resolvedLink("x/y.html", "http://h/a/b.html"), "http://h/a/x/y.html");
    EXPECT_EQ(resolvedLink("file:///out/evil.html#http://x", "http://h/a.html"), "file:///out/evil.html#http://x");

    // A local page's own link to a web video: the whole address, as written.
    EXPECT_TRUE(pageLinksTo("<a href=\"HTTP://h/Movie.avi\">", "http://h/Movie.avi"));
    EXPECT_TRUE(pageLinksTo("<a href='http://h/a b.avi'>", "http://h/a%20b.avi"));
    EXPECT_TRUE(pageLinksTo("<a href=\"http://h/m.avi?a=1&amp;b=2\">", "http://h/m.avi?a=1&b=2"));
    EXPECT_FALSE(pageLinksTo("<a href=\"http://h/movie.avi2\">", "http://h/movie.avi"));
    EXPECT_FALSE(pageLinksTo("<iframe src=\"http://h/\">", "http://h/movie.avi"));
}

TEST(CommandTrust, CommandsAllowedFromTheWeb)
{
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
