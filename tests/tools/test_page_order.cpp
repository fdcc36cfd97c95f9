// Page order: the renumbering and prefix-removal plans read before anything
// moves, the executor on a temporary folder, and the commands on a window.
#include "tools/page_order.h"
#include "tools/page_order_run.h"

#include "support/raw_names.h"
#include "support/temp_tree.h"
#include "viewer/page_display_fixture.h"
#include "store/files.h"
#include "store/page_encoding.h"

#include <QElapsedTimer>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QStringEncoder>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

using namespace tools;

namespace {

QStringList pairs(const RenamePlan& plan)
{
    QStringList out;
    for (const RenameUnit& u : plan.units) {
        out << u.page.from + " > " + u.page.to;
        for (const RenameStep& c : u.companions)
            out << "  " + c.from + " > " + c.to;
    }
    return out;
}

QStringList filesIn(const TempTree& t)
{
    return files::listFiles(t.path(), "*.*");
}

} // namespace

TEST(PageOrderPlan, MovedPageGetsItsPlaceWithMemoAndRecording)
{
    TempTree t;
    for (const char* n : {"a_x.html", "b_y.html", "c_z.html", "a_x.%xt", "b_y.wav", "c_z.%xt", "c_z.wav"})
        t.write(n);
    const QStringList order = moveEntry({"a_x.html", "b_y.html", "c_z.html"}, 2, 1);
    EXPECT_EQ(order, QStringList({"a_x.html", "c_z.html", "b_y.html"}));
    const RenamePlan plan = planRenumber(t.path(), order);
    EXPECT_EQ(pairs(plan), QStringList({"a_x.html > 1000_x.html", "  a_x.%xt > 1000_x.%xt",
                                        "c_z.html > 1010_z.html", "  c_z.%xt > 1010_z.%xt", "  c_z.wav > 1010_z.wav",
                                        "b_y.html > 1020_y.html", "  b_y.wav > 1020_y.wav"}));
    EXPECT_TRUE(plan.clashes.isEmpty());
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(filesIn(t), QStringList({"1000_x.%xt", "1000_x.html", "1010_z.%xt", "1010_z.html", "1010_z.wav",
                                       "1020_y.html", "1020_y.wav"}));
}

TEST(PageOrderPlan, PrefixRulesIndexPagesAndLongFolders)
{
    EXPECT_EQ(orderPrefix("my_page.html"), "my_");
    EXPECT_EQ(orderPrefix("_intro.html"), "");
    EXPECT_EQ(orderPrefix("plain.html"), "");
    TempTree t;
    for (const char* n : {"index.html", "my_page.html", "_intro.html", "1010_same.html"})
        t.write(n);
    const RenamePlan plan = planRenumber(t.path(), {"index.html", "_intro.html", "my_page.html", "1010_same.html"});
    EXPECT_EQ(pairs(plan), QStringList({"_intro.html > 1010__intro.html", "my_page.html > 1020_page.html",
                                        "1010_same.html > 1030_same.html"}));
    // Beyond 900 pages every number gets five digits, so the sorted list keeps the order.
    EXPECT_EQ(orderNumber(0, 900), 1000);
    EXPECT_EQ(orderNumber(899, 900), 9990);
    EXPECT_EQ(orderNumber(0, 901), 10000);
    EXPECT_LT(files::compareNames(QString::number(orderNumber(899, 1000)) + "_a.html",
                                  QString::number(orderNumber(900, 1000)) + "_b.html"), 0);
    // Beyond 9,000 pages every number gets six digits, beyond 90,000 seven.
    for (int count : {9000, 9001, 20000, 90001}) {
        const QString first = QString::number(orderNumber(0, count));
        const QString last = QString::number(orderNumber(count - 1, count));
        EXPECT_EQ(first.size(), last.size()) << count;
        for (int i : {8999, 9000, 9999, 89999, 90000})
            if (i + 1 < count) {
                EXPECT_LT(files::compareNames(QString::number(orderNumber(i, count)) + "_y.html",
                                              QString::number(orderNumber(i + 1, count)) + "_x.html"), 0)
                    << count << " " << i;
            }
    }
    EXPECT_EQ(orderNumber(0, 9000), 10000);
    EXPECT_EQ(orderNumber(9000, 9001), 190000);
}

