// Reading a page source into the editor's fields.

#include "page_test_support.h"
#include "store/picture_limit.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace store;
using namespace pagetest;

namespace {

void makePicture(const QString& path, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(path));
}

QByteArray be32(quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

// One PNG chunk: length, type and data, and the CRC of type and data.
QByteArray pngChunk(const QByteArray& typeAndData)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : typeAndData) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return be32(quint32(typeAndData.size() - 4)) + typeAndData + be32(~crc);
}

// A PNG claiming width x height whose pixel data is a few bytes: enough for
// a reader to take the size from its header.
QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
        + pngChunk("IHDR" + be32(width) + be32(height) + QByteArray("\x08\x02\x00\x00\x00", 5))
        + pngChunk(QByteArray("IDAT\x78\x01\x01\x00\x00\xff\xff\x00\x00\x00\x01", 15)) + pngChunk("IEND");
}

} // namespace

TEST(PageReaderSize, FitAndB4ReadAsB4A4AsA4)
{
    PageModel fit = readPage(QString(pageWithNote(QString())).replace(QStringLiteral("_B4"), QStringLiteral("_Fit")));
    EXPECT_EQ(fit.PageWidth, 906);
    EXPECT_EQ(fit.PageSizeMetaSection, kSizeMetaB4);
    PageModel a4 = readPage(QString(pageWithNote(QString())).replace(QStringLiteral("_B4"), QStringLiteral("_A4")));
    EXPECT_EQ(a4.PageWidth, 686);
    EXPECT_EQ(a4.Memo1Width, 686);
    EXPECT_EQ(a4.PageSizeMetaSection, kSizeMetaA4);
    EXPECT_EQ(a4.PageHeadStart, kHead.left(kHead.indexOf(QStringLiteral("CONTENT="))));
    EXPECT_EQ(a4.SearchCacheKey, QStringLiteral("xxx"));
}

TEST(PageReaderStyle, SmallestStyleNumberWins)
{
    const QString p = pageWithNote(QString()).replace(
        QStringLiteral("</TITLE>"), QStringLiteral("</TITLE><!--STYLE_IN3-->a<!--STYLE_OUT--><!--STYLE_IN1-->b<!--STYLE_OUT-->"));
    PageModel m = readPage(p);
    EXPECT_EQ(m.GroupBox1Tag, 1);
    // only the first block is dropped; the second stays before the body tag
    EXPECT_TRUE(m.PageBodyTagSection.startsWith(QStringLiteral("<!--STYLE_IN1-->b<!--STYLE_OUT-->")));
    EXPECT_EQ(readPage(pageWithNote(QString())).GroupBox1Tag, 0);
}

TEST(PageReaderNote, HeadingsParagraphsAndLead)
{
    PageModel m = readPage(pageWithNote(
        QStringLiteral("<H1 align=\"center\">a\r\nb<BR>c</H1>lead<H2>s</H2><P></P><P align=\"left\">x<BR>y</P>")));
    expectFields(m, {{FIELD(ETAGH1), QStringLiteral("<H1 align=\"center\">")},
                     {FIELD(Memo4), QStringLiteral("ab\r\nc")},
                     {FIELD(PageNoteLead), QStringLiteral("lead")},
                     {FIELD(Memo5), QStringLiteral("s")},
                     {FIELD(ETAGP1), QStringLiteral("<P align=\"left\">")},
                     {FIELD(Memo2), QStringLiteral("x\r\ny")},
                     {FIELD(ETAGSRC1), QStringLiteral("<P>")},
                     {FIELD(Edit7), QString()}});

    // a later page without a subheading gets no lead from the earlier one
    m.Memo82 = pageWithNote(QStringLiteral("<H1>h</H1><P></P>"));
    LoadPageIntoEditor(m, QString());
    EXPECT_EQ(m.PageNoteLead, QString());
    EXPECT_EQ(m.ETAGH2, QStringLiteral("<H2>"));
    EXPECT_EQ(m.ETAGP1, QStringLiteral("<P>"));
    EXPECT_EQ(m.Memo2, QString());
}

