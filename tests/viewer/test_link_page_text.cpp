// Link pages as text: which pages act, their links, labels and entries, and
// the quiz feedback test.
#include "viewer/command_link_page.h"

#include <gtest/gtest.h>

using namespace commands;

TEST(LinkPageText, ActiveOnlyWithMarkerAndWithoutNotlink)
{
    EXPECT_FALSE(parseLinkPage("<a href=\"x.html\">x</a>").active);
    EXPECT_FALSE(parseLinkPage("【リンク】 NOTLINK <a href=\"x.html\">x</a>").active);
    const LinkPage p = parseLinkPage("【リンク】<a href=\"x.html\">x</a>");
    EXPECT_TRUE(p.active);
    ASSERT_EQ(p.links.size(), 1);
    EXPECT_EQ(p.links[0].href, "x.html");
}

TEST(LinkPageText, LinksTitlesAndLabel)
{
    const QString page = "<BODY>【リンク】<A HREF=\"a.html\">Apple</A><a href=\"b.html\">Bee</a>"
                         "<a href=\"http://h/c.html\">Sea</a>【リンク】Last label<br></BODY>";
    const LinkPage p = parseLinkPage(page);
    ASSERT_EQ(p.links.size(), 3);
    EXPECT_EQ(p.links[0].href, "a.html");
    EXPECT_EQ(p.links[0].title, "Apple");
    EXPECT_EQ(p.links[1].title, "Bee");
    EXPECT_EQ(p.links[2].href, "http://h/c.html");
    EXPECT_EQ(p.lastLabel, "Last label");
    EXPECT_EQ(parseLinkPage("【リンク】<a href=\"a.html\">A</a>").lastLabel, "");
    // an unclosed value ends the walk instead of running on
    EXPECT_EQ(parseLinkPage("【リンク】<a href=\"a.html\">A</a><a href=\"b").links.size(), 1);
}

TEST(LinkPageText, EntriesOfWebPagesAreMadeAbsolute)
{
    EXPECT_EQ(linkPageEntry("b.html", "http://host/dir/a.html"), "http://host/dir/b.html");
    EXPECT_EQ(linkPageEntry("https://o/x.html", "http://host/dir/a.html"), "https://o/x.html");
    EXPECT_EQ(linkPageEntry("b.html", "file:///data/a.html"), "b.html");
}

TEST(LinkPageText, CommandHrefsAndQuizFeedback)
{
    EXPECT_TRUE(isCommandHref("/$NEXT"));
    EXPECT_TRUE(isCommandHref("x\\$GO a"));
    EXPECT_FALSE(isCommandHref("b.html"));
    EXPECT_FALSE(isCommandHref("a$b.html"));
    EXPECT_TRUE(hasQuizFeedbackLink("<A HREF=\"/$-1,$<-1[_【×】][_【△】]\">x</A>"));
    EXPECT_FALSE(hasQuizFeedbackLink("<a href=\"/$NEXT\">x</a><a href=\"【b】.html\">"));
    EXPECT_FALSE(hasQuizFeedbackLink("<a href=\"/$NEXT"));
}
