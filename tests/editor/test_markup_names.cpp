// Picture names, markup strings, the link split, the heading date and the
// header and background sections.
#include "editor/editor_date.h"
#include "editor/header_background.h"
#include "editor/image_block.h"
#include "editor/markup.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(EditorPictures, DefaultNameAndTypedSizes)
{
    EXPECT_EQ(DefaultImageFileName("/d/1010_apple.html"), QStringLiteral("apple.bmp"));
    EXPECT_EQ(DefaultImageFileName("/d/index.html"), QStringLiteral("index.bmp"));
    EXPECT_EQ(DefaultImageFileName("/d/notes_.html"), QStringLiteral("notes_.bmp"));
    EXPECT_EQ(MeasureImageFile("/no/such/file.png"), QStringLiteral("0,0"));
    EXPECT_EQ(displayDimension("320"), 320);
    EXPECT_FALSE(displayDimension(""));
    EXPECT_FALSE(displayDimension("0"));
    EXPECT_FALSE(displayDimension("12a"));
}

TEST(EditorMarkup, WrapsRubyLinkAndPicture)
{
    EXPECT_EQ(wrapSelection("Tokyo", *wrapTagsFor(24)), QStringLiteral("<font color=\"#ff0000\">Tokyo</font>"));
    EXPECT_EQ(wrapSelection("", *wrapTagsFor(24)), QString());
    EXPECT_EQ(rubyMarkup("東京", "とうきょう"), QStringLiteral("<ruby>東京<rt>とうきょう</ruby>"));
    const LinkTarget plan = splitLinkTarget("/docs/plan.pdf");
    EXPECT_EQ(linkMarkup(plan, "see"), QStringLiteral("<A href=\"/docs/plan.pdf\">plan.pdfへのリンク</A>see"));
    const LinkTarget folder = splitLinkTarget("/home/u/docs");
    EXPECT_EQ(folder.href, QStringLiteral("/home/u/"));
    EXPECT_EQ(folder.name, QStringLiteral("docs"));
    EXPECT_EQ(pictureMarkup("a.png", "640", "480", "x"),
              QStringLiteral("<img src=\"a.png\" width=\"640\" height=\"480\" align=\"middle\">x"));
}

TEST(EditorDecor, DateHeaderAndBackground)
{
    const QDate d(2024, 3, 5);
    EXPECT_EQ(headingWithDate("会議 [ 2023年1月9日]", d), QStringLiteral("会議 [ 2024年3月5日]"));
    EXPECT_EQ(headingWithDate("会議", d), QStringLiteral("[ 2024年3月5日]"));
    EXPECT_EQ(headerWithPicture("", "_p.jpg"),
              QStringLiteral("<!--HEDDA_IN--><P align=\"center\" ><IMG src=\"_p.jpg\" border=\"0\"></P><!--HEDDA_OUT-->"));
    EXPECT_EQ(headerWithoutPicture(""), QString());
    EXPECT_EQ(bodyTagWithBackground("\r\n<BODY text=\"red\">", "_b.png"), QStringLiteral("\r\n<BODY background=\"_b.png\">"));
    EXPECT_EQ(bodyTagWithBackground("", QString()), QStringLiteral("<BODY>"));
}
