// LOOK keyword links on page texts: which words a title offers, where they
// are linked and where not, and removal giving the page back as it was.
#include "fuzz/look_links_reference.h"
#include "store/text.h"
#include "tools/look_links.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <random>

using namespace tools;

namespace {

const QString kHead = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
    "<TITLE>Apple notes</TITLE>\r\n</HEAD>\r\n<BODY>");

QString pageWith(const QString& body)
{
    return kHead + body + QStringLiteral("</BODY>\r\n</HTML>\r\n");
}

QString lookLink(const QString& word, const QString& text)
{
    return QStringLiteral("<A href=\"/$LOOK ") + word + QStringLiteral("\">") + text + QStringLiteral("</A>");
}

// Pages as the search window lists them in mode 2: shortest keyword part first.
QList<LookPage> pages(const QStringList& titles)
{
    QList<LookPage> list;
    for (int i = 0; i < titles.size(); ++i)
        list.append({QStringLiteral("/data/p%1.html").arg(i), titles[i]});
    return list;
}

} // namespace

TEST(LookWords, NameThenKeywordsWithoutIconOrHint)
{
    EXPECT_EQ(lookWordsOfTitle("\"i.png\"Fruit#apple/pear?hint"), QStringList({"Fruit", "apple", "pear"}));
    EXPECT_EQ(lookWordsOfTitle("a<b>#c"), QStringList({"a&lt;b&gt;", "c"}));
    // A word that would break the href or split the command list is no link.
    EXPECT_EQ(lookWordsOfTitle("say \"hi\"#one,two/three"), QStringList({"three"}));
    EXPECT_TRUE(lookWordsOfTitle("").isEmpty());
    EXPECT_EQ(lookWordsOfTitle("#/x"), QStringList({"x"}));
}

TEST(LookLinks, LongerTitlesFirstAndTheTextKeptAsWritten)
{
    const QString text = pageWith("red apple pie");
    const QString linked = addLookLinks(text, pages({"Apple", "Red Apple"}), "/data/me.html");
    EXPECT_EQ(linked, pageWith(lookLink("Red Apple", "red apple") + " pie"));
    EXPECT_EQ(removeLookLinks(linked), text);
}

TEST(LookLinks, NameBeforeKeywordsAndNoLinkInsideALink)
{
    // The keyword "ice" inside the name's link is passed over.
    const QString text = pageWith("ice cream and ice");
    const QString linked = addLookLinks(text, pages({"ice cream#ice"}), "/data/me.html");
    EXPECT_EQ(linked, pageWith(lookLink("ice cream", "ice cream") + " and " + lookLink("ice", "ice")));
    EXPECT_EQ(removeLookLinks(linked), text);
}

TEST(LookLinks, ExistingLinksTagsAndAttributesAreLeftAlone)
{
    // A plain occurrence before a link holding the word goes with that link.
    const QString before = pageWith("pear <A HREF=\"x.html\">pear</A> end");
    EXPECT_EQ(addLookLinks(before, pages({"pear"}), "/data/me.html"), before);
    // Inside a tag, inside an attribute, followed by a quote before the next tag.
    for (const char* body : {"<IMG alt=\"a pear\">", "<IMG title=pear src=\"x.png\">", "pear\" <B>x</B>"}) {
        const QString text = pageWith(QString::fromUtf8(body));
        EXPECT_EQ(addLookLinks(text, pages({"pear"}), "/data/me.html"), text) << body;
    }
    // Text between tags is linked.
    EXPECT_EQ(addLookLinks(pageWith("<P>a pear</P>"), pages({"pear"}), "/data/me.html"),
              pageWith("<P>a " + lookLink("pear", "pear") + "</P>"));
}

TEST(LookLinks, TheHeadAndTheOwnPageAreNeverLinked)
{
    const QString text = pageWith("Apple and notes");
    QList<LookPage> list = pages({"Apple", "notes"});
    list[1].path = "/data/ME.html"; // the page itself, any letter case
    EXPECT_EQ(addLookLinks(text, list, "/data/me.html"), pageWith(lookLink("Apple", "Apple") + " and notes"));
    // Without "</HEAD>" the head ends at "</TITLE>".
    const QString noHead = "<TITLE>Apple</TITLE>Apple";
    EXPECT_EQ(addLookLinks(noHead, pages({"Apple"}), "/x"), "<TITLE>Apple</TITLE>" + lookLink("Apple", "Apple"));
}

