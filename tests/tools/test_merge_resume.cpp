// The merged thumbnail document's text: rows, tables of five, titles,
// memos and picture names.
#include "tools/merge_pages.h"

#include <gtest/gtest.h>

using namespace merge;

namespace {

QList<ResumeRow> rows(int n)
{
    QList<ResumeRow> list;
    for (int i = 0; i < n; ++i)
        list << ResumeRow{QStringLiteral("_p%1.jpg").arg(i), QStringLiteral("t%1").arg(i), QString()};
    return list;
}

} // namespace

TEST(Resume, SixPagesGiveTablesOfFiveAndOne)
{
    const QStringList lines = resumeLines(rows(6), 640);
    const QString text = lines.join('\n');
    EXPECT_EQ(text.count(QStringLiteral("<TABLE border=\"1\" width=\"640\">")), 2);
    EXPECT_EQ(lines.first(), QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"> "));
    EXPECT_TRUE(lines.contains(QStringLiteral("<META NAME=\"author\" CONTENT=\"WORK_Pagora_印刷\">")));
    const int br = lines.indexOf(QStringLiteral("<BR>"), lines.indexOf(QStringLiteral("</TABLE>")));
    EXPECT_EQ(text.left(text.indexOf(QStringLiteral("</TABLE>"))).count(QStringLiteral("<TR>")), 5);
    EXPECT_GT(br, 0);
    EXPECT_EQ(lines.mid(br - 2, 5), (QStringList{"</TBODY> ", "</TABLE>", "<BR>", "<TABLE border=\"1\" width=\"640\">",
                                                 "<TBODY>"}));
    EXPECT_TRUE(lines.contains(QStringLiteral("<TD valign=\"top\" width=\"330\">[t5]<BR> </TD>")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("<P><IMG src=\"_p0.jpg\" width=\"304\" height=\"185\" border=\"0\"></P> ")));
}

TEST(Resume, TenPagesGiveExactlyTwoTables)
{
    const QStringList lines = resumeLines(rows(10), 640);
    EXPECT_EQ(lines.join('\n').count(QStringLiteral("<TABLE ")), 2);
    EXPECT_EQ(lines.mid(lines.size() - 5), (QStringList{"</TR>", "</TBODY> ", "</TABLE>", "</BODY>", "</HTML>"}));
}

TEST(Resume, TitlesFromTheTitleTagOrTheName)
{
    const QString page = QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\"><HTML><HEAD><title>1010_Intro</title>");
    EXPECT_EQ(resumeTitle(page, "1010_x.html"), QStringLiteral("Intro"));
    EXPECT_EQ(resumeTitle(QStringLiteral("<HTML><TITLE>a_b</TITLE>"), "1020_page.html"), QStringLiteral("page"));
    EXPECT_EQ(resumeTitle(QString(), "plain.pdf"), QStringLiteral("plain"));
}

TEST(Resume, MemoIsEscapedBeforeItsLineBreaks)
{
    EXPECT_EQ(memoHtml(QStringLiteral("a<b>&c\r\nd\r\n")), QStringLiteral("a&lt;b&gt;&amp;c<BR>d<BR>"));
    EXPECT_EQ(memoHtml(QString()), QString());
}

TEST(Resume, EveryPageGetsItsOwnPicture)
{
    QSet<QString> used;
    EXPECT_EQ(pictureName("a.html", used), QStringLiteral("_a.jpg"));
    EXPECT_EQ(pictureName("A.pdf", used), QStringLiteral("_A_pdf.jpg"));
    EXPECT_EQ(pictureName("sub/a.pdf", used), QStringLiteral("_a_pdf_2.jpg"));
    EXPECT_EQ(pictureUrl(QStringLiteral("_a#b%c d.jpg")), QStringLiteral("_a%23b%25c%20d.jpg"));
    EXPECT_EQ(pictureUrl(QStringLiteral("_川.jpg")), QStringLiteral("_川.jpg"));
}