TEST(PageOrderPlan, TakenTargetsAreClashesAndNothingIsReplaced)
{
    TempTree t;
    t.write("a_x.html", "page x");
    t.write("b_y.html", "page y");
    t.write("1010_y.%xt", "someone else's memo");
    const RenamePlan plan = planRenumber(t.path(), {"a_x.html", "b_y.html"});
    EXPECT_EQ(pairs(plan), QStringList({"a_x.html > 1000_x.html"}));
    ASSERT_EQ(plan.clashes.size(), 1);
    EXPECT_TRUE(plan.clashes.first().contains("b_y.html"));
    EXPECT_EQ(executeRenamePlan(plan).failures.size(), 1);
    EXPECT_EQ(filesIn(t), QStringList({"1000_x.html", "1010_y.%xt", "b_y.html"}));
    EXPECT_EQ(files::readBytes(t.path("1010_y.%xt")).value(), "someone else's memo");
}

TEST(PageOrderPlan, PagesTradingNamesBothArrive)
{
    TempTree t;
    t.write("1000_x.html", "first");
    t.write("1010_x.html", "second");
    t.write("1010_x.%xt", "memo of second");
    const QStringList order = moveEntry({"1000_x.html", "1010_x.html"}, 1, 0);
    const RenamePlan plan = planRenumber(t.path(), order);
    EXPECT_TRUE(plan.clashes.isEmpty());
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("1000_x.html")).value(), "second");
    EXPECT_EQ(files::readBytes(t.path("1000_x.%xt")).value(), "memo of second");
    EXPECT_EQ(files::readBytes(t.path("1010_x.html")).value(), "first");
    EXPECT_EQ(filesIn(t).size(), 3);
}

TEST(PageOrderRun, RenamedPicturesAreRenamedInThePagesToo)
{
    TempTree t;
    t.write("1000_季節の花.html", "<IMG src=\"flower.png\"><A href=\"FLOWER.PNG\">大きく</A><IMG src=\"leaf.png\">");
    t.write("flower.png", "png");
    t.write("leaf.png", "not an entry: keeps its name");
    t.write("_notes.html", "<IMG src=\"flower.png\">"); // a page the list does not show still follows
    const RenamePlan plan = planRenumber(t.path(), {"1000_季節の花.html", "flower.png"});
    EXPECT_EQ(pairs(plan), QStringList({"flower.png > 1010_flower.png"}));
    EXPECT_TRUE(carryOutRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("1000_季節の花.html")).value(),
              QStringLiteral("<IMG src=\"1010_flower.png\"><A href=\"1010_flower.png\">大きく</A><IMG src=\"leaf.png\">").toUtf8());
    EXPECT_EQ(files::readBytes(t.path("_notes.html")).value(), "<IMG src=\"1010_flower.png\">");
    EXPECT_EQ(files::readBytes(t.path("1010_flower.png")).value(), "png");
}

TEST(PageOrderRun, PagesLeftAloneAreNamedWhenTheyShowAMovedPictureInTheirOwnCharset)
{
    TempTree t;
    t.write("1000_a.html", "<P>a</P>");
    t.write(QStringLiteral("花.png"), "png");
    QStringEncoder euc("EUC-JP");
    t.write("_old.html", "<META charset=\"EUC-JP\"><IMG src=\"" + QByteArray(euc.encode(QStringLiteral("花.png")))
                             + "\">");
    t.write("_other.html", "<META charset=\"EUC-JP\"><IMG src=\"leaf.png\">\xA4\xA2");
    const RenamePlan plan = planRenumber(t.path(), {"1000_a.html", QStringLiteral("花.png")});
    ASSERT_EQ(plan.units.size(), 1);
    const QStringList failures = carryOutRenamePlan(plan).failures;
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains(t.path("_old.html")));
}