TEST(LookLinks, RemovalInAnyCaseKeepsTheLinkText)
{
    EXPECT_EQ(removeLookLinks("a <a href=\"/$look pear\">Pear</a> b"), "a Pear b");
    EXPECT_EQ(removeLookLinks("<A HREF=\"/$LOOK x\" target=y>X</A><a href=\"other\">o</a>"),
              "X<a href=\"other\">o</a>");
    const QString plain = pageWith("nothing here");
    EXPECT_EQ(removeLookLinks(plain), plain);
    // Markers left open end the removal, never the program.
    EXPECT_EQ(removeLookLinks("a <A HREF=\"/$LOOK x\">open"), "a open");
    EXPECT_EQ(removeLookLinks("a <A HREF=\"/$LOOK x"), "a <A HREF=\"/$LOOK x");
}

TEST(LookLinks, AddingAgainReplacesTheOldLinks)
{
    const QString text = pageWith("plum and pear");
    const QString once = addLookLinks(text, pages({"pear"}), "/data/me.html");
    const QString twice = addLookLinks(once, pages({"plum"}), "/data/me.html");
    EXPECT_EQ(twice, pageWith(lookLink("plum", "plum") + " and pear"));
    EXPECT_EQ(removeLookLinks(twice), text);
}

TEST(LookLinks, JapaneseWordsAndCaseOfTheText)
{
    const QString text = pageWith(QStringLiteral("今日は日本語とAPPLEの話"));
    const QString linked = addLookLinks(text, pages({QStringLiteral("日本語"), "apple"}), "/data/me.html");
    EXPECT_EQ(linked, pageWith(QStringLiteral("今日は") + lookLink(QStringLiteral("日本語"), QStringLiteral("日本語"))
                               + QStringLiteral("と") + lookLink("apple", "APPLE") + QStringLiteral("の話")));
    EXPECT_EQ(removeLookLinks(linked), text);
}

TEST(LookLinks, EscapedTitleWordsMatchTheEscapedText)
{
    const QString text = pageWith("x &lt;b&gt; y");
    const QString linked = addLookLinks(text, pages({"<b>"}), "/data/me.html");
    EXPECT_EQ(linked, pageWith("x " + lookLink("&lt;b&gt;", "&lt;b&gt;") + " y"));
    EXPECT_EQ(removeLookLinks(linked), text);
}

TEST(LookLinks, AWordInsideALinkIsNeverLinkedAgain)
{
    // The second title's first word ends the search inside the new link's
    // start tag; its next word must not see the link text as plain text.
    const QString text = "X";
    const QString linked = addLookLinks(text, pages({"H#X", "X"}), "/data/me.html");
    EXPECT_EQ(linked, lookLink("X", "X"));
    EXPECT_EQ(removeLookLinks(linked), text);
    // A person's own link is passed over too.
    const QString own = pageWith("<A target=\"_blank\" href=\"x.html\">pear</A>");
    EXPECT_EQ(addLookLinks(own, pages({"pear"}), "/data/me.html"), own);
}

// An existing link is its start tag, whatever it holds, through its "</A>":
// elements inside it ("</ABBR>") do not end it, and a start tag that does not
// begin with HREF is as much a link.
TEST(LookLinks, ExistingLinksOfAnyFormAreLeftWhole)
{
    const QList<LookPage> list = pages({"CPU", "function list"});
    const QString toc = pageWith("<A class=\"toc\" href=\"page2.html\">the <abbr>CPU</abbr> function list</A>");
    EXPECT_EQ(addLookLinks(toc, list, "/data/me.html"), toc);
    const QString lower = pageWith("<p><a\nhref=\"x.html\"><b>function list</b> of the <i>CPU</i></a > CPU</p>");
    EXPECT_EQ(addLookLinks(lower, list, "/data/me.html"),
              pageWith("<p><a\nhref=\"x.html\"><b>function list</b> of the <i>CPU</i></a > " + lookLink("CPU", "CPU")
                       + "</p>"));
    // A plain occurrence before such a link goes with it, as before a link
    // whose tag begins with HREF.
    const QString before = pageWith("CPU <A name=\"c\" href=\"x.html\">CPU</A> end");
    EXPECT_EQ(addLookLinks(before, list, "/data/me.html"), before);
    // An abbreviation outside links is text like any other.
    EXPECT_EQ(addLookLinks(pageWith("<ABBR>CPU</ABBR>"), list, "/data/me.html"),
              pageWith("<ABBR>" + lookLink("CPU", "CPU") + "</ABBR>"));
    for (const QString& text : {toc, lower, before})
        EXPECT_EQ(lookreference::addLookLinks(text, list, "/data/me.html"), addLookLinks(text, list, "/data/me.html"));
}

