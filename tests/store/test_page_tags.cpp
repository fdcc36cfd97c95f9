// Setting attributes in the editor's start tags and escaping titles.

#include "store/page_tags.h"

#include <gtest/gtest.h>

using namespace store;

TEST(SetTagAttribute, ReplacesValueInPlace)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\" width=\"3\" height=\"4\">"),
                              QStringLiteral("width=\"10\"")),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"4\">"));
}

TEST(SetTagAttribute, RemovesTrailingAttributeLeavingOneBlank)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\" width=\"3\">"), QStringLiteral("width=\"\"")),
              QStringLiteral("<IMG src=\"a.jpg\" >"));
}

TEST(SetTagAttribute, AddsMissingAttributeBeforeClose)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\"  >"), QStringLiteral("height=\"7\"")),
              QStringLiteral("<IMG src=\"a.jpg\" height=\"7\">"));
    // removing an absent attribute only normalises the blank before ">"
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\">"), QStringLiteral("height=\"\"")),
              QStringLiteral("<IMG src=\"a.jpg\" >"));
}

TEST(SetTagAttribute, EmptyAttributeDropsAlignAndWhatFollows)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<P align=\"center\">"), QString()), QStringLiteral("<P>"));
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"x\" ALIGN=\"left\" vspace=\"4\">"), QString()),
              QStringLiteral("<IMG src=\"x\">"));
}

TEST(SetTagAttribute, NameMatchesOnlyAtAttributeBoundary)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"bandwidth.jpg\" width=\"3\">"),
                              QStringLiteral("width=\"5\"")),
              QStringLiteral("<IMG src=\"bandwidth.jpg\" width=\"5\">"));
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a width=1.jpg\">"), QStringLiteral("width=\"5\"")),
              QStringLiteral("<IMG src=\"a width=1.jpg\" width=\"5\">"));
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"x_align=1.jpg\" align=\"left\">"), QString()),
              QStringLiteral("<IMG src=\"x_align=1.jpg\">"));
}

TEST(SetTagAttribute, UnquotedOldValueEndsAtBlankOrClose)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG width=300 src=\"a.jpg\">"), QStringLiteral("width=\"5\"")),
              QStringLiteral("<IMG width=\"5\" src=\"a.jpg\">"));
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\" width=300>"), QStringLiteral("width=\"5\"")),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"5\">"));
}

TEST(SetTagAttribute, TagWithoutCloseGivesEmpty)
{
    EXPECT_EQ(SetTagAttribute(QStringLiteral("<IMG src=\"a.jpg\""), QStringLiteral("width=\"5\"")), QString());
}

TEST(TitleEscaping, OnlyAngleBrackets)
{
    EXPECT_EQ(EscapeTitleText(QStringLiteral("a<b>&c")), QStringLiteral("a&lt;b&gt;&c"));
    EXPECT_EQ(UnescapeTitleText(QStringLiteral("a&lt;b&gt;&amp;")), QStringLiteral("a<b>&amp;"));
}
