// The search window's work without its window: which files the scan lists
// and with which titles, the word splitting, the two sorts, the full-text
// and heading searches, the scan cache and the state before a search.
#include "platform/seam.h"
#include "store/page_encoding.h"
#include "store/text.h"
#include "support/temp_tree.h"
#include "tools/search_bytes.h"
#include "tools/search_run.h"
#include "tools/search_stream.h"
#include "tools/search_title.h"
#include "store/files.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace tools;

namespace {

QByteArray page(const QString& title, const QString& body = QString())
{
    return QStringLiteral("\uFEFF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                          "<HTML><HEAD><TITLE>%1</TITLE></HEAD><BODY>%2</BODY></HTML>\r\n")
        .arg(title, body)
        .toUtf8();
}

// A session over folder with a scratch cache key.
struct Session {
    explicit Session(const QString& folder, int mode = 0)
    {
        s.SearchRoot = folder;
        s.Tag = mode;
    }
    void activate() { s.activate(key); }
    void search(const QString& words)
    {
        s.Edit1 = words;
        s.LastSearchText = words;
        s.RunSearch();
    }
    SearchSession s;
    QString key = QStringLiteral("xxx");
};

} // namespace

TEST(SearchWords, SplitAtSlashOrFullWidthSlash)
{
    EXPECT_EQ(splitSearchWords("a/b"), QStringList({"a", "b"}));
    EXPECT_EQ(splitSearchWords(QStringLiteral("a／b/c")), QStringList({"a", "b/c"}));
    EXPECT_EQ(splitSearchWords(QStringLiteral("かえる")), QStringList({QStringLiteral("かえる")}));
    // A leading separator or two in a row end the word list.
    EXPECT_TRUE(splitSearchWords("/a").isEmpty());
    EXPECT_EQ(splitSearchWords("a//b"), QStringList({"a"}));
    EXPECT_EQ(splitSearchWords(QStringLiteral("a／／b")), QStringList({"a"}));
    EXPECT_TRUE(splitSearchWords("").isEmpty());
    EXPECT_EQ(splitSearchWords("a/"), QStringList({"a"}));
}

TEST(SearchTitles, TitleTagsAndTheNameRule)
{
    TempTree t;
    EXPECT_EQ(ReadPageTitle(t.write("1010_intro.html", page(""))).title, "intro");
    EXPECT_EQ(ReadPageTitle(t.write("x_y_z.html", "<html>no title</html>")).title, "y_z");
    EXPECT_EQ(ReadPageTitle(t.write("up.html", page(QStringLiteral("大きい")))).title, QStringLiteral("大きい"));
    EXPECT_EQ(ReadPageTitle(t.write("low.html", "<title>small</title><TITLE>big</TITLE>")).title, "small");
    // Other extensions are listed by their whole name, unread.
    EXPECT_EQ(ReadPageTitle(t.write("0010_a.htm", page("ignored"))).title, "0010_a.htm");
    EXPECT_EQ(ReadPageTitle(t.write("doc.PDF")).title, "doc.PDF");
    // "NOTFIND" anywhere, case-sensitive, keeps a page out.
    EXPECT_FALSE(ReadPageTitle(t.write("hide.html", page("t", "NOTFIND"))).listable);
    EXPECT_TRUE(ReadPageTitle(t.write("show.html", page("t", "notfind"))).listable);
    // A page that cannot be read keeps the name rule and is listed.
    // A large page is read in pieces, its title from its head.
    const QString filler(300 * 1024, QLatin1Char('.'));
    const PageTitle large = ReadPageTitle(t.write("large.html", page(QStringLiteral("大きい"), filler)));
    EXPECT_EQ(large.title, QStringLiteral("大きい"));
    EXPECT_TRUE(large.listable);
    EXPECT_FALSE(ReadPageTitle(t.write("large_hidden.html", page("t", filler + "NOTFIND"))).listable);
    const PageTitle missing = ReadPageTitle(t.path("0020_gone.html"));
    EXPECT_TRUE(missing.listable);
    EXPECT_TRUE(missing.readFailed);
    EXPECT_EQ(missing.title, "gone");
}

TEST(SearchTitles, NormalisedTitleAndKeywordLength)
{
    EXPECT_EQ(normaliseTitle("\"i.png\"Fruit#apple/pear?hint"), "Fruit/apple/pear");
    EXPECT_EQ(normaliseTitle("a#b#c"), "a/b#c");
    EXPECT_EQ(normaliseTitle(QStringLiteral("名前")), QStringLiteral("名前"));
    EXPECT_EQ(keywordPartLength("Fruit#apple/pear?hint"), 10);
    EXPECT_EQ(keywordPartLength("Fruit"), 5);
    EXPECT_EQ(keywordPartLength("Fruit#"), 0);
}

TEST(SearchScan, TakesPagesAndDocumentsLeavesOutTheRest)
{
    TempTree t;
    t.write("0010_b.html", page("B"));
    t.write("a.pdf.txt");
    t.write("c.docx");
    t.write("d.xlsx");
    t.write("e.jxw");
    t.write("f.htm", page("F"));
    t.write("g.png");
    t.write("h.txt");
    t.write("_hidden.html", page("H"));
    t.write("hide.html", page("hidden", "NOTFIND"));
    t.write("hide2.pdf"); // scanned right after a NOTFIND page: listed
    t.write("ZORB/top.html", page("top"));
    t.write("ZORB/lib/deep.html", page("deep"));
    t.write("_sub/in.html", page("in"));
    t.write("Sub/x.html", page("x"));
    TempTree outside;
    outside.write("far.html", page("far"));
    t.symlink("linked", outside.path());
    const ScanResult r = ZENBU(t.path());
    EXPECT_EQ(r.list.entries, QStringList({"_sub/in.html", "0010_b.html", "a.pdf.txt", "c.docx", "d.xlsx", "e.jxw",
                                           "f.htm", "hide2.pdf", "Sub/x.html", "ZORB/top.html"}));
    EXPECT_EQ(r.list.titles, QStringList({"in", "B", "a.pdf.txt", "c.docx", "d.xlsx", "e.jxw", "f.htm", "hide2.pdf",
                                          "x", "top"}));
    EXPECT_EQ(r.unreadable, 0);
}

TEST(SearchScan, NamedPipesNeverBlockAndUnreadablePagesKeepTheirName)
{
    TempTree t;
    t.write("0010_a.html", page("A"));
    ASSERT_EQ(::mkfifo(t.path("fifo.html").toLocal8Bit().constData(), 0600), 0);
    t.symlink("0020_pipe.html", t.path("fifo.html"));
    QElapsedTimer clock;
    clock.start();
    const ScanResult r = ZENBU(t.path());
    EXPECT_LT(clock.elapsed(), 5000);
    // The pipe itself is no file; the link to it is a page that cannot be read.
    EXPECT_EQ(r.list.entries, QStringList({"0010_a.html", "0020_pipe.html"}));
    EXPECT_EQ(r.list.titles, QStringList({"A", "pipe"}));
    EXPECT_EQ(r.unreadable, 1);
}

TEST(SearchScan, AFolderThatIsGoneGivesAnEmptyList)
{
    TempTree t;
    EXPECT_TRUE(ZENBU(t.path("missing")).list.isEmpty());
}

TEST(SearchSort, ByTitleStableAndByKeywordLength)
{
    PageList l;
    l.append("1", "b");
    l.append("2", "B");
    l.append("3", "a");
    l.append("4", "_x");
    l.append("5", QStringLiteral("あ"));
    l.append("6", "b");
    SortResults(l, 0);
    // ASCII letters without case, ordinal otherwise, equal keys in their order.
    EXPECT_EQ(l.entries, QStringList({"3", "1", "2", "6", "4", "5"}));

    PageList k;
    k.append("long", "n#abcdef");
    k.append("none", "abc");
    k.append("hint", "n#ab?very long hint");
    k.append("tie", "zz#abc");
    SortResults(k, 2);
    EXPECT_EQ(k.entries, QStringList({"hint", "none", "tie", "long"}));
}

TEST(SearchSort, SortedAndEqualInputStaysFast)
{
    PageList sorted, equal;
    for (int i = 0; i < 200000; ++i) {
        sorted.append(QString::number(i), QStringLiteral("t%1").arg(i, 7, 10, QLatin1Char('0')));
        equal.append(QString::number(i), QStringLiteral("same"));
    }
    QElapsedTimer clock;
    clock.start();
    SortResults(sorted, 0);
    SortResults(equal, 0);
    SortResults(equal, 2);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(equal.entries.first(), "0");
    EXPECT_EQ(equal.entries.last(), "199999");
}

TEST(SearchFullText, PathAndTextWithCommentsCutOut)
{
    TempTree t;
    t.write("0010_a.html", page("A", QStringLiteral("カエルの観察")));
    t.write("0020_b.html", page("B", QStringLiteral("<!-- カエル --> いぬ")));
    t.write("0030_c.html", page("C", QStringLiteral("<IMG alt=\"Frog\">")));
    t.write("frog/0040_d.html", page("D"));
    t.write("0050_e.html", page("E", QStringLiteral("<!-- open comment カエル")));
    t.write("0060_f.html", page("F", QStringLiteral("<!- x -><!-- y -->カエル")));
    Session s(t.path());
    s.activate();
    ASSERT_EQ(s.s.Shown.size(), 6);
    s.search(QStringLiteral("カエル"));
    // A comment left open is kept, so its text is found.
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A", "E", "F"}));
    EXPECT_EQ(s.s.ListBox.size(), 6); // the state before the search

    Session f(t.path());
    f.activate();
    f.search("frog"); // in a tag, in a path; letter case ignored
    EXPECT_EQ(f.s.Shown.titles, QStringList({"C", "D"}));
}

TEST(SearchFullText, WordsLookedForInTheRawBytesFirst)
{
    EXPECT_EQ(rawSearchBytes(QStringLiteral("カエル")), QStringLiteral("カエル").toUtf8());
    // Words a letter case maps onto, or that take part in cutting comments,
    // are looked for in the text only.
    for (const QString& w : {QStringLiteral("frog"), QStringLiteral("ＡＢ"), QStringLiteral("a>b"), QStringLiteral("")})
        EXPECT_TRUE(rawSearchBytes(w).isEmpty()) << qPrintable(w);
    TempTree t;
    t.write("0010_a.html", page("A", QStringLiteral("ｶｴﾙ ＡＢＣ")));
    Session s(t.path());
    s.activate();
    s.search(QStringLiteral("ａｂｃ")); // full-width letters without case
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A"}));
}

TEST(SearchFullText, OrWordsNarrowAndListEachEntryOnce)
{
    TempTree t;
    t.write("0010_a.html", page("A", "apple pear"));
    t.write("0020_b.html", page("B", "pear"));
    t.write("0030_c.html", page("C", "plum"));
    Session s(t.path());
    s.activate();
    s.search("pear/apple");
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A", "B"}));
    s.search("apple"); // searches narrow
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A"}));
    s.search("/apple"); // no words: nothing is shown
    EXPECT_TRUE(s.s.Shown.isEmpty());
    // "１つ前": the list before the last search, and its words.
    s.s.Edit1 = "typed since";
    s.s.undo();
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A"}));
    EXPECT_EQ(s.s.Edit1, "/apple");
}

TEST(SearchFullText, AChangedPageIsReadAgain)
{
    TempTree t;
    const QString a = t.write("0010_a.html", page("A", "old"));
    Session s(t.path());
    s.activate();
    s.search("new");
    EXPECT_TRUE(s.s.Shown.isEmpty());
    t.write("0010_a.html", page("A", "brand new text"), QDateTime::currentDateTime().addSecs(10));
    s.activate(); // from the cache: the list, not the texts
    s.search("new");
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A"}));
    (void)a;
}

TEST(SearchHeading, NameOrKeywordAsAWholeWord)
{
    TempTree t;
    t.write("0010_f.html", page("\"i.png\"Fruit#apple/pear?hint"));
    t.write("0020_g.html", page("Pearl#shell"));
    t.write("0030_self.html", page("me#pear"));
    Session s(t.path(), 1);
    s.s.Label2 = text::upper(t.path("0030_self.html"));
    s.s.Edit1 = "pear";
    s.activate(); // mode 1 searches at activation
    EXPECT_EQ(s.s.Shown.titles, QStringList({"\"i.png\"Fruit#apple/pear?hint"}));
    for (const char* word : {"FRUIT", "apple", "Pear"})
        EXPECT_TRUE(headingMatches("\"i.png\"Fruit#apple/pear?hint", word, "/")) << word;
    for (const char* word : {"pe", "hint", "i.png", "Fruit#apple"})
        EXPECT_FALSE(headingMatches("\"i.png\"Fruit#apple/pear?hint", word, "/")) << word;
    // With "／" as separator a "/" inside a keyword is part of it.
    EXPECT_TRUE(headingMatches(QStringLiteral("x#a/b／c"), "a/b", QStringLiteral("／")));
}

TEST(SearchHeading, APageMatchingTwoWordsIsListedTwice)
{
    TempTree t;
    t.write("0010_f.html", page("Fruit#apple/pear"));
    Session s(t.path(), 1);
    s.s.Edit1 = "apple/pear";
    s.activate();
    EXPECT_EQ(s.s.Shown.entries, QStringList({"0010_f.html", "0010_f.html"}));
}

TEST(SearchCache, KeyedByFolderAndRebuiltAfterXxx)
{
    TempTree t;
    t.write("0010_a.html", page("A"));
    Session s(t.path());
    s.activate();
    EXPECT_EQ(s.key, t.path());
    EXPECT_EQ(s.s.ListBoxBk.size(), 1);
    t.write("0020_b.html", page("B"));
    s.activate();
    EXPECT_EQ(s.s.Shown.size(), 1); // from the cache
    s.key = QStringLiteral("xxx");
    s.activate();
    EXPECT_EQ(s.s.Shown.size(), 2);
    // An empty scan replaces the cache too.
    QFile::remove(t.path("0010_a.html"));
    QFile::remove(t.path("0020_b.html"));
    s.key = QStringLiteral("xxx");
    s.activate();
    EXPECT_TRUE(s.s.Shown.isEmpty());
    EXPECT_TRUE(s.s.ListBoxBk.isEmpty());
    // Another folder is another key.
    TempTree other;
    other.write("x.html", page("X"));
    s.s.SearchRoot = other.path();
    s.activate();
    EXPECT_EQ(s.s.Shown.titles, QStringList({"X"}));
}

TEST(SearchCache, UnreadableFilesBeepOnce)
{
    TempTree t;
    ASSERT_EQ(::mkfifo(t.path("fifo").toLocal8Bit().constData(), 0600), 0);
    t.symlink("a.html", t.path("fifo"));
    t.symlink("b.html", t.path("fifo"));
    platform::setTestMode(true);
    platform::clearEvents();
    Session s(t.path());
    s.activate();
    int beeps = 0;
    for (const platform::SeamEvent& e : platform::events())
        beeps += e.kind == QLatin1String("beep");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(s.s.Shown.size(), 2);
}

TEST(SearchClose, ResultsOrTheListBeforeTheSearchAreHandedOver)
{
    TempTree t;
    t.write("0010_a.html", page("A", "lion"));
    t.write("0020_b.html", page("B", "zebra"));
    Session s(t.path());
    s.activate();
    s.search("zebra");
    s.s.close();
    EXPECT_EQ(s.s.ListBox.titles, QStringList({"B"}));
    s.activate();
    s.search("nothing");
    s.s.close();
    EXPECT_EQ(s.s.ListBox.titles, QStringList({"A", "B"}));
}

// The answer from a page's bytes is the answer from its text, whenever the
// bytes give one: random pages with comments, letters of both cases, a
// mark, bytes that are no UTF-8, and letters whose upper case is ASCII.
TEST(SearchBytes, TheBytesAnswerAsTheTextWould)
{
    const QList<QByteArray> pieces = {
        "<!--", "-->", "<!-", "->", ">", "<", "pond", "POND", "Pond", "p", "o", "n", "d", " ",
        QStringLiteral("池").toUtf8(), QStringLiteral("カエル").toUtf8(), QStringLiteral("ｶｴﾙ").toUtf8(),
        QStringLiteral("ı").toUtf8(), QStringLiteral("ſ").toUtf8(), QStringLiteral("Ａ").toUtf8(),
        "\xEF\xBB\xBF", "\xE3", "\x82\xAB", "\xC4", "\xFF", "\r\n", "IS", "is"};
    const QStringList words = {"pond", "POND", "p o", "d<", "n-", "is", "S", "i", QStringLiteral("カエル"),
                               QStringLiteral("池pond"), QStringLiteral("ａ"), "a>b", ">", QStringLiteral("エ")};
    std::mt19937 random(42);
    int answered = 0, yes = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        const int count = 1 + int(random() % 24);
        for (int i = 0; i < count; ++i)
            bytes += pieces[int(random() % unsigned(pieces.size()))];
        for (const QString& word : words) {
            const ByteAnswer answer = searchBytes(bytes, byteWordFor(word));
            if (answer == ByteAnswer::NeedsText)
                continue;
            const bool inText = searchText(bytes).contains(text::upper(word));
            ASSERT_EQ(answer == ByteAnswer::Yes, inText) << bytes.toHex().toStdString() << " " << word.toStdString();
            ++answered;
            yes += inText;
        }
    }
    EXPECT_GT(answered, 25000); // the bytes answer for many
    EXPECT_GT(yes, 3000);
    // A page in another encoding is searched in its text.
    const QByteArray shiftJis("\x83\x4A\x83\x47\x83\x8B pond");
    EXPECT_EQ(searchBytes(shiftJis, byteWordFor(QStringLiteral("カエル"))), ByteAnswer::NeedsText);
    EXPECT_EQ(searchBytes(shiftJis, byteWordFor("POND")), ByteAnswer::NeedsText);
    EXPECT_EQ(searchBytes("\xEF\xBB\xBF\xE3 pond", byteWordFor("POND")), ByteAnswer::Yes);
    EXPECT_EQ(byteWordFor(QStringLiteral("ａｂｃ")).kind, ByteWord::TextOnly);
    EXPECT_EQ(byteWordFor("Pond").kind, ByteWord::CaselessAscii);
    EXPECT_EQ(byteWordFor(QStringLiteral("池")).kind, ByteWord::Exact);
}

