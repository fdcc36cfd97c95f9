#include "store/paths.h"
#include "expect_pairs.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

using namespace store;

TEST(Paths, CutNNTurnsFileUrlsIntoPathsAndWebAddressesIntoNothing)
{
    const QString odd = "/tmp/a #1 %41?$.html";
    expectPairs(CutNN, {{"file:///home/u/My%20Pages/index.html", "/home/u/My Pages/index.html"},
                        {QUrl::fromLocalFile(odd).toString(), odd},
                        {"FILE:///x/y.html", "/x/y.html"},
                        {"http://example.com/a.html", ""},
                        {"HTTPS://example.com/a.html", ""},
                        {"/plain/path.html", "/plain/path.html"},
                        {"", ""}});
}

// Only the scheme makes a web address: a file address that carries
// "http://" in its fragment or query names a file.
TEST(Paths, WebAddressesAreDecidedByTheirScheme)
{
    for (const char* web : {"http://example.com/a.html", "HTTPS://example.com/", "Http://x"})
        EXPECT_TRUE(isWebAddress(QString::fromUtf8(web))) << web;
    for (const char* other : {"file:///out/evil.html#http://x", "file:///a.html?u=https://x", "x/http://y.html",
                              "data:text/html,http://x", "about:blank#http://x", "httpx://a", "http:/a", ""})
        EXPECT_FALSE(isWebAddress(QString::fromUtf8(other))) << other;
    EXPECT_EQ(CutNN("file:///out/evil.html#http://x"), "/out/evil.html");
}

TEST(Paths, SeitouReplacesTheEightForbiddenCharacters)
{
    EXPECT_EQ(seitou("a/b:c"), "a_b:c");
    EXPECT_EQ(seitou("'*?\"|/<>"), "________");
    EXPECT_EQ(seitou("x\\y"), "x\\y");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // a surrogate pair
    EXPECT_EQ(seitou(emoji + "?"), emoji + "_");
    EXPECT_EQ(seitou(QStringLiteral("日本/語")), QStringLiteral("日本_語"));
    // A lone high surrogate does not shield the "/" after it.
    const QString lone = QString(QChar(0xD83D)) + QStringLiteral("/../x");
    EXPECT_EQ(seitou(lone), QString(QChar(0xD83D)) + QStringLiteral("_.._x"));
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
    const auto resolve = [](const QString& link) { return ResolveRelativeLink(link, "/root/sub"); };
    expectPairs(resolve, {{"../img.png", "/root/img.png"},
                          {"./img.png", "/root/sub/img.png"},
                          {"../../img.png", "/img.png"},
                          {"file:///p/q%20r.png", "/p/q r.png"},
                          {"/abs/x.png", "/abs/x.png"},
                          // "../" and "./" count only at the start; the rest is normalised in place.
                          {"img/../a.png", "a.png"},
                          {"img/./a.png", "img/a.png"},
                          {"pics\\a.png", "pics/a.png"},
                          {"a.png", "a.png"},
                          {"http://x.org/../a", "http://x.org/../a"},
                          {"mailto:a@b", "mailto:a@b"},
                          {"", ""}});
}

TEST(Paths, DesktopFolderIsCreated)
{
    const QString desktop = DesktopFolder();
    EXPECT_EQ(desktop, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_TRUE(QFileInfo(desktop).isDir());
}
