// The worksheet text and the pictures copied for it.
#include "support/temp_tree.h"
#include "tools/worksheet.h"

#include <gtest/gtest.h>

using namespace worksheet;

TEST(Worksheet, NameFieldTableGoesAtTheTopOfTheBody)
{
    const QString page = QStringLiteral(
        "<HTML><HEAD><title>1010_川#水?ヒント</title></HEAD><body bgcolor=\"x\"><P>a [] b []</P></BODY></HTML>");
    const QString sheet = buildWorksheet(page);
    const QString head = QStringLiteral("<HTML><HEAD><title>1010_川#水?ヒント</title></HEAD><body bgcolor=\"x\">");
    EXPECT_TRUE(sheet.startsWith(head + "\r\n<CENTER><TABLE border=\"1\" width=\"640\"><TBODY><TR><TD height=\"71\" "
                                        "align=\"center\"><FONT size=\"3\">1010_川<BR>水</FONT></TD>"));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<FONT size=\"3\">年　　　組　　　番</FONT>")));
    EXPECT_TRUE(sheet.endsWith(QStringLiteral("</CENTER>\r\n<P>a [1] b [1]</P></BODY></HTML>")));
    EXPECT_EQ(worksheetTitle(QStringLiteral("<HEAD><TITLE>t</TITLE>")), QStringLiteral("t"));
    EXPECT_EQ(worksheetTitle(QStringLiteral("<HEAD>")), QString());
}

TEST(Worksheet, PageWithoutBodyGivesOnlyTheTable)
{
    const QString sheet = buildWorksheet(QStringLiteral("<HTML><TITLE>x</TITLE>[]</HTML>"));
    EXPECT_EQ(sheet, QStringLiteral("\r\n") + nameFieldTable(QString()) + QStringLiteral("\r\n"));
    // A body that is never closed runs to the end.
    EXPECT_TRUE(buildWorksheet(QStringLiteral("<BODY>q []")).endsWith(QStringLiteral("q [1]")));
}

TEST(Worksheet, OnlyPicturesBelowThePageFolderAreCopied)
{
    const QString page = QStringLiteral(
        "<IMG SRC=\"ok.png\"><img src=\"sub\\p.png\"><IMG SRC=\"../up.png\"><IMG SRC=\"/etc/passwd\">"
        "<IMG SRC=\"http://x/y.png\"><IMG SRC=\"C:\\w.png\"><IMG SRC=\"a/../../b.png\"><IMG SRC=\"\">"
        "<IMG SRC=\"./ok.png\"><IMG SRC=\"unclosed");
    EXPECT_EQ(pictureSources(page), (QStringList{"ok.png", "sub/p.png"}));
}

TEST(Worksheet, CopiesStayInsideTheWorkFolder)
{
    TempTree t;
    t.write("pages/ok.png", "ok");
    t.write("pages/sub/P.PNG", "p"); // pages from Windows do not keep letter case
    t.write("secret.png", "s");
    t.mkdir("work");
    t.mkdir("outside");
    t.symlink("work/link", t.path("outside"));
    t.write("pages/link/l.png", "l");
    t.write("pages/link/deeper/d.png", "d");
    t.symlink("pages/alias.png", t.path("secret.png")); // a picture that is a link to a file elsewhere
    const QString page = QStringLiteral(
        "<IMG SRC=\"ok.png\"><IMG SRC=\"sub/p.png\"><IMG SRC=\"../secret.png\"><IMG SRC=\"link/l.png\">"
        "<IMG SRC=\"missing.png\"><IMG SRC=\"link/deeper/d.png\"><IMG SRC=\"alias.png\">");
    EXPECT_EQ(copyPictures(page, t.path("pages"), t.path("work")), 2);
    EXPECT_EQ(t.read("work/ok.png"), QByteArray("ok"));
    EXPECT_EQ(t.read("work/sub/p.png"), QByteArray("p"));
    EXPECT_TRUE(t.list("outside").isEmpty()); // not even an empty folder
    EXPECT_FALSE(t.exists("work/secret.png"));
    EXPECT_FALSE(t.exists("work/alias.png"));
}