TEST(PageReaderNote, FirstParagraphWithoutPictureOrLinkIsDropped)
{
    PageModel m = readPage(pageWithNote(QStringLiteral("<P>first</P><P>second</P>")));
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(m.Edit7, QString());
    EXPECT_EQ(m.Memo2, QStringLiteral("second"));
}

TEST(PageReaderNote, SingleTextParagraphIsTheTextParagraph)
{
    PageModel m = readPage(pageWithNote(QStringLiteral("<H1>h</H1><P align=\"left\">only<BR>text</P>")));
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(m.ETAGP1, QStringLiteral("<P align=\"left\">"));
    EXPECT_EQ(m.Memo2, QStringLiteral("only\r\ntext"));
    BuildPageHtml(m, QString());
    EXPECT_TRUE(m.Memo82.contains(QStringLiteral("<H1>h</H1><P></P><P align=\"left\">only<BR>text</P>")));
}

// The lead before the subheading is written back as it stands; its paragraph
// used to be taken for the picture paragraph, so the text paragraph was lost
// (or, alone, written twice).
TEST(PageReaderNote, LeadParagraphsAreNeitherReadNorDoubled)
{
    PageModel m = readPage(pageWithNote(QStringLiteral("<H1>h</H1><P>intro</P><H2>s</H2><P></P><P>text</P>")));
    expectFields(m, {{FIELD(PageNoteLead), QStringLiteral("<P>intro</P>")}, {FIELD(Memo2), QStringLiteral("text")}});
    BuildPageHtml(m, QString());
    EXPECT_TRUE(m.Memo82.contains(QStringLiteral("<H1>h</H1><P>intro</P><H2>s</H2><P></P><P>text</P><!--NOTE_OUT")));

    PageModel alone = readPage(pageWithNote(QStringLiteral("<H1>h</H1><P>intro</P><TABLE><TD>c</TD></TABLE><H2>s</H2>")));
    EXPECT_EQ(alone.Memo2, QString());
    EXPECT_EQ(alone.Memo1, QString());
    BuildPageHtml(alone, QString());
    EXPECT_EQ(alone.Memo82.count(QStringLiteral("intro")), 1);
    EXPECT_EQ(alone.Memo82.count(QStringLiteral("<TABLE")), 1);
}

TEST(PageReaderTable, CaptionAndCellsInDocumentOrder)
{
    QString cells;
    for (int i = 1; i <= 5; ++i)
        cells += QStringLiteral("<TD>c%1</TD>").arg(i);
    PageModel m = readPage(pageWithNote(QStringLiteral("<TABLE border=\"1\" align=\"right\"><TBODY><TR><TD colspan=\"8\">cap"
                                                   "<BR>x</TD></TR><TR>") +
                                    cells + QStringLiteral("</TR></TBODY></TABLE><P></P><P>t</P>")));
    EXPECT_EQ(m.ETAGHYO1, QStringLiteral("align=\"right\""));
    EXPECT_EQ(m.ETAGHYO1Tag, 1);
    EXPECT_EQ(m.Memo1, QStringLiteral("cap\r\nx"));
    EXPECT_EQ(m.Memo3, QStringLiteral("c1"));
    EXPECT_EQ(m.Memo9, QStringLiteral("c5"));
    EXPECT_EQ(m.Memo10, QString());
    EXPECT_EQ(m.Memo2, QStringLiteral("t"));
}

TEST(PageReaderTable, OnlyFirst77CellsAreRead)
{
    QString cells;
    for (int i = 1; i <= 80; ++i)
        cells += QStringLiteral("<TD>c%1</TD>").arg(i);
    PageModel m = readPage(pageWithNote(QStringLiteral("<TABLE><TD>cap</TD>") + cells + QStringLiteral("</TABLE>")));
    EXPECT_EQ(m.Memo81, QStringLiteral("c77"));
    EXPECT_EQ(m.ETAGHYO1, QString());
}

