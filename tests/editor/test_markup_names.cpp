// Every markup string the buttons write, and the link target split.
#include "editor/markup.h"
#include "editor/picture_files.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(MarkupStrings, EveryWrapButton)
{
    const std::pair<int, const char*> expected[] = {
        {24, "<font color=\"#ff0000\">x</font>"}, {26, "<font color=\"#0000ff\">x</font>"},
        {25, "<u>x</u>"}, {32, "<strong>x</strong>"}, {33, "<font size=\"+1\">x</font>"},
        {30, "<sub>x</sub>"}, {29, "<sup>x</sup>"}};
    for (const auto& [button, markup] : expected)
        EXPECT_EQ(wrapSelection("x", *wrapTagsFor(button)), QString::fromUtf8(markup)) << button;
    EXPECT_FALSE(wrapTagsFor(31));
    EXPECT_EQ(wrapSelection("", *wrapTagsFor(24)), QString());
}

TEST(MarkupStrings, RubyLinkAndPicture)
{
    EXPECT_EQ(rubyMarkup("東京", "とうきょう"), QStringLiteral("<ruby>東京<rt>とうきょう</ruby>"));
    EXPECT_EQ(rubyMarkup("東京", ""), QString());
    EXPECT_EQ(linkMarkup(splitLinkTarget("/docs/plan.pdf"), "see"),
              QStringLiteral("<A href=\"/docs/plan.pdf\">plan.pdfへのリンク</A>see"));
    EXPECT_EQ(pictureMarkup("a.png", "640", "480", "x"),
              QStringLiteral("<img src=\"a.png\" width=\"640\" height=\"480\" align=\"middle\">x"));
    EXPECT_EQ(splitMeasure("640,480"), std::make_pair(QStringLiteral("640"), QStringLiteral("480")));
    EXPECT_EQ(splitMeasure("0,0"), std::make_pair(QStringLiteral("0"), QStringLiteral("0")));
}

TEST(MarkupStrings, LinkTargetSplit)
{
    struct Case {
        const char* target;
        const char* href;
        const char* name;
    };
    const Case cases[] = {
        {"/docs/plan.pdf", "/docs/plan.pdf", "plan.pdf"},
        // Without an extension the link goes to the folder and names it.
        {"/home/u/docs", "/home/u/", "docs"},
        {"/home/u/docs/", "/home/u/docs/", ""},
        {"docs\\a.pdf", "docs\\a.pdf", "a.pdf"},
        {"C:\\data\\class1", "C:\\data\\", "class1"},
        {"https://example.com/a.html", "https://example.com/a.html", "a.html"},
        {"a:b.pdf", "a:b.pdf", "a:b.pdf"},  // ":" is part of a Linux name
        {"notes.txt", "notes.txt", "notes.txt"},
        {"docs", "docs", "docs"},  // never an empty href
    };
    for (const Case& c : cases) {
        const LinkTarget link = splitLinkTarget(QString::fromUtf8(c.target));
        EXPECT_EQ(link.href, QString::fromUtf8(c.href)) << c.target;
        EXPECT_EQ(link.name, QString::fromUtf8(c.name)) << c.target;
    }
}

TEST(PictureDialogs, FiltersOfferUpperCasePatternsToo)
{
    const QString filter = pictureFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("画像ファイル (*.jpg *.jpeg *.bmp *.gif *.png *.JPG *.JPEG *.BMP *.GIF *.PNG)")))
        << filter.toStdString();
    EXPECT_EQ(filter.count(QStringLiteral(";;")), 4);
    EXPECT_TRUE(linkDialogFilter().contains(QStringLiteral("PDF (*.pdf *.PDF)")));
    EXPECT_TRUE(linkFileFilter().startsWith(QStringLiteral("全ファイル (*)")));
    EXPECT_EQ(underscoreName("__x.png"), QStringLiteral("_x.png"));
    EXPECT_EQ(underscoreName("x.png"), QStringLiteral("_x.png"));
    EXPECT_TRUE(nameBreaksTags("a\"b") && nameBreaksTags("a<b") && nameBreaksTags("a>b"));
    EXPECT_FALSE(nameBreaksTags("a b&c.png"));
}
