// The files that belong to a page: its companions, what its markup names,
// what embedded pages name in turn, and the command-link notices.
#include "support/temp_tree.h"
#include "tools/link_values.h"
#include "tools/linked_files.h"

#include <gtest/gtest.h>

using namespace tools;

namespace {

LinkedFiles collect(const TempTree& t, const QString& page)
{
    return CollectLinkedFiles(t.path(page), true, t.path());
}

} // namespace

TEST(LinkedFiles, PageThenRecordingThenMemoThenWhatItNames)
{
    TempTree t;
    t.write("p.html", "<BODY background=\"_bg.jpg\"><IMG src=\"a.jpg\"><IMG Src=\"a.jpg\"><IMG SRC=\"a.jpg\">"
                      "<A HREF=\"doc.pdf\">d</A><IMG src=b.jpg><TITLE>\"icon.png\"T</TITLE>");
    for (const char* n : {"p.wav", "p.%xt", "_bg.jpg", "a.jpg", "b.jpg", "doc.pdf", "icon.png"})
        t.write(n);
    const LinkedFiles r = collect(t, "p.html");
    // Listed in the order src, title icon, background, href; an unquoted value counts as the engine reads it.
    EXPECT_EQ(r.files, t.paths({"p.html", "p.wav", "p.%xt", "a.jpg", "b.jpg", "icon.png", "_bg.jpg", "doc.pdf"}));
    EXPECT_TRUE(r.commandLinkMessages.isEmpty());
}

TEST(LinkedFiles, EveryFormTheEngineFollowsCountsScriptTextDoesNot)
{
    TempTree t;
    t.write("p.html", "<STYLE>td{background:url(\"_css.png\")}</STYLE><IMG src='%E8%8A%B1.png#x'>"
                      "<OBJECT data=\"sub/inner.html\"></OBJECT><SCRIPT>i.src=\"_script.png\"</SCRIPT>");
    t.write("sub/inner.html", "<VIDEO poster=\"_poster.jpg\"></VIDEO>");
    for (const QString& n : {QStringLiteral("_css.png"), QStringLiteral("花.png"), QStringLiteral("_script.png"),
                             QStringLiteral("sub/_poster.jpg")})
        t.write(n);
    EXPECT_EQ(collect(t, "p.html").files, t.paths({"p.html", QStringLiteral("花.png"), "sub/inner.html",
                                                   "_css.png", "sub/_poster.jpg"}));
}

TEST(LinkedFiles, EmbeddedPagesAreFollowedHrefPagesAreNot)
{
    TempTree t;
    t.write("p.html", "<IFRAME src=\"sub/inner.html\"></IFRAME><A href=\"other.html\">o</A>");
    t.write("sub/inner.html", "<IMG src=\"in.png\"><IMG src=\"../up.png\">");
    t.write("sub/in.png");
    t.write("up.png");
    t.write("other.html", "<IMG src=\"never.png\">");
    t.write("never.png");
    const LinkedFiles r = collect(t, "p.html");
    // The page's own values come first; values in an embedded page count
    // from its own folder.
    EXPECT_EQ(r.files, t.paths({"p.html", "sub/inner.html", "other.html", "sub/in.png", "up.png"}));
}

TEST(LinkedFiles, PagesEmbeddingEachOtherEnd)
{
    TempTree t;
    t.write("a.html", "<IFRAME src=\"b.html\"><IFRAME src=\"a.html\"><IMG src=\"x.png\">");
    t.write("b.html", "<IFRAME src=\"a.html\"><IFRAME src=\"B.HTML\"><IMG src=\"y.png\">");
    t.write("x.png");
    t.write("y.png");
    const LinkedFiles r = collect(t, "a.html");
    EXPECT_EQ(r.files, t.paths({"a.html", "b.html", "x.png", "y.png"}));
}

TEST(LinkedFiles, CommandLinksGiveOneNoticeEachAndAddNothing)
{
    TempTree t;
    t.write("p.html", "<A href=\"$NEXT\">n</A><A href=\"/$NEXT\">n</A><A href=\"http://x/a.html\">w</A>"
                      "<A href=\"mailto:a@b\">m</A><A href=\"https://x/\">s</A>");
    const LinkedFiles r = collect(t, "p.html");
    EXPECT_EQ(r.files, t.paths({"p.html"}));
    ASSERT_EQ(r.commandLinkMessages.size(), 2);
    EXPECT_EQ(r.commandLinkMessages[0], t.path("p.html") + QStringLiteral("で\nhref=$NEXT 【外部リンク】があります。"));
    EXPECT_EQ(r.commandLinkMessages[1], r.commandLinkMessages[0]);
}

TEST(LinkedFiles, OtherFilesListOnlyThemselvesAndTheirCompanions)
{
    TempTree t;
    t.write("doc.jtd", "src=\"a.jpg\"");
    t.write("a.jpg");
    t.write("doc.%xt");
    EXPECT_EQ(collect(t, "doc.jtd").files, t.paths({"doc.jtd", "doc.%xt"}));
}

TEST(LinkedFiles, ARecordingNamedBeforeIsListedTwice)
{
    TempTree t;
    t.write("a.html", "<A href=\"b.wav\">sound</A>");
    t.write("b.html");
    t.write("b.wav");
    LinkedFiles first = collect(t, "a.html");
    EXPECT_EQ(first.files, t.paths({"a.html", "b.wav"}));
    QStringList list = first.files;
    list << t.path("b.html");
    const LinkedFiles both = CollectLinkedFiles(t.path("b.html"), false, t.path(), list);
    EXPECT_EQ(both.files, t.paths({"a.html", "b.wav", "b.html", "b.wav"}));
}

TEST(LinkedFiles, WindowsValuesAbsolutePathsAndDriveLetters)
{
    TempTree t;
    TempTree elsewhere;
    const QString far = elsewhere.write("far.png");
    t.write("p.html", "<IMG src=\"img\\a.png\"><IMG src=\"C:\\img\\b.png\"><IMG src=\"" + far.toUtf8()
                          + "\"><IMG src=\"./c.png\"><IMG src=\"D.PNG\">");
    t.write("img/a.png");
    t.write("C:/img/b.png"); // a folder named "C:" here: still no link
    t.write("c.png");
    t.write("d.png"); // written on Windows without keeping the case
    const LinkedFiles r = collect(t, "p.html");
    EXPECT_EQ(r.files, QStringList({t.path("p.html"), t.path("img/a.png"), far, t.path("c.png"), t.path("d.png")}));
}