TEST(PageOrderRun, AnswerSheetAndDrawingFollowThePage)
{
    TempTree t;
    t.write("_intro.html", "intro");
    t.write("__intro.csv", "answers");
    t.write("_%intro.bmp", "drawing");
    t.write("b_quiz.html", "quiz");
    t.write("_b_quiz.csv", "quiz answers");
    t.write("_%quiz.bmp", "quiz drawing"); // "b_quiz" and "1010_quiz" draw into the same file: it stays
    const RenamePlan plan = planRenumber(t.path(), {"_intro.html", "b_quiz.html"});
    EXPECT_EQ(pairs(plan), QStringList({"_intro.html > 1000__intro.html", "  __intro.csv > _1000__intro.csv",
                                        "  _%intro.bmp > _%_intro.bmp", "b_quiz.html > 1010_quiz.html",
                                        "  _b_quiz.csv > _1010_quiz.csv"}));
    EXPECT_TRUE(carryOutRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("_1000__intro.csv")).value(), "answers");
    EXPECT_EQ(files::readBytes(t.path("_%_intro.bmp")).value(), "drawing");
    EXPECT_EQ(files::readBytes(t.path("_1010_quiz.csv")).value(), "quiz answers");
    EXPECT_EQ(files::readBytes(t.path("_%quiz.bmp")).value(), "quiz drawing");
}

TEST(PageOrderRun, ATakenAnswerSheetNameKeepsThePageWhole)
{
    TempTree t;
    t.write("a_x.html", "x");
    t.write("_a_x.csv", "x answers");
    t.write("_1000_x.csv", "answers of a page that is gone");
    const RenamePlan plan = planRenumber(t.path(), {"a_x.html"});
    EXPECT_TRUE(plan.units.isEmpty());
    EXPECT_EQ(carryOutRenamePlan(plan).failures.size(), 1);
    EXPECT_EQ(filesIn(t), QStringList({"_1000_x.csv", "_a_x.csv", "a_x.html"}));
}

TEST(PageOrderRun, NoTwoPagesEndWithOnePrefix)
{
    TempTree t;
    t.write("a.html", "a");
    t.write("1000_b.html", "b");
    t.write("1010_b.%xt", "a memo of a page that is gone"); // b cannot become 1010_b and stays 1000_b
    t.write("1010_index.html", "index pages keep their names");
    t.write("c.html", "c");
    const QStringList entries{"a.html", "1000_b.html", "c.html", "1010_index.html"};
    const RenamePlan plan = planRenumber(t.path(), entries);
    EXPECT_EQ(pairs(plan), QStringList({"c.html > 1020_c.html"}));
    const QStringList failures = carryOutRenamePlan(plan).failures;
    EXPECT_EQ(failures.size(), 2);
    QSet<QString> prefixes;
    for (const QString& name : files::listFiles(t.path(), "*.html")) {
        EXPECT_FALSE(prefixes.contains(orderPrefix(name))) << qPrintable(name);
        if (!orderPrefix(name).isEmpty())
            prefixes.insert(orderPrefix(name));
    }
    EXPECT_EQ(files::listFiles(t.path(), "*.html"),
              QStringList({"1000_b.html", "1010_index.html", "1020_c.html", "a.html"}));
}

TEST(PageOrderRun, EveryUnitIsOneStepOfProgressAndRingsAreBroken)
{
    TempTree t;
    QStringList entries;
    for (int i = 0; i < 6; ++i) {
        entries << QStringLiteral("%1_p.html").arg(1000 + 10 * i);
        t.write(entries.last(), QByteArray::number(i));
    }
    // Every page takes the name of the one before it: one long ring.
    const RenamePlan plan = planRenumber(t.path(), moveEntry(entries, 5, 0));
    int steps = 0;
    const RenameOutcome outcome = executeRenamePlan(plan, [&] { ++steps; });
    EXPECT_TRUE(outcome.failures.isEmpty());
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(files::readBytes(t.path("1000_p.html")).value(), "5");
    EXPECT_EQ(files::readBytes(t.path("1050_p.html")).value(), "4");
    EXPECT_EQ(filesIn(t).size(), 6);
    // Each page of the ring says where it went, the one that stepped aside too.
    EXPECT_EQ(outcome.nameAfter("1050_p.html"), "1000_p.html");
    EXPECT_EQ(outcome.nameAfter("1000_p.html"), "1010_p.html");
    EXPECT_EQ(outcome.nameAfter("1040_p.html"), "1050_p.html");
    EXPECT_EQ(outcome.nameAfter("other.html"), "other.html");
}