TEST(LookLinks, ManyOccurrencesInALongPageStayFast)
{
    QString body;
    for (int i = 0; i < 20000; ++i)
        body += QStringLiteral("かえる と いぬ。");
    const QString text = pageWith(body);
    QStringList titles;
    for (int i = 0; i < 300; ++i)
        titles << QStringLiteral("ページ%1#言葉%1").arg(i);
    titles << QStringLiteral("いぬ") << QStringLiteral("かえる");
    QElapsedTimer clock;
    clock.start();
    const QString linked = addLookLinks(text, pages(titles), "/data/me.html");
    EXPECT_EQ(linked.count(QStringLiteral("<A href=\"/$LOOK ")), 40000);
    EXPECT_EQ(removeLookLinks(linked), text);
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST(LookLinks, ScriptsStylesCommentsAndCharacterReferencesAreLeftAlone)
{
    const QString script = pageWith("<SCRIPT>function check() { return a<b; }</SCRIPT> check <script type=\"x\">check()</script>");
    EXPECT_EQ(addLookLinks(script, pages({"check"}), "/data/me.html"),
              pageWith("<SCRIPT>function check() { return a<b; }</SCRIPT> " + lookLink("check", "check")
                       + " <script type=\"x\">check()</script>"));
    const QString style = pageWith("<STYLE>p.red { color: red }</STYLE><P class=red>red</P>");
    EXPECT_EQ(addLookLinks(style, pages({"red"}), "/data/me.html"),
              pageWith("<STYLE>p.red { color: red }</STYLE><P class=red>" + lookLink("red", "red") + "</P>"));
    const QString comment = pageWith("<!-- a red note --> red <!-- open red");
    EXPECT_EQ(addLookLinks(comment, pages({"red"}), "/data/me.html"),
              pageWith("<!-- a red note --> " + lookLink("red", "red") + " <!-- open red"));
    // Neither an element named alike nor an unclosed script lets a link in.
    const QString scripts = pageWith("<SCRIPTS>x</SCRIPTS><SCRIPT>x");
    EXPECT_EQ(addLookLinks(scripts, pages({"x"}), "/data/me.html"),
              pageWith("<SCRIPTS>" + lookLink("x", "x") + "</SCRIPTS><SCRIPT>x"));
}

TEST(LookLinks, TextAreasAndTitlesInTheBodyAreLeftAlone)
{
    // Their text is shown as written: a link there would show as markup.
    const QString text = pageWith("<TEXTAREA name=a>red</TEXTAREA> red <textarea>red</textarea>"
                                  "<TITLE>red</TITLE><TEXTAREAS>red</TEXTAREAS>");
    EXPECT_EQ(addLookLinks(text, pages({"red"}), "/data/me.html"),
              pageWith("<TEXTAREA name=a>red</TEXTAREA> " + lookLink("red", "red")
                       + " <textarea>red</textarea><TITLE>red</TITLE><TEXTAREAS>" + lookLink("red", "red")
                       + "</TEXTAREAS>"));
}

TEST(LookLinks, CharacterReferencesAreNeverCut)
{
    const QString text = pageWith("a &lt; b &#123; c &amp lt &#x6C;t 123");
    EXPECT_EQ(addLookLinks(text, pages({"lt", "123", "amp"}), "/data/me.html"),
              pageWith("a &lt; b &#123; c &amp " + lookLink("lt", "lt") + " &#x6C;t " + lookLink("123", "123")));
    // A word that holds a whole reference is linked as before.
    const QString escaped = pageWith("x&lt;y");
    EXPECT_EQ(addLookLinks(escaped, pages({"x<y"}), "/data/me.html"),
              pageWith(lookLink("x&lt;y", "x&lt;y")));
}

namespace {

// Pieces of pages and titles: the fuzz dictionary's marks and words, and
// the marks the linker writes, short words that occur inside them, and
// words that overlap each other, so that random pages meet every rule.
const QStringList kPieces = {
    "<A href=\"/$LOOK ", "<A HREF=\"", "<a href=\"", "</A>", "</a>", "</HEAD>", "</TITLE>", "<TITLE>", "<!--",
    "-->", "<!-", "->", "\"", ">", "<", "#", "?", "/", "\uFF0F", "&lt;", "&gt;", "apple", "Apple", "日本語",
    "<A ", "<A>", "</A", "<A", "A HREF=", "/$LOOK", "LOOK", " ", "  ", "\r\n", "a", "A", "p", "pl", "le", "red",
    "red apple", "&", "&amp", "&#12;", "<SCRIPT>", "</SCRIPT>", "<style>", "</style>", "<B>", "=", "$", "K ",
    "本", "日本", "語", "x", "ß", "ı", "<A x", "<A  x", "<ABBR>", "</abbr>", "<A class=\"t\" href=\"q\">", "</A >"};

const QStringList kTitleWords = {"apple", "Apple", "red apple", "a", "A", "p", "pl", "le", "日本語", "日本", "本",
                                 "LOOK", "K A", "HREF=", "/A", "x", "<x>", "lt", "ß", "K", "e", " x", " A"};

QString randomText(std::mt19937& random, int pieces)
{
    QString text;
    for (int i = 0; i < pieces; ++i)
        text += kPieces[int(random() % unsigned(kPieces.size()))];
    return text;
}

QString randomTitle(std::mt19937& random)
{
    QString title;
    const int words = 1 + int(random() % 3);
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            title += i == 1 && random() % 2 ? "#" : "/";
        title += kTitleWords[int(random() % unsigned(kTitleWords.size()))];
    }
    if (random() % 8 == 0)
        title += "?hint";
    if (random() % 8 == 0)
        title = "\"i.png\"" + title;
    return title;
}

bool touchesGuardedParts(const QString& text)
{
    const QString upper = text::upper(text);
    return upper.contains('&') || upper.contains("<!--") || upper.contains("<SCRIPT") || upper.contains("<STYLE")
        || upper.contains("<TEXTAREA") || upper.contains("<TITLE");
}

} // namespace