TEST(PageReaderTitle, IconNameSecondLineHint)
{
    PageModel m = readPage(pageWithNote(QString(), u8("\"icon.gif\"名前 &lt;1&gt;#検索#語?ヒント#後")));
    EXPECT_EQ(m.TitlePrefix, QStringLiteral("\"icon.gif\""));
    EXPECT_EQ(m.Edit1, u8("名前 <1>"));
    EXPECT_EQ(m.Edit5, u8("検索#語"));
    EXPECT_EQ(m.Edit6, u8("ヒント#後"));
    PageModel single = readPage(pageWithNote(QString(), QStringLiteral("a\"b")));
    EXPECT_EQ(single.TitlePrefix, QStringLiteral("\""));
    EXPECT_EQ(single.Edit1, QStringLiteral("b"));
}

TEST(PageReaderHead, MissingTitleAndMetaInsertedAfterHeadTag)
{
    PageModel m = readPage(QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\r\n<html>\r\n<head>\r\n<meta a>\r\n</head>"
                                      "<BODY><!--NOTE_IN--><!--NOTE_OUT--></BODY>"));
    EXPECT_EQ(m.PageHeadStart,
              QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\r\n<html>\r\n<head><META NAME=\"author\" "));
    EXPECT_EQ(m.PageHeadRest, QStringLiteral(">"));
    EXPECT_EQ(m.PageBodyTagSection, QStringLiteral("\r\n<meta a>\r\n</head><BODY>"));
    EXPECT_EQ(m.Edit1, QString());
    EXPECT_EQ(m.TitlePrefix, QString());
}

TEST(PageReaderHead, HeadWithoutMetaGetsItAfterHeadEvenInLowerCase)
{
    PageModel m = readPage(QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\"><HTML><head><title>t</title></head><BODY></BODY>"));
    EXPECT_EQ(m.PageHeadStart, QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\"><HTML><head><META NAME=\"author\" "));
    EXPECT_EQ(m.PageHeadRest, QStringLiteral(">"));
    PageModel noHead = readPage(QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\r\n<TITLE>t</TITLE><BODY></BODY>"));
    EXPECT_EQ(noHead.PageHeadStart, QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\"><META NAME=\"author\" "));
    EXPECT_EQ(noHead.PageHeadRest, QStringLiteral(">\r\n"));
}

TEST(PageReaderBody, ForeignTextOutsideBlocksIsCarriedOver)
{
    const QString p = kHead + QStringLiteral("<TITLE>t</TITLE></HEAD><BODY>\r\nbefore<!--HEDDA_IN-->h<!--HEDDA_OUT-->"
                                             "<!--NOTE_IN--><!--NOTE_OUT-->\r\nafter\r\n</BODY></HTML>");
    PageModel m = readPage(p);
    EXPECT_EQ(m.PageHeaderSection, QStringLiteral("<!--HEDDA_IN-->h<!--HEDDA_OUT-->"));
    EXPECT_EQ(m.PageBodyLead, QStringLiteral("\r\nbefore\r\nafter\r\n"));
    EXPECT_EQ(m.PageTail, QStringLiteral("</BODY></HTML>"));
}

TEST(PageReaderBody, LineBreaksAloneAndLeadBlockAreNotCarried)
{
    PageModel m = readPage(kHead + QStringLiteral("<TITLE>t</TITLE></HEAD><BODY>\r\n<!--NOTE_IN--><!--NOTE_OUT-->\r\n"
                                              "</BODY>"));
    EXPECT_EQ(m.PageBodyLead, QString());
    PageModel lead = readPage(kHead + QStringLiteral("<TITLE>t</TITLE></HEAD><BODY>L<!--x--><P>p</P><!--NOTE_IN-->"
                                                 "<!--NOTE_OUT--></BODY>"));
    EXPECT_EQ(lead.PageBodyLead, QStringLiteral("L"));
}

TEST(PageReaderBody, MissingEndMarkersLoseNothing)
{
    PageModel m = readPage(kHead + QStringLiteral("<TITLE>t</TITLE><!--STYLE_IN2-->x</HEAD><BODY><!--NOTE_IN--><P></P>"
                                              "<P>text</P></BODY>"));
    EXPECT_EQ(m.GroupBox1Tag, 2);
    EXPECT_TRUE(m.PageBodyTagSection.startsWith(QStringLiteral("<!--STYLE_IN2-->x")));
    EXPECT_EQ(m.Memo2, QStringLiteral("text"));
    EXPECT_EQ(m.PageTail, QStringLiteral("</BODY>"));
}

