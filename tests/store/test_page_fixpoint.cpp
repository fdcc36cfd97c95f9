// A page read and written again comes out byte for byte the same.

#include "store/templates.h"
#include "support/write_bounds.h"
#include "page_test_support.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using namespace pagetest;

namespace {

QString richPage()
{
    return u8("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
              "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_A4\">\r\n"
              "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
              "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n"
              "<TITLE>\"icon.gif\"動物 &lt;1&gt;#いぬ ねこ?ヒント (b)</TITLE>") +
           GetStyleBlock(1) +
           u8("</HEAD>\r\n<BODY><!--HEDDA_IN-->\r\n<!--HEDDA_OUT--><!--NOTE_IN-->"
              "<H1 align=\"center\">一行目<BR>二行目</H1><H2>小見出し</H2>"
              "<TABLE border=\"1\" align=\"center\"><TBODY>\r\n<TR>\r\n<TD colspan=\"8\" align=\"center\">表題</TD>"
              "</TR>\r\n<TR>\r\n<TD align=\"center\" Width=\"100\" bgcolor=\"#cbfefc\">セル(1)</TD>\r\n"
              "<TD align=\"center\" Width=\"100\" bgcolor=\"#cbfefc\">二<BR>行</TD>\r\n</TR>\r\n</TBODY></TABLE>\r\n"
              "<P align=\"center\"><A href=\"次.html\"><IMG src=\"写真 (1).jpg\" width=\"120\" height=\"90\" "
              "vspace=\"4\" hspace=\"4\" align=\"center\"></A></P>"
              "<P>犬は(犬|猫/犬/鳥)です。(いぬ/イヌ)<BR>(a|b)</P><!--NOTE_OUT--><!--FOOTER_IN-->\r\n"
              "<!--FOOTER_OUT-->\r\n</BODY>\r\n</HTML>\r\n");
}

} // namespace

TEST(PageFixpoint, RichQuizPageIsStableFromTheSecondSave)
{
    QTemporaryDir dir;
    QImage img(12, 9, QImage::Format_RGB32);
    img.fill(Qt::green);
    ASSERT_TRUE(img.save(dir.filePath(u8("写真 (1).jpg"))));
    const QString path = dir.filePath(QStringLiteral("p.html"));
    ASSERT_TRUE(files::writeTextBom(path, richPage(), tempBounds()));

    PageModel first;
    first.CheckBox1 = false;
    const QByteArray once = readSave(path, first);
    expectFields(first, {{FIELD(Edit1), u8("動物 <1>")},
                         {FIELD(Edit5), u8("いぬ ねこ")},
                         {FIELD(Edit6), u8("ヒント (b)")},
                         {FIELD(Memo4), u8("一行目\r\n二行目")},
                         {FIELD(Memo6), u8("二\r\n行")},
                         {FIELD(Gname), u8("写真 (1).jpg")},
                         {FIELD(Edit2), u8("次.html")}});

    // the first save made a quiz page only if the box was ticked; tick it now
    PageModel second;
    second.Memo82 = *files::readUtf8(path);
    LoadPageIntoEditor(second, path);
    second.CheckBox1 = true;
    ASSERT_TRUE(SavePage(second, path, tempBounds()));
    const QByteArray quiz = *files::readBytes(path);
    EXPECT_TRUE(quiz.contains("var kazu=3;"));  // the cell's (1) counts too; (a|b) and the title do not
    EXPECT_TRUE(quiz.contains(u8("<IMG src=\"写真 (1).jpg\" width=\"120\" height=\"90\"").toUtf8()));
    EXPECT_TRUE(quiz.contains(u8("<TITLE>\"icon.gif\"動物 &lt;1&gt;#いぬ ねこ?ヒント (b)</TITLE>").toUtf8()));

    PageModel third;
    const QByteArray again = readSave(path, third);
    EXPECT_TRUE(third.CheckBox1);
    EXPECT_EQ(third.Memo2, u8("犬は(犬|猫/犬/鳥)です。(いぬ/イヌ)\r\n(a|b)"));
    PageModel fourth;
    EXPECT_EQ(readSave(path, fourth), again);
    EXPECT_EQ(again, quiz);
}

TEST(PageFixpoint, EditorPageKeepsItsBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u8("日記.html"));
    ASSERT_TRUE(files::writeTextBom(path, richPage(), tempBounds()));
    PageModel a;
    const QByteArray once = readSave(path, a);
    PageModel b;
    EXPECT_EQ(readSave(path, b), once);
    EXPECT_TRUE(once.contains("<!--FOOTER_OUT--></BODY>\r\n</HTML>\r\n"));
    EXPECT_TRUE(once.contains("<BODY><!--HEDDA_IN-->\r\n<!--HEDDA_OUT--><!--NOTE_IN--><H1"));
}

TEST(PageFixpoint, AnswerPageRoundTrip)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.html"));
    ASSERT_TRUE(files::writeTextBom(path, richPage(), tempBounds()));
    PageModel a;
    a.Memo82 = richPage();
    LoadPageIntoEditor(a, path);
    a.CheckBox2 = true;
    ASSERT_TRUE(SavePage(a, path, tempBounds()));
    PageModel b;
    const QByteArray once = readSave(path, b);
    EXPECT_TRUE(b.CheckBox2);
    EXPECT_FALSE(b.CheckBox1);
    EXPECT_EQ(once.count("<!--beginPagora_ANSWER//-->"), 1);
    PageModel c;
    EXPECT_EQ(readSave(path, c), once);
}

TEST(PageFixpoint, TemplatePageKeepsSecondStyleBlock)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("n.html"));
    ASSERT_TRUE(files::writeTextBom(path, newPageText(u8("見出し")), tempBounds()));
    PageModel a;
    const QByteArray once = readSave(path, a);
    EXPECT_EQ(a.GroupBox1Tag, 1);
    EXPECT_EQ(a.Memo4, u8("見出し"));
    const QString text = QString::fromUtf8(once);
    EXPECT_TRUE(text.contains(QStringLiteral("<TITLE>NEW</TITLE>") + MakeStyleBlock(1) +
                              QStringLiteral("<!--STYLE_IN1-->\r\n<STYLE type=\"text/css\">\r\n<!--\r\nH1{\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("<!--STYLE_IN-->")));
    EXPECT_EQ(text.count(QStringLiteral("<!--STYLE_IN1-->")), 2);  // the template's own style 1 block stays
    EXPECT_TRUE(text.contains(u8("<!--NOTE_IN--><H1 align=\"center\">見出し</H1><P></P><P></P><!--NOTE_OUT-->")));
    EXPECT_TRUE(text.contains(QStringLiteral("<!--FOOTER_OUT--></BODY>\r\n</HTML>\r\n")));
    PageModel b;
    EXPECT_EQ(readSave(path, b), once);
}

TEST(PageFixpoint, MissingBlocksStayMissingNoteIsAdded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.html"));
    ASSERT_TRUE(files::writeTextBom(path, QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\r\n<HTML><HEAD><TITLE>t</TITLE>"
                                                         "</HEAD><BODY><!--FOOTER_IN-->f<!--FOOTER_OUT--></BODY>"
                                                         "</HTML>"), tempBounds()));
    PageModel a;
    const QString text = QString::fromUtf8(readSave(path, a));
    EXPECT_FALSE(text.contains(QStringLiteral("HEDDA")));
    EXPECT_TRUE(text.contains(QStringLiteral("<BODY><!--NOTE_IN--><P></P><P></P><!--NOTE_OUT--><!--FOOTER_IN-->f")));
}
