// Building a page from the editor's fields.

#include "page_test_support.h"
#include "support/write_bounds.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using namespace pagetest;

namespace {

// Section values as the reader leaves them for an editor page.
PageModel editorPage()
{
    PageModel m;
    m.PageHeadStart = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n"
                                     "<HEAD>\r\n<META NAME=\"author\" ");
    m.PageSizeMetaSection = kSizeMetaB4;
    m.PageHeadRest = QStringLiteral(">\r\n");
    m.PageBodyTagSection = QStringLiteral("\r\n</HEAD>\r\n<BODY>");
    m.PageHeaderSection = QStringLiteral("<!--HEDDA_IN-->\r\n<!--HEDDA_OUT-->");
    m.PageFooterSection = QStringLiteral("<!--FOOTER_IN-->\r\n<!--FOOTER_OUT-->");
    m.PageTail = QStringLiteral("</BODY>\r\n</HTML>\r\n");
    return m;
}

QString noteOf(const PageModel& m)
{
    const int a = m.Memo82.indexOf(kNoteIn) + kNoteIn.size();
    return m.Memo82.mid(a, m.Memo82.indexOf(kNoteOut) - a);
}

const QDateTime kDay(QDate(2020, 4, 14), QTime(9, 5));

} // namespace

TEST(PageWriter, EmptyFieldsGolden)
{
    PageModel m = editorPage();
    m.ETAGP1.clear();
    BuildPageHtml(m, QString(), kDay);
    EXPECT_EQ(m.Memo82, QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
        "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>"
        "<!--HEDDA_IN-->\r\n<!--HEDDA_OUT--><!--NOTE_IN--><P></P><P></P><!--NOTE_OUT--><!--FOOTER_IN-->\r\n"
        "<!--FOOTER_OUT--></BODY>\r\n</HTML>\r\n"));
}

TEST(PageWriter, RichNoteGolden)
{
    PageModel m = editorPage();
    m.GroupBox1Tag = 1;
    m.TitlePrefix = QStringLiteral("\"i.gif\"");
    m.Edit1 = QStringLiteral("a<b>  ");
    m.Edit5 = QStringLiteral("k ");
    m.Edit6 = QStringLiteral("h ");
    m.ETAGH1 = QStringLiteral("<H1 align=\"center\">");
    m.Memo4 = QStringLiteral("1\r\n2");
    m.PageNoteLead = QStringLiteral("lead");
    m.Memo5 = QStringLiteral("s");
    m.ETAGHYO1 = QStringLiteral("align=\"center\"");
    m.Memo1 = QStringLiteral("cap");
    m.Memo3 = QStringLiteral("x\r\ny");
    m.Memo81 = QStringLiteral("z");
    m.Edit2 = QStringLiteral("t.html");
    m.ETAGP1 = QStringLiteral("<P align=\"left\">");
    m.Memo2 = QStringLiteral("p");
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(m.Memo82.contains(QStringLiteral("<TITLE>\"i.gif\"a&lt;b&gt;#k?h </TITLE>") + MakeStyleBlock(1) +
                                  QStringLiteral("\r\n</HEAD>")));
    QString expected = QStringLiteral("<H1 align=\"center\">1<BR>2</H1>lead<H2>s</H2>"
                                      "<TABLE border=\"1\" align=\"center\"><TBODY>\r\n<TR>\r\n"
                                      "<TD colspan=\"8\" align=\"center\">cap</TD></TR>\r\n");
    const QString a = QStringLiteral("align=\"center\"");
    for (int row = 1; row <= 13; ++row) {
        const QString colour = row == 1 ? QStringLiteral("#cbfefc") : QStringLiteral("#fafed3");
        expected += QStringLiteral("<TR>\r\n");
        const int cells = row <= 8 ? 8 : row <= 12 ? 3 : 1;
        for (int col = 1; col <= cells; ++col) {
            const bool narrow = row <= 12 && col <= 2;
            QString start = QStringLiteral("<TD ");
            if (row > 8 && row <= 12 && col == 3)
                start = QStringLiteral("<TD colspan=\"6\" ");
            if (row == 13)
                start = QStringLiteral("<TD colspan=\"8\" ");
            const QString text = row == 1 && col == 1 ? QStringLiteral("x<BR>y") : row == 13 ? QStringLiteral("z")
                                                                                             : QString();
            expected += start + a + (narrow ? QStringLiteral(" Width=\"100\"") : QString()) +
                        QStringLiteral(" bgcolor=\"") + colour + QStringLiteral("\">") + text +
                        QStringLiteral("</TD>\r\n");
        }
        expected += QStringLiteral("</TR>\r\n");
    }
    expected += QStringLiteral("</TBODY></TABLE>\r\n<P><A href=\"t.html\">t.html</A></P><P align=\"left\">p</P>");
    EXPECT_EQ(noteOf(m), expected);
    EXPECT_EQ(m.Edit3, QStringLiteral("t.html"));
}

TEST(PageWriter, TableWidthAndAlignment)
{
    PageModel m = editorPage();
    m.PageWidth = 686;
    m.Memo1 = QStringLiteral("c");
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(noteOf(m).startsWith(QStringLiteral("<TABLE border=\"1\"  width=\"640\"><TBODY>\r\n<TR>\r\n"
                                                    "<TD colspan=\"8\" >c</TD></TR>\r\n</TBODY></TABLE>\r\n")));
    m.ETAGHYO1 = QStringLiteral("align=\"right\"");
    m.Memo6 = QStringLiteral("g");
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(noteOf(m).startsWith(QStringLiteral("<TABLE border=\"1\" align=\"right\"><TBODY>\r\n<TR>\r\n"
                                                    "<TD colspan=\"8\" >c</TD></TR>\r\n<TR>\r\n"
                                                    "<TD  Width=\"100\" bgcolor=\"#cbfefc\"></TD>\r\n"
                                                    "<TD  Width=\"100\" bgcolor=\"#cbfefc\">g</TD>\r\n")));
}

