#include "store/paths.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

using namespace store;

TEST(Paths, CutNNTurnsFileUrlsIntoPathsAndWebAddressesIntoNothing)
{
    EXPECT_EQ(CutNN("file:///home/u/My%20Pages/index.html"), "/home/u/My Pages/index.html");
    const QString odd = "/tmp/a #1 %41?$.html";
    EXPECT_EQ(CutNN(QUrl::fromLocalFile(odd).toString()), odd);
    EXPECT_EQ(CutNN("FILE:///x/y.html"), "/x/y.html");
    EXPECT_EQ(CutNN("http://example.com/a.html"), "");
    EXPECT_EQ(CutNN("HTTPS://example.com/a.html"), "");
    EXPECT_EQ(CutNN("/plain/path.html"), "/plain/path.html");
    EXPECT_EQ(CutNN(""), "");
}

TEST(Paths, SeitouReplacesTheEightForbiddenCharacters)
{
    EXPECT_EQ(seitou("a/b:c"), "a_b:c");
    EXPECT_EQ(seitou("'*?\"|/<>"), "________");
    EXPECT_EQ(seitou("x\\y"), "x\\y");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // a surrogate pair
    EXPECT_EQ(seitou(emoji + "?"), emoji + "_");
    EXPECT_EQ(seitou(QStringLiteral("日本/語")), QStringLiteral("日本_語"));
}

TEST(Paths, SmallStringHelpers)
{
    EXPECT_EQ(DecodeSpaces("a%20b%2520"), "a b%2520");
    EXPECT_EQ(AfterLastSlash("/a/b/c.html"), "c.html");
    EXPECT_EQ(AfterLastSlash("plain"), "plain");
    EXPECT_EQ(DirectoryPart("/a/b/c.html"), "/a/b/");
    EXPECT_EQ(ParentFolderPath("/a/b/c.html"), "/a/b/");
    EXPECT_EQ(DirectoryPart("c.html"), "");
    EXPECT_EQ(ParentFolderName("/a/b/c.html"), "b");
    EXPECT_EQ(ParentFolderName("b/c.html"), "b");
    EXPECT_EQ(ParentFolderName("c.html"), "");
    EXPECT_EQ(RepeatString("ab", 3), "ababab");
    EXPECT_EQ(RepeatString("ab", 0), "");
    EXPECT_EQ(RepeatString("ab", -2), "");
    EXPECT_EQ(EscapeAngleBrackets("<b>&"), "&lt;b&gt;&");
    EXPECT_EQ(UnescapeAngleBrackets("&lt;b&gt; &amp;"), "<b> &amp;");
    EXPECT_EQ(UnescapeAngleBrackets(EscapeAngleBrackets("a<>b")), "a<>b");
}

TEST(Paths, RelativeLinksResolveAgainstTheCurrentFolder)
{
    const QString cur = "/root/sub";
    EXPECT_EQ(ResolveRelativeLink("../img.png", cur), "/root/img.png");
    EXPECT_EQ(ResolveRelativeLink("./img.png", cur), "/root/sub/img.png");
    EXPECT_EQ(ResolveRelativeLink("../../img.png", cur), "/img.png");
    EXPECT_EQ(ResolveRelativeLink("file:///p/q%20r.png", cur), "/p/q r.png");
    EXPECT_EQ(ResolveRelativeLink("/abs/x.png", cur), "/abs/x.png");
    // "../" and "./" count only at the start; the rest is normalised in place.
    EXPECT_EQ(ResolveRelativeLink("img/../a.png", cur), "a.png");
    EXPECT_EQ(ResolveRelativeLink("img/./a.png", cur), "img/a.png");
    EXPECT_EQ(ResolveRelativeLink("pics\\a.png", cur), "pics/a.png");
    EXPECT_EQ(ResolveRelativeLink("a.png", cur), "a.png");
    EXPECT_EQ(ResolveRelativeLink("http://x.org/../a", cur), "http://x.org/../a");
    EXPECT_EQ(ResolveRelativeLink("mailto:a@b", cur), "mailto:a@b");
    EXPECT_EQ(ResolveRelativeLink("", cur), "");
}

TEST(Paths, DesktopFolderIsCreated)
{
    const QString desktop = DesktopFolder();
    EXPECT_EQ(desktop, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_TRUE(QFileInfo(desktop).isDir());
}