// The linker in use against the linker as first written, which searched
// the page once per word: the same bytes on random pages, and where a page
// holds no script, style, comment or character reference, the same bytes
// as before those were left alone.
TEST(LookLinksDifferential, TheSameBytesAsTheFirstLinker)
{
    std::mt19937 random(20261210);
    int compared = 0, unguarded = 0, linked = 0;
    for (int round = 0; round < 6000; ++round) {
        QList<LookPage> list;
        const int titles = 1 + int(random() % 6);
        for (int t = 0; t < titles; ++t)
            list.append({QStringLiteral("/data/p%1.html").arg(t), randomTitle(random)});
        const QString text = randomText(random, 1 + int(random() % 40));
        const QString expected = lookreference::addLookLinks(text, list, "/data/p0.html");
        ASSERT_EQ(addLookLinks(text, list, "/data/p0.html"), expected)
            << "round " << round << "\ntext: " << text.toStdString();
        ++compared;
        linked += expected != removeLookLinks(text);
        if (!touchesGuardedParts(text)) {
            ++unguarded;
            ASSERT_EQ(expected, lookreference::addLookLinks(text, list, "/data/p0.html", false)) << round;
        }
    }
    // The random pages do reach the rules.
    EXPECT_GT(linked, compared / 4);
    EXPECT_GT(unguarded, compared / 20);
}

TEST(LookLinksDifferential, LinksLaidNextToMarks)
{
    // A link laid right after "<A" leaves it no link start; one in a link's
    // href is found by the next title's words.
    const QList<QPair<QString, QStringList>> cases = {
        {"<A x y", {"A", " x"}},
        {"<A x", {"A", " x"}},
        {"red apple <A HREF=\"q\">apple</A> red", {"K RED", "apple", "red apple"}},
        {"LOOK look red", {"LOOK", "red"}},
        {"x/A x", {"/A", "x"}},
    };
    for (const auto& [text, titles] : cases) {
        QList<LookPage> list = pages(titles);
        EXPECT_EQ(addLookLinks(text, list, "/me"), lookreference::addLookLinks(text, list, "/me")) << text.toStdString();
    }
}

TEST(LookLinksDifferential, ManyTitlesOnALongerPage)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        QList<LookPage> list;
        for (int t = 0; t < 30; ++t)
            list.append({QStringLiteral("/data/p%1.html").arg(t), randomTitle(random)});
        const QString text = randomText(random, 400);
        ASSERT_EQ(addLookLinks(text, list, "/data/p3.html"), lookreference::addLookLinks(text, list, "/data/p3.html"))
            << "round " << round << "\ntext: " << text.toStdString();
    }
}