TEST(PageWriter, DailyReportTitleIsDatedAndEscaped)
{
    PageModel m = editorPage();
    m.TitlePrefix = QStringLiteral("\"i.gif\"");
    m.Edit1 = u8("今日<b>:2020/4/13");
    m.Edit5 = QStringLiteral("dropped");
    m.Edit6 = QStringLiteral("h");
    BuildPageHtml(m, u8("/x/日報.html"), kDay);
    EXPECT_TRUE(m.Memo82.contains(u8("<TITLE>今日&lt;b&gt;:2020/4/14?h</TITLE>")));
    EXPECT_EQ(m.Label3, u8(" 2020年04月14日日報"));
    BuildPageHtml(m, QString(), kDay);  // the source view never dates
    EXPECT_TRUE(m.Memo82.contains(u8("<TITLE>\"i.gif\"今日&lt;b&gt;:2020/4/13#dropped?h</TITLE>")));
}

TEST(PageWriter, PictureGoneLeavesTextLink)
{
    QTemporaryDir dir;
    PageModel m = editorPage();
    m.PageFolder = dir.path();
    m.Gname = QStringLiteral("gone.jpg");
    m.ETAGSRC1 = QStringLiteral("<P>");
    m.Edit7 = QStringLiteral("<IMG src=\"gone.jpg\">");
    m.Edit2 = QStringLiteral("n.html");
    BuildPageHtml(m, QString(), kDay);
    EXPECT_EQ(m.Gname, QString());
    EXPECT_TRUE(noteOf(m).startsWith(QStringLiteral("<P><A href=\"n.html\">n.html</A></P>")));
}

TEST(PageWriter, PictureSizedAndLinkedWithoutDoubleWrap)
{
    QTemporaryDir dir;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(dir.filePath(QStringLiteral("Bandwidth.JPG"))));
    PageModel m = readPage(pageWithNote(QStringLiteral("<P align=\"center\"><A href=\"n.html\"><IMG src=\"bandwidth.jpg\" "
                                                       "width=\"4\" vspace=\"4\" align=\"center\"></A></P><P></P>")),
                           dir.filePath(QStringLiteral("p.html")));
    ASSERT_EQ(m.Image1Tag, 1);
    m.GX = QStringLiteral("40");
    m.GY = QStringLiteral("30");
    BuildPageHtml(m, QString(), kDay);
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(noteOf(m).startsWith(QStringLiteral(
        "<P align=\"center\"><A href=\"n.html\"><IMG src=\"bandwidth.jpg\" width=\"40\" vspace=\"4\" "
        "align=\"center\" height=\"30\"></A></P>")));
    m.Image1Tag = 0;
    BuildPageHtml(m, QString(), kDay);
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"bandwidth.jpg\"  vspace=\"4\" align=\"center\" >"));
}

// A picture from a web address has no file to be gone: read and written
// again, its tag stays as it was, linked or not; a local picture that is
// gone still goes.
TEST(PageWriter, PicturesFromWebAddressesAreKept)
{
    QTemporaryDir dir;
    for (const QString& paragraph :
         {QStringLiteral("<P align=\"center\"><IMG src=\"http://example.com/a.png\" width=\"120\" height=\"90\" "
                         "align=\"center\"></P>"),
          QStringLiteral("<P><A href=\"n.html\"><IMG src=\"HTTPS://example.com/b.jpg\" align=\"left\"></A></P>")}) {
        SCOPED_TRACE(paragraph.toStdString());
        PageModel m = readPage(pageWithNote(paragraph + QStringLiteral("<P>text</P>")), dir.filePath(QStringLiteral("p.html")));
        BuildPageHtml(m, QString(), kDay);
        EXPECT_TRUE(noteOf(m).startsWith(paragraph)) << noteOf(m).toStdString();
        BuildPageHtml(m, QString(), kDay);
        EXPECT_TRUE(noteOf(m).startsWith(paragraph));
    }
    PageModel m = readPage(pageWithNote(QStringLiteral("<P><IMG src=\"gone.png\"></P><P>text</P>")),
                           dir.filePath(QStringLiteral("p.html")));
    BuildPageHtml(m, QString(), kDay);
    EXPECT_FALSE(noteOf(m).contains(QStringLiteral("gone.png")));
}

TEST(PageWriter, QuizAndAnswerHandOff)
{
    PageModel m = editorPage();
    m.Memo2 = QStringLiteral("(a)");
    m.CheckBox1 = true;
    m.CheckBox2 = true;
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(m.Memo82.contains(QStringLiteral("<BODY><!--beginPagora//-->")));
    EXPECT_FALSE(m.Memo82.contains(kAnswerBegin));
    m.CheckBox1 = false;
    BuildPageHtml(m, QString(), kDay);
    EXPECT_TRUE(m.Memo82.contains(kNoteOut + kAnswerBegin));
}

TEST(SavePage, WritesBomCrLfAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    PageModel m = editorPage();
    m.CheckBox1 = true;
    ASSERT_TRUE(SavePage(m, path, tempBounds()));
    const QByteArray bytes = *files::readBytes(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<!DOCTYPE"));
    EXPECT_TRUE(bytes.endsWith("</HTML>\r\n"));
    EXPECT_FALSE(bytes.contains("\r<"));  // the quiz's lone CRs became CR LF
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));

    ASSERT_TRUE(files::writeBytes(dir.filePath(QStringLiteral("file")), "x", tempBounds()));
    EXPECT_FALSE(SavePage(m, dir.filePath(QStringLiteral("file/p.html")), tempBounds()));
}