TEST(PageOrderRun, AnyNewOrderOfPagesSharingOneNameArrivesWhole)
{
    // Pages that differ only in their numbers wait for, and ring with, each other.
    for (int seed = 1; seed <= 20; ++seed) {
        TempTree t;
        QStringList entries;
        int memos = 0;
        for (int i = 0; i < 8; ++i) {
            entries << QStringLiteral("%1_p.html").arg(1000 + 10 * i);
            t.write(entries.last(), QByteArray::number(i));
            if ((i + seed) % 3 == 0 && ++memos)
                t.write(QStringLiteral("%1_p.%xt").arg(1000 + 10 * i), "memo " + QByteArray::number(i));
        }
        QStringList order = entries;
        std::mt19937 random(seed);
        std::shuffle(order.begin(), order.end(), random);
        EXPECT_TRUE(executeRenamePlan(planRenumber(t.path(), order)).failures.isEmpty());
        for (int place = 0; place < 8; ++place) {
            const QByteArray was = QByteArray::number(entries.indexOf(order.at(place)));
            const QString base = QString::number(1000 + 10 * place) + "_p";
            EXPECT_EQ(files::readBytes(t.path(base + ".html")).value_or(""), was) << seed;
            if ((was.toInt() + seed) % 3 == 0) {
                EXPECT_EQ(files::readBytes(t.path(base + ".%xt")).value_or(""), "memo " + was) << seed;
            }
        }
        EXPECT_EQ(filesIn(t).size(), 8 + memos) << seed;
    }
}

TEST(StripPrefixPlan, TakenNamesGetHashesAndNoMemoIsDeleted)
{
    TempTree t;
    for (const char* n : {"1000_a.html", "a.html", "1000_a.%xt", "1000_a.wav", "1010_b.html", "b.%xt", "c.html",
                          "c.%xt"})
        t.write(n, n);
    const RenamePlan plan = planStripPrefixes(t.path(), {"1000_a.html", "1010_b.html", "a.html", "c.html"});
    EXPECT_EQ(pairs(plan), QStringList({"1000_a.html > a#.html", "  1000_a.%xt > a#.%xt", "1010_b.html > b#.html"}));
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("b.%xt")).value(), "b.%xt"); // another page's memo stays
    EXPECT_EQ(files::readBytes(t.path("a#.%xt")).value(), "1000_a.%xt");
    EXPECT_TRUE(QFileInfo::exists(t.path("1000_a.wav")));
    EXPECT_EQ(files::readBytes(t.path("c.%xt")).value(), "c.%xt"); // a page without prefix keeps its memo
}

TEST(StripPrefixPlan, TwoPagesWithTheSameNameDoNotMeet)
{
    TempTree t;
    t.write("1000_a.html", "one");
    t.write("1010_a.html", "two");
    const RenamePlan plan = planStripPrefixes(t.path(), {"1000_a.html", "1010_a.html"});
    EXPECT_EQ(pairs(plan), QStringList({"1000_a.html > a.html", "1010_a.html > a#.html"}));
    EXPECT_TRUE(executeRenamePlan(plan).failures.isEmpty());
    EXPECT_EQ(files::readBytes(t.path("a#.html")).value(), "two");
}

class PageOrderWindowTest : public PageDisplayTest {};