TEST(PageReaderPicture, LoadedFromPageFolderIgnoringCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString folder = dir.filePath(QStringLiteral("sub"));
    makePicture(folder + QStringLiteral("/Photo.PNG"), 30, 20);
    PageModel m;
    m.Gname = QStringLiteral("stale.jpg");
    m.Memo82 = pageWithNote(QStringLiteral("<P align=\"center\"><IMG src=\"photo.png\" width=\"50%\" vspace=\"4\"></P>"));
    LoadPageIntoEditor(m, folder + QStringLiteral("/page.html"));
    EXPECT_EQ(m.Gname, QStringLiteral("photo.png"));
    EXPECT_EQ(m.Image1Tag, 1);
    EXPECT_EQ(m.Image1Width, 30);
    EXPECT_EQ(m.GX, QStringLiteral("50"));  // leading digits of a percentage
    EXPECT_EQ(m.GY, QStringLiteral("20"));  // no height: the picture's own
    EXPECT_EQ(m.PanelImage1Width, 50);
    EXPECT_EQ(m.GXTag, 1);
    EXPECT_EQ(m.ETAGSRC1, QStringLiteral("<P align=\"center\">"));

    m.Memo82 = pageWithNote(QStringLiteral("<P><IMG src=\"gone.jpg\" width=\"abc\"></P>"));
    LoadPageIntoEditor(m, folder + QStringLiteral("/page.html"));
    EXPECT_EQ(m.Gname, QString());  // starts empty on every read
    EXPECT_EQ(m.Image1Tag, 0);
    EXPECT_EQ(m.GX, QStringLiteral("0"));  // not a number: the picture's own size, none when it is gone

    // A page without a picture keeps no size of the page read before.
    m.Memo82 = pageWithNote(QStringLiteral("<P align=\"center\"><IMG src=\"photo.png\" width=\"50\"></P>"));
    LoadPageIntoEditor(m, folder + QStringLiteral("/page.html"));
    ASSERT_EQ(m.GX, QStringLiteral("50"));
    m.Memo82 = pageWithNote(QStringLiteral("<P>just text</P>"));
    LoadPageIntoEditor(m, folder + QStringLiteral("/page.html"));
    EXPECT_EQ(m.GX, QString());
    EXPECT_EQ(m.GY, QString());
    EXPECT_EQ(m.GXTag, 0);
    EXPECT_EQ(m.PanelImage1Width, 0);
    EXPECT_EQ(m.Image1Width, 0);
}

TEST(PageReaderPicture, LinkedPicture)
{
    QTemporaryDir dir;
    makePicture(dir.filePath(QStringLiteral("a.jpg")), 8, 6);
    PageModel m;
    m.Memo82 = pageWithNote(
        QStringLiteral("<P><A href=\"next.html\"><IMG src=\"a.jpg\" width=\"80\" height=\"60\"></A></P>"));
    LoadPageIntoEditor(m, dir.filePath(QStringLiteral("p.html")));
    EXPECT_EQ(m.Edit2, QStringLiteral("next.html"));
    EXPECT_EQ(m.Edit7, QStringLiteral("<IMG src=\"a.jpg\" width=\"80\" height=\"60\">"));
    EXPECT_EQ(m.Edit3, m.Edit7);
    EXPECT_EQ(m.Gname, QStringLiteral("a.jpg"));
    EXPECT_EQ(m.GX, QStringLiteral("80"));
}

TEST(PageReaderQuiz, KindFromGeneratedBlocks)
{
    PageModel m = readPage(MakeQuizPage(pageWithNote(QStringLiteral("<P></P><P>(a)</P>"))));
    EXPECT_TRUE(m.CheckBox1);
    EXPECT_EQ(m.Memo2, QStringLiteral("(a)"));
    PageModel plain = readPage(pageWithNote(QString()));
    EXPECT_FALSE(plain.CheckBox1);
    EXPECT_FALSE(plain.CheckBox2);
}