// Read in pieces of a few bytes, so that words, comment marks and
// characters cross the joins, a page file answers as its text would.
TEST(SearchBytes, AFileReadInPiecesAnswersAsItsTextWould)
{
    const QList<QByteArray> pieces = {
        "<!--", "-->", "<!-", "->", ">", "<", "pond", "POND", "Pond", "p", "o", "n", "d", " ",
        QStringLiteral("池").toUtf8(), QStringLiteral("カエル").toUtf8(), QStringLiteral("ı").toUtf8(),
        "\xEF\xBB\xBF", "\xE3", "\x82\xAB", "\xFF", "xxxxxxxxxxxxxxxxxxxxxxxxxxxx"};
    const QStringList words = {"pond", "p o", "d<", "n-", "i", QStringLiteral("カエル"), QStringLiteral("池pond"),
                               QStringLiteral("エ"), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"};
    TempTree t;
    const QString path = t.path("p.html");
    std::mt19937 random(7);
    int answered = 0, yes = 0;
    for (int round = 0; round < 1000; ++round) {
        QByteArray bytes = random() % 2 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        const int count = 1 + int(random() % 30);
        for (int i = 0; i < count; ++i)
            bytes += pieces[int(random() % unsigned(pieces.size()))];
        ASSERT_TRUE(files::writeBytes(path, bytes, {t.path()}));
        const qsizetype piece = 1 + qsizetype(random() % 9);
        for (const QString& word : words) {
            const std::optional<ByteAnswer> answer = searchPageFile(path, byteWordFor(word), piece);
            ASSERT_TRUE(answer.has_value());
            if (*answer == ByteAnswer::NeedsText) {
                EXPECT_EQ(searchBytes(bytes, byteWordFor(word)), ByteAnswer::NeedsText) << bytes.toHex().toStdString();
                continue;
            }
            const bool inText = searchText(bytes).contains(text::upper(word));
            ASSERT_EQ(*answer == ByteAnswer::Yes, inText)
                << bytes.toHex().toStdString() << " " << word.toStdString() << " piece " << piece;
            ++answered;
            yes += inText;
        }
    }
    EXPECT_GT(answered, 3000);
    EXPECT_GT(yes, 300);
    EXPECT_FALSE(searchPageFile(t.path("missing.html"), byteWordFor("pond")).has_value());
}

TEST(SearchBytes, Utf8CheckedInPiecesAsAWhole)
{
    std::mt19937 random(3);
    const QList<QByteArray> valid = {"a", "abcdefghijklmnop", "\xC3\xA9", "\xE3\x81\x82", "\xF0\x9F\x98\x80"};
    const QList<QByteArray> faulty = {"\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC0\xAF", "\x80",
                                      "\xE3\x81", "\xFF", "\xF0\x9F\x98", "\xF5\x80\x80\x80"};
    int validCount = 0;
    for (int round = 0; round < 20000; ++round) {
        // Long runs are checked sixteen bytes at a time: at most one fault, anywhere.
        QByteArray bytes;
        const int count = int(random() % 60);
        for (int i = 0; i < count; ++i)
            bytes += valid[int(random() % unsigned(valid.size()))];
        if (round % 3 != 0)
            bytes.insert(qsizetype(random() % unsigned(bytes.size() + 1)), faulty[int(random() % unsigned(faulty.size()))]);
        ASSERT_EQ(validUtf8Run(bytes), files::isValidUtf8(bytes)) << bytes.toHex().toStdString();
        validCount += files::isValidUtf8(bytes);
        const qsizetype whole = utf8CompleteLength(bytes);
        if (files::isValidUtf8(bytes.left(whole)) && whole < bytes.size()) {
            EXPECT_GE(whole, bytes.size() - 3); // only a cut character held back
        }
    }
    EXPECT_GT(validCount, 6000);
}

TEST(SearchBytes, CaselessAsciiAcrossBlocks)
{
    QByteArray hay(100, 'x');
    for (int at = 0; at + 4 <= hay.size(); ++at) {
        QByteArray h = hay;
        h.replace(at, 4, "PoNd");
        EXPECT_TRUE(containsCaselessAscii(h, "pond")) << at;
        EXPECT_FALSE(containsCaselessAscii(h.left(at + 3), "pond")) << at;
    }
    EXPECT_FALSE(containsCaselessAscii("p0nd", "pond"));
    EXPECT_TRUE(containsCaselessAscii("a-b", "a-b"));
    EXPECT_TRUE(containsCaselessAscii(QByteArray(40, 'x') + "P", "p"));
    EXPECT_FALSE(containsCaselessAscii(QByteArray(40, 'x') + "P", "pp"));
    // Exact bytes at every place, found first where they first are.
    const QByteArray word = QStringLiteral("ミドリガメ").toUtf8();
    for (int at = 0; at + word.size() <= 130; ++at) {
        QByteArray h(130, 'x');
        h.replace(at, word.size(), word);
        EXPECT_EQ(findBytes(h + word, word), at);
        EXPECT_EQ(findBytes(h.left(at + word.size() - 1), word), -1);
    }
}

// Long haystacks go through the wide loops: the first match, as a plain
// byte-by-byte look finds it, wherever the blocks fall.
TEST(SearchBytes, WideLoopsFindTheFirstMatch)
{
    const QByteArray word = QStringLiteral("ガメ").toUtf8();
    const QList<QByteArray> parts = {"x", "P", "o", "pO", "pond", "PoNd", word, word.left(4), word.mid(2), "\xE3\x83"};
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        QByteArray hay;
        const int count = int(random() % 120);
        for (int i = 0; i < count; ++i)
            hay += parts[int(random() % unsigned(parts.size()))];
        const auto plain = [&hay](QByteArrayView needle, bool caseless) -> qsizetype {
            for (qsizetype at = 0; at + needle.size() <= hay.size(); ++at) {
                const QByteArray here = hay.mid(at, needle.size());
                if ((caseless ? here.toLower() : here) == needle)
                    return at;
            }
            return -1;
        };
        ASSERT_EQ(findBytes(hay, word), plain(word, false)) << hay.toHex().toStdString();
        ASSERT_EQ(findCaselessAscii(hay, "pond"), plain("pond", true)) << hay.toHex().toStdString();
    }
}