TEST_F(PageOrderWindowTest, RenumberingReloadsTheListInTheChosenOrder)
{
    writePage("a_x.html", "x");
    writePage("b_y.html", "y");
    writePage("c_z.html", "z");
    writeFile(rootFile("c_z.wav"));
    TForm1& w = start();
    w.PBanSave(2);
    w.SearchCacheKey = "kept";
    MovePageAndRenumber(w, 2, 1);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"1000_x.html", "1010_z.html", "1020_y.html"}));
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_EQ(w.SearchCacheKey, "xxx");
    EXPECT_TRUE(QFileInfo::exists(rootFile("1010_z.wav")));
}

TEST_F(PageOrderWindowTest, TheMovedPageIsShownWhereverItsNewNameSorts)
{
    // The index page keeps its name and is listed first, so the moved
    // page's place in the list is not the place it was given.
    writePage("a.html", "a");
    writePage("b.html", "b");
    writePage("index.html", "i");
    TForm1& w = start();
    ASSERT_EQ(w.levels.topEntries(), QStringList({"index.html", "a.html", "b.html"}));
    w.PBanSave(2);
    MovePageAndRenumber(w, 2, 0);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"index.html", "1000_b.html", "1020_a.html"}));
    EXPECT_EQ(w.PBan(), 1);
}

TEST_F(PageOrderWindowTest, SearchListsAreNotReordered)
{
    writePage("a_x.html", "x");
    writePage("b_y.html", "y");
    TForm1& w = start();
    w.levels.pushLevel({"b_y.html"}, {"y"}, 0);
    platform::clearEvents();
    ChangeButtonOrder(w);
    StripNumberPrefixes(w);
    int messages = 0;
    for (const platform::SeamEvent& e : platform::events())
        messages += e.kind == "message";
    EXPECT_EQ(messages, 2);
    EXPECT_TRUE(QFileInfo::exists(rootFile("a_x.html")));
    EXPECT_TRUE(QFileInfo::exists(rootFile("b_y.html")));
}

TEST_F(PageOrderWindowTest, PrefixRemovalAsksFirst)
{
    writePage("1000_a.html", "a");
    TForm1& w = start();
    StripNumberPrefixes(w); // unanswered: No
    EXPECT_TRUE(QFileInfo::exists(rootFile("1000_a.html")));
    platform::setNextAnswer(platform::Answer::Yes);
    StripNumberPrefixes(w);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"a.html"}));
}

TEST_F(PageOrderWindowTest, UnreadableNamesAreLeftOutAndTheFolderNamedOnce)
{
    writePage("1040_a.html", "a");
    writePage("1070_b.html", "b");
    RawNames raw(root());
    raw.file("1050_\x83\x65\x83\x58.html"); // Shift_JIS bytes from a Windows archive
    raw.file("1060_\xff.html");
    platform::clearEvents();
    TForm1& w = start();
    EXPECT_EQ(w.levels.topEntries(), QStringList({"1040_a.html", "1070_b.html"}));
    w.PBanSave(1);
    MovePageAndRenumber(w, 1, 0);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"1000_b.html", "1010_a.html"}));
    QStringList messages;
    for (const platform::SeamEvent& e : platform::events())
        if (e.kind == "message")
            messages << e.text;
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(root()));
}

TEST_F(PageOrderWindowTest, PicturesRenamedByRenumberingKeepTheirPlaceInShiftJisPages)
{
    // Pages from Japanese Windows: one with no declaration, one naming an
    // alias of Shift_JIS that the listing leaves as it is.
    const QString body = QStringLiteral("<HTML><HEAD><TITLE>季節の花</TITLE></HEAD><BODY>"
                                        "<IMG src=\"flower.png\">さくら</BODY></HTML>\r\n");
    writeFile(rootFile("a_x.html"), files::encodeShiftJis(body));
    writeFile(rootFile("b_y.html"),
              files::encodeShiftJis(QStringLiteral("<META charset=\"x-sjis\">") + body));
    writeFile(rootFile("flower.png"), "png");
    TForm1& w = start();
    ASSERT_EQ(w.levels.topEntries(), QStringList({"a_x.html", "b_y.html", "flower.png"}));
    platform::clearEvents();
    MovePageAndRenumber(w, 1, 0);
    ASSERT_TRUE(QFileInfo::exists(rootFile("1020_flower.png")));
    for (const char* page : {"1000_y.html", "1010_x.html"}) {
        const std::optional<QString> text = store::readPageText(rootFile(page));
        ASSERT_TRUE(text) << page;
        EXPECT_TRUE(text->contains(QStringLiteral("<IMG src=\"1020_flower.png\">さくら"))) << page;
        EXPECT_TRUE(text->contains(QStringLiteral("<TITLE>季節の花</TITLE>"))) << page;
    }
    for (const platform::SeamEvent& e : platform::events())
        EXPECT_NE(e.kind, "message") << e.text.toStdString();
}

