// The references a page's text holds, in the forms the engine follows, and
// their rewriting that keeps the written form.
#include "store/page_references.h"

#include <gtest/gtest.h>

using namespace store;

namespace {

QStringList names(const QString& text)
{
    QStringList found;
    for (const PageReference& r : findPageReferences(text))
        found << r.name;
    return found;
}

// Renames every reference whose file name is from to to.
QString renamed(const QString& text, const QString& from, const QString& to, int* changed = nullptr)
{
    return renameReferences(
        text,
        [&](const PageReference& r) -> std::optional<QString> {
            if (r.name.mid(r.name.lastIndexOf(u'/') + 1) == from)
                return to;
            return std::nullopt;
        },
        changed);
}

} // namespace

TEST(PageReferences, EveryQuotingAndEveryAttributeTheEngineFollows)
{
    const QString text = QStringLiteral(
        "<IMG src='a.png'><IMG SRC=b.png><img src = \"c.png\" ><BODY background=\"d.jpg\">"
        "<OBJECT data=e.swf></OBJECT><VIDEO poster=\"f.jpg\"></VIDEO><A HREF=\"g.html\">g</A>"
        "<img srcset=\"h.png 1x, i.png 2x,j.png\"><img alt=\"src=no.png\" data-src=\"no2.png\">");
    EXPECT_EQ(names(text), QStringList({"a.png", "b.png", "c.png", "d.jpg", "e.swf", "f.jpg", "g.html", "h.png",
                                        "i.png", "j.png"}));
    const QList<PageReference> refs = findPageReferences(text);
    EXPECT_EQ(refs[0].context, ReferenceContext::SingleQuoted);
    EXPECT_EQ(refs[1].context, ReferenceContext::Unquoted);
    EXPECT_EQ(refs[4].kind, ReferenceKind::Src); // an object may embed a page
    EXPECT_EQ(text.mid(refs[2].start, refs[2].length), "c.png");
}

TEST(PageReferences, QueryFragmentEscapesAndCharacterReferencesAreNotTheName)
{
    const QList<PageReference> refs = findPageReferences(QStringLiteral(
        "<IMG src=\" a.png?v=2 \"><A href=\"b.html#top\"><IMG src=\"%E8%8A%B1.png\"><A href=\"#x\">"
        "<IMG src=\"a&amp;b.png\"><IMG src=\"file:///p/%E8%8A%B1.png\">"));
    ASSERT_EQ(refs.size(), 6);
    EXPECT_EQ(refs[0].path, "a.png");
    EXPECT_EQ(refs[0].value, " a.png?v=2 ");
    EXPECT_EQ(refs[1].name, "b.html");
    EXPECT_EQ(refs[2].name, QStringLiteral("花.png"));
    EXPECT_TRUE(refs[3].path.isEmpty());
    EXPECT_EQ(refs[4].name, "a&b.png");
    EXPECT_EQ(refs[5].name, QStringLiteral("/p/花.png"));
}

TEST(PageReferences, CssInStyleAttributesAndElementsScriptNever)
{
    const QString text = QStringLiteral(
        "<STYLE>body { background: URL( \"s1.png\" ) } @import 's2.css'; td{background:url(s3.png)}</STYLE>"
        "<DIV style=\"background-image:url('s4.png')\">x</DIV>"
        "<SCRIPT>var s = '<img src=\"no.png\">'; x.style = \"url(no2.png)\";</SCRIPT>"
        "<P>src=\"no3.png\" url(no4.png)</P><TITLE>\"icon.gif\"T</TITLE>");
    EXPECT_EQ(names(text), QStringList({"s1.png", "s2.css", "s3.png", "s4.png", "icon.gif"}));
    EXPECT_EQ(findPageReferences(text).last().kind, ReferenceKind::TitleIcon);
}

TEST(PageReferences, CommentsAreReadButAnOpenQuoteInOneEndsOnlyTheComment)
{
    EXPECT_EQ(names("<!-- <IMG src=\"old.png\"> <a href=\"x --><IMG src=\"new.png\">"),
              QStringList({"old.png", "new.png"}));
    // A value whose quote never closes leaves nothing after it to read.
    EXPECT_EQ(names("<IMG src=\"a.png\"><IMG src=\"open.png><IMG src=\"b.png\">").size(), 2);
}

TEST(PageReferences, ResolvedAgainstTheFolderWebAndDriveLettersNameNothing)
{
    const auto path = [](const QString& tag) { return referencedPath(findPageReferences(tag).value(0), "/d/f"); };
    EXPECT_EQ(path("<IMG src=\"../A/_%E8%8A%B1.png?x\">"), QStringLiteral("/d/A/_花.png"));
    EXPECT_EQ(path("<IMG src=\"img\\a.png\">"), "/d/f/img/a.png");
    EXPECT_EQ(path("<IMG src=\"/abs/a.png\">"), "/abs/a.png");
    EXPECT_TRUE(path("<IMG src=\"http://x/a.png\">").isEmpty());
    EXPECT_TRUE(path("<IMG src=\"C:\\a.png\">").isEmpty());
    EXPECT_TRUE(path("<A href=\"#top\">").isEmpty());
    EXPECT_TRUE(path("<A href=\"javascript:go()\">").isEmpty());
}

TEST(PageReferences, ARenameKeepsQuotingQueryFragmentAndEscaping)
{
    int changed = 0;
    EXPECT_EQ(renamed(QStringLiteral("<IMG src='a.png?v=2'><IMG src=a.png#top><IMG src = \"dir/a.png\">"
                                     "<img srcset=\"a.png 1x, a.png?x 2x\"><DIV style=\"background:url(a.png)\">"
                                     "<A href=\"A.png\">a.png</A>"),
                      "a.png", "pic0.png", &changed),
              QStringLiteral("<IMG src='pic0.png?v=2'><IMG src=pic0.png#top><IMG src = \"dir/pic0.png\">"
                             "<img srcset=\"pic0.png 1x, pic0.png?x 2x\"><DIV style=\"background:url(pic0.png)\">"
                             "<A href=\"A.png\">a.png</A>"));
    EXPECT_EQ(changed, 6);
    // An escaped name gets an escaped name, a written one a written one.
    EXPECT_EQ(renamed(QStringLiteral("<IMG src=\"%E8%8A%B1/%E8%8A%B1.png\"><IMG src=\"花.png\">"),
                      QStringLiteral("花.png"), QStringLiteral("葉 1.png")),
              QStringLiteral("<IMG src=\"%E8%8A%B1/%E8%91%89%201.png\"><IMG src=\"葉 1.png\">"));
    // Characters that would end the value or start a query are escaped.
    EXPECT_EQ(renamed("<IMG src=a.png><IMG src=\"a.png\"><P style=\"x:url(a.png)\">", "a.png", "b c#&.png"),
              "<IMG src=b%20c%23&amp;.png><IMG src=\"b c%23&amp;.png\"><P style=\"x:url(b%20c%23&amp;.png)\">");
}