// Searches keep no page texts where the bytes answer, and the texts they
// must make stay within the budget, the ones used last kept.
TEST(SearchFullText, PageTextsAreKeptWithinABudget)
{
    TempTree t;
    QString body;
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("池のカエル ");
    for (int i = 0; i < 6; ++i)
        t.write(QStringLiteral("00%1_p.html").arg(i + 10), page(QStringLiteral("P%1").arg(i), body + QStringLiteral("Ａ")));
    Session s(t.path());
    s.activate();
    s.search(QStringLiteral("カエル/pond"));
    EXPECT_EQ(s.s.Shown.size(), 6);
    EXPECT_EQ(s.s.heldTextBytes(), 0);
    s.search(QStringLiteral("ａ")); // letters of both cases outside ASCII: in the texts
    EXPECT_EQ(s.s.Shown.size(), 6);
    EXPECT_GT(s.s.heldTextBytes(), 0);

    const qint64 one = qint64(searchText(page("P0", body + QStringLiteral("Ａ"))).size() * 2);
    PageTextCache cache(3 * one);
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(cache.text(t.path(QStringLiteral("00%1_p.html").arg(i + 10))), nullptr);
        EXPECT_LE(cache.heldBytes(), 3 * one);
    }
    EXPECT_EQ(cache.heldBytes(), 3 * one);
    EXPECT_EQ(cache.text(t.path("missing.html")), nullptr);
}

// A file named like a page but larger than any page (a video, an archive) is
// listed by its name and never read whole: neither its title nor its text
// is taken from it.
TEST(SearchFullText, FilesLargerThanAnyPageAreListedByNameAndNotRead)
{
    TempTree t;
    QByteArray huge = page(QStringLiteral("大きい"), QStringLiteral("カエル"));
    huge += QByteArray(int(store::kLargestPage), ' ');
    t.write("0020_huge.html", huge);
    t.write("0010_a.html", page("A", QStringLiteral("カエル")));
    EXPECT_EQ(ReadPageTitle(t.path("0020_huge.html")).title, QStringLiteral("huge"));
    Session s(t.path());
    s.activate();
    EXPECT_EQ(s.s.Shown.titles.size(), 2);
    s.search(QStringLiteral("カエル"));
    EXPECT_EQ(s.s.Shown.titles, QStringList({"A"}));
}