TEST_F(PageOrderWindowTest, PicturesRenamedByRenumberingKeepTheirPlaceInPagesOfOtherFolders)
{
    writePage("0010_top.html", "top");
    writeFile(rootFile("0010_top.html"), page("top") + "<IMG src=\"sub/flower.png\"><IMG src=\"flower.png\">");
    writeFile(rootFile("flower.png"), "another picture of the same name");
    writeFile(rootFile("sub/a_x.html"), page("x") + "<IMG src=\"flower.png\">");
    writePage("sub/b_y.html", "y");
    writeFile(rootFile("sub/flower.png"), "png");
    writeFile(rootFile("sub/deeper/0010_d.html"), page("d") + "<IMG src=\"../flower.png\">");
    TForm1& w = start();
    w.OpenFolder(rootFile("sub"), 0, true);
    ASSERT_EQ(w.levels.topEntries(), QStringList({"a_x.html", "b_y.html", "flower.png"}));
    w.PBanSave(1);
    MovePageAndRenumber(w, 1, 0);
    ASSERT_TRUE(QFileInfo::exists(rootFile("sub/1020_flower.png")));
    EXPECT_TRUE(TempTree::readAt(rootFile("sub/1010_x.html")).contains("<IMG src=\"1020_flower.png\">"));
    EXPECT_TRUE(TempTree::readAt(rootFile("sub/deeper/0010_d.html")).contains("<IMG src=\"../1020_flower.png\">"));
    EXPECT_TRUE(TempTree::readAt(rootFile("0010_top.html"))
                    .contains("<IMG src=\"sub/1020_flower.png\"><IMG src=\"flower.png\">"));
}

TEST_F(PageOrderWindowTest, RenamingKeepsTheSelectedPageSelected)
{
    // Without their numbers the pages sort the other way round.
    writePage("1000_b.html", "b");
    writePage("1010_a.html", "a");
    TForm1& w = start();
    showPage(w, 1);
    platform::setNextAnswer(platform::Answer::Yes);
    StripNumberPrefixes(w);
    ASSERT_EQ(w.levels.topEntries(), QStringList({"a.html", "b.html"}));
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
}

TEST_F(PageOrderWindowTest, TheWindowKeepsAnsweringWhileTheFolderIsReadAgain)
{
    // A folder of 100,000 pages takes seconds to read: here the reading is
    // made slow instead, and a timer on the window's thread must keep ticking.
    for (int i = 0; i < 300; ++i)
        writePage(QStringLiteral("p%1.html").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("t%1").arg(i));
    TForm1& w = start();
    w.PBanSave(299);
    setBeforeRereadingForTests([] { QThread::msleep(400); });
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = qMax(longest, sinceTick.restart()); });
    tick.start(10);
    sinceTick.start();
    MovePageAndRenumber(w, 299, 0);
    longest = qMax(longest, sinceTick.elapsed());
    setBeforeRereadingForTests({});
    EXPECT_LT(longest, 250);
    ASSERT_EQ(w.levels.PBanSu(), 300);
    EXPECT_EQ(w.levels.topEntries().first(), "1000_p299.html");
    EXPECT_EQ(w.levels.topTitles().first(), "t299");
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(w.levels.depth(), 1);
}
