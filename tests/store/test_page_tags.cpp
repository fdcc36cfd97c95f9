// Setting attributes in the editor's start tags and escaping titles.

#include "store/page_tags.h"

#include "qt_print.h"

#include <gtest/gtest.h>
#include <initializer_list>

using namespace store;

namespace {

// One call of SetTagAttribute: the tag, the attribute and the tag expected.
struct TagCase {
    const char* tag;
    const char* attribute;
    const char* expected;
};

void expectTags(std::initializer_list<TagCase> cases)
{
    for (const TagCase& c : cases)
        EXPECT_EQ(SetTagAttribute(QString::fromUtf8(c.tag), QString::fromUtf8(c.attribute)), QString::fromUtf8(c.expected))
            << "tag " << c.tag << ", attribute " << c.attribute;
}

} // namespace

TEST(SetTagAttribute, SetsRemovesAndAdds)
{
    expectTags({
        // a value is replaced in place, the rest of the tag kept
        {"<IMG src=\"a.jpg\" width=\"3\" height=\"4\">", "width=\"10\"", "<IMG src=\"a.jpg\" width=\"10\" height=\"4\">"},
        // removing the last attribute leaves one blank before ">"
        {"<IMG src=\"a.jpg\" width=\"3\">", "width=\"\"", "<IMG src=\"a.jpg\" >"},
        // a missing attribute goes before ">", trailing blanks trimmed first
        {"<IMG src=\"a.jpg\"  >", "height=\"7\"", "<IMG src=\"a.jpg\" height=\"7\">"},
        // removing an absent attribute only normalises the blank before ">"
        {"<IMG src=\"a.jpg\">", "height=\"\"", "<IMG src=\"a.jpg\" >"},
        // a name in another letter case is the same attribute
        {"<IMG SRC=\"a.jpg\" WIDTH=\"3\">", "width=\"5\"", "<IMG SRC=\"a.jpg\" width=\"5\">"},
    });
}

TEST(SetTagAttribute, EmptyAttributeDropsAlignAndWhatFollows)
{
    expectTags({
        {"<P align=\"center\">", "", "<P>"},
        {"<IMG src=\"x\" ALIGN=\"left\" vspace=\"4\">", "", "<IMG src=\"x\">"},
    });
}

TEST(SetTagAttribute, NameMatchesOnlyAtAttributeBoundary)
{
    expectTags({
        {"<IMG src=\"bandwidth.jpg\" width=\"3\">", "width=\"5\"", "<IMG src=\"bandwidth.jpg\" width=\"5\">"},
        {"<IMG src=\"a width=1.jpg\">", "width=\"5\"", "<IMG src=\"a width=1.jpg\" width=\"5\">"},
        {"<IMG src=\"x_align=1.jpg\" align=\"left\">", "", "<IMG src=\"x_align=1.jpg\">"},
    });
}

TEST(SetTagAttribute, UnquotedOldValueEndsAtBlankOrClose)
{
    expectTags({
        {"<IMG width=300 src=\"a.jpg\">", "width=\"5\"", "<IMG width=\"5\" src=\"a.jpg\">"},
        {"<IMG src=\"a.jpg\" width=300>", "width=\"5\"", "<IMG src=\"a.jpg\" width=\"5\">"},
    });
}

TEST(SetTagAttribute, TagWithoutCloseGivesEmpty)
{
    expectTags({{"<IMG src=\"a.jpg\"", "width=\"5\"", ""}});
}

TEST(TitleEscaping, OnlyAngleBrackets)
{
    EXPECT_EQ(EscapeTitleText(QStringLiteral("a<b>&c")), QStringLiteral("a&lt;b&gt;&c"));
    EXPECT_EQ(UnescapeTitleText(QStringLiteral("a&lt;b&gt;&amp;")), QStringLiteral("a<b>&amp;"));
}