// Found by fuzzing: a style start marker without its end before the head
// used to pair with the end of the block the writer adds, so the next read
// cut away the head and the title.
TEST(PageReaderStyle, StrayStartMarkerKeepsHeadAndTitle)
{
    PageModel m = readPage(QStringLiteral("x<!--STYLE_IN1--><HEAD><TITLE>t</TITLE></HEAD><BODY><!--NOTE_IN-->"
                                      "<!--NOTE_OUT--></BODY>"));
    BuildPageHtml(m, QString());
    const QString once = m.Memo82;
    EXPECT_TRUE(once.startsWith(QStringLiteral("x<!--STYLE_IN1--><HEAD><META NAME=\"author\" ")));
    LoadPageIntoEditor(m, QString());
    EXPECT_EQ(m.Edit1, QStringLiteral("t"));
    BuildPageHtml(m, QString());
    EXPECT_EQ(m.Memo82, once);
}

// A picture written with %-escapes or as an absolute path is found and kept
// when the page is saved unchanged; only a picture that is really gone goes.
TEST(PageReaderPicture, EscapedAndAbsoluteReferencesSurviveASave)
{
    QTemporaryDir dir;
    makePicture(dir.filePath(QStringLiteral("a b.jpg")), 8, 6);
    QTemporaryDir elsewhere;
    const QString absolute = elsewhere.filePath(QStringLiteral("far.png"));
    makePicture(absolute, 5, 4);
    const QString page = dir.filePath(QStringLiteral("p.html"));
    for (const QString& src : {QStringLiteral("a%20b.jpg"), absolute, QUrl::fromLocalFile(absolute).toString()}) {
        PageModel m;
        m.Memo82 = pageWithNote(QStringLiteral("<P><IMG src=\"%1\"></P>").arg(src));
        LoadPageIntoEditor(m, page);
        EXPECT_EQ(m.Image1Tag, 1) << src.toStdString();
        BuildPageHtml(m, page);
        EXPECT_TRUE(m.Memo82.contains(QStringLiteral("src=\"%1\"").arg(src))) << src.toStdString();
    }
    PageModel gone;
    gone.Memo82 = pageWithNote(QStringLiteral("<P><IMG src=\"missing%20one.jpg\"></P>"));
    LoadPageIntoEditor(gone, page);
    BuildPageHtml(gone, page);
    EXPECT_FALSE(gone.Memo82.contains(QStringLiteral("missing")));
}

// A picture over the decode limit is read as a missing one: its header's
// size is not taken; the sizes the tag gives are.
TEST(PageReaderPicture, APictureOverTheDecodeLimitGivesNoSize)
{
    EXPECT_TRUE(withinPictureLimit(QSize(4000, 4000)));
    EXPECT_FALSE(withinPictureLimit(QSize(30000, 30000)));
    EXPECT_FALSE(withinPictureLimit(QSize()));
    TempTree t;
    // A 30000x30000 picture claimed by its header alone.
    const QString path = t.write(QStringLiteral("big.png"), pngHeaderOnly(30000, 30000));
    ASSERT_EQ(QImageReader(path).size(), QSize(30000, 30000));

    PageModel m;
    m.Memo82 = pageWithNote(QStringLiteral("<P><IMG src=\"big.png\" vspace=\"4\"></P>"));
    LoadPageIntoEditor(m, t.path(QStringLiteral("page.html")));
    EXPECT_EQ(m.Gname, QStringLiteral("big.png"));
    EXPECT_EQ(m.Image1Tag, 0);
    EXPECT_TRUE(m.Image1File.isEmpty());
    EXPECT_EQ(m.Image1Width, 0);
    EXPECT_EQ(m.GX, QStringLiteral("0"));
    EXPECT_EQ(m.PanelImage1Width, 0);

    m.Memo82 = pageWithNote(QStringLiteral("<P><IMG src=\"big.png\" width=\"80\" height=\"60\"></P>"));
    LoadPageIntoEditor(m, t.path(QStringLiteral("page.html")));
    EXPECT_EQ(m.Image1Tag, 0);
    EXPECT_EQ(m.GX, QStringLiteral("80"));
    EXPECT_EQ(m.GY, QStringLiteral("60"));
}
