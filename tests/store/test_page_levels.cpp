#include "store/page_levels.h"
#include "support/write_bounds.h"
#include "store/files.h"
#include "support/temp_tree.h"
#include "expect_pairs.h"
#include "resource_limits.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QUrl>

using namespace store;

namespace {

const QByteArray kDoctype = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n";

QByteArray page(const QString& title, const QByteArray& charset = "UTF-8")
{
    return kDoctype + "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset="
        + charset + "\">\r\n<TITLE>" + title.toUtf8() + "</TITLE></HEAD><BODY></BODY></HTML>\r\n";
}

void put(const QString& folder, const QString& name, const QByteArray& bytes)
{
    ASSERT_FALSE(TempTree::writeAt(files::joinPath(folder, name), bytes).isEmpty());
}

QByteArray bytesOf(const QString& path)
{
    return files::readBytes(path).value_or(QByteArray());
}

struct LevelsTest : ::testing::Test {
    QTemporaryDir dir;
    PageLevels levels;
    QString root() const { return dir.path(); }
    void SetUp() override
    {
        levels.ExeBaseName = "Pagora";
        levels.WriteBounds = tempBounds();
    }
};

} // namespace

TEST(PageEntries, IndexPagesFirstThenTheOthersAndHiddenNamesNever)
{
    QStringList names = {"1000_a.html", "1010_b.html", "Index.html", "Pagora.html", "_help.html",
                         "a_index.html", "index.html", "x.ht$", "zindex.htm", "Pagora.htm.html"};
    files::sortNames(names);
    EXPECT_EQ(pageEntries(names, "Pagora"),
              QStringList({"index.html", "zindex.htm", "1000_a.html", "1010_b.html", "Index.html",
                           "Pagora.htm.html"}));
}

TEST(PageEntries, BaseNameTitleDropsTheOrderPrefix)
{
    expectPairs(baseNameTitle, {{"1010_Frogs.html", "Frogs"},
                                {"Frogs.html", "Frogs"},
                                {"a_b_c.tar.gz", "b_c.tar"},
                                {"sub\\1000_x.html", "x"},
                                {"/p/README", "README"}});
}

TEST_F(LevelsTest, OpenFolderListsPagesInOrderWithTitles)
{
    put(root(), "index.html", page("Top &lt;1&gt;"));
    put(root(), "1000_a.html", page(""));
    put(root(), "1010_b.html", "<HTML><TITLE>No doctype</TITLE></HTML>");
    put(root(), "_help.html", page("help"));
    put(root(), "a_index.html", page("never"));
    put(root(), "Pagora.html", page("never"));
    put(root(), "1020_pic.JPG", "jpeg");
    put(root(), "notes.txt", "not a page");
    levels.OpenFolder(root() + "/", 2, true);
    EXPECT_EQ(levels.CurrentFolder, root());
    EXPECT_EQ(levels.LastFileCount, 7);
    EXPECT_EQ(levels.topEntries(),
              QStringList({"index.html", "1000_a.html", "1010_b.html", "1020_pic.JPG"}));
    EXPECT_EQ(levels.topTitles(), QStringList({"Top <1>", "a", "b", "pic"}));
    EXPECT_EQ(levels.PBan(), 2);
    EXPECT_EQ(levels.PBanSu(), 4);
    EXPECT_EQ(levels.depth(), 1);
}

TEST_F(LevelsTest, TrailingSeparatorsLoseOnlyOne)
{
    levels.OpenFolder(root() + "//", 0, true);
    EXPECT_EQ(levels.CurrentFolder, root() + "/");
    levels.OpenFolder("/", 0, true);
    EXPECT_EQ(levels.CurrentFolder, "/");
}

TEST_F(LevelsTest, PushReplaceAndPopKeepTheStacksParallel)
{
    QDir(root()).mkdir("sub");
    const QString sub = files::joinPath(root(), "sub");
    put(root(), "a.html", page("A"));
    put(sub, "b.html", page("B"));
    put(sub, "c.html", page("C"));
    levels.OpenFolder(root(), 0, true);
    levels.OpenFolder(sub, 1, true);
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_EQ(levels.MidashiF.size(), 2);
    EXPECT_EQ(levels.MidashiT.size(), 2);
    EXPECT_EQ(levels.topTitles(), QStringList({"B", "C"}));
    put(sub, "d.html", page("D"));
    levels.OpenFolder(sub, levels.PBan(), false);
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_EQ(levels.PBanSu(), 3);
    EXPECT_EQ(levels.PBan(), 1);

    levels.PopLevel();
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.topEntries(), QStringList({"a.html"}));
    EXPECT_EQ(levels.CurrentFolder, root()); // the level below lists the root again
    levels.PBanSave(99);
    EXPECT_EQ(levels.PBan(), 99); // no range check
    levels.PopLevel();
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.PBan(), 0);

    levels.pushLevel({"x.html", "y.html"}, {"X"}, 1);
    EXPECT_EQ(levels.topTitles(), QStringList({"X", "y"}));
    levels.OpenFolder(sub, 0, true);
    levels.pushLevel({"b.html"}, {"B"}, 0); // a list made inside sub keeps sub
    levels.PopLevel();
    EXPECT_EQ(levels.CurrentFolder, sub);
    levels.PopLevel();
    EXPECT_EQ(levels.CurrentFolder, root());
    levels.clear();
    EXPECT_EQ(levels.PBan(), -1);
    EXPECT_EQ(levels.PBanSu(), 0);
    levels.PBanSave(3);
    EXPECT_EQ(levels.depth(), 0);
    levels.PopLevel();
    EXPECT_EQ(levels.depth(), 0);
}

TEST_F(LevelsTest, UnlistableFolderGivesAnEmptyLevelNotTheOldOne)
{
    put(root(), "a.html", page("A"));
    levels.OpenFolder(root(), 0, true);
    const QString gone = files::joinPath(root(), "missing");
    levels.OpenFolder(gone, 0, true);
    EXPECT_EQ(levels.CurrentFolder, gone);
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_TRUE(levels.topEntries().isEmpty());
    EXPECT_TRUE(levels.topTitles().isEmpty());
    EXPECT_EQ(levels.LastFileCount, 0);
    EXPECT_EQ(levels.PBan(), 0);
}

TEST_F(LevelsTest, ShiftJisPageIsConvertedOnceAndUtf8PagesNeverRewritten)
{
    const QByteArray sjis = files::encodeShiftJis(QString::fromUtf8(page("かえる", "shift_jis")));
    put(root(), "1000_frog.html", sjis);
    const QByteArray utf8 = page("説明 Shift_JIS の話", "Shift_JIS");
    put(root(), "1010_talk.html", utf8);
    const QByteArray bom = "\xEF\xBB\xBF" + page("BOM", "SHIFT_JIS");
    put(root(), "1020_bom.html", bom);
    levels.OpenFolder(root(), 0, true);
    // UTF-8 bytes under a Shift_JIS declaration are shown as Shift_JIS, which
    // they are not: the page gets its name, as it does in the editor.
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる", "talk", "BOM"}));

    const QByteArray converted = bytesOf(files::joinPath(root(), "1000_frog.html"));
    EXPECT_TRUE(converted.startsWith("\xEF\xBB\xBF"));
    const QString text = files::decodeUtf8(converted);
    EXPECT_TRUE(text.contains("charset=UTF-8\""));
    EXPECT_FALSE(text.contains("shift_jis", Qt::CaseInsensitive));
    EXPECT_TRUE(text.contains("<TITLE>かえる</TITLE>"));
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1010_talk.html")), utf8);
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1020_bom.html")), bom);

    levels.OpenFolder(root(), 0, false); // a second listing leaves it alone
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1000_frog.html")), converted);
}

TEST_F(LevelsTest, ShiftJisPageThatCannotBeSavedKeepsItsBytesAndGetsItsBaseNameTitle)
{
    const QByteArray sjis = files::encodeShiftJis(QString::fromUtf8(page("かえる", "Shift_JIS")));
    put(root(), "1000_frog.html", sjis);
    withFileSizeLimit(16, [&](bool limited) { // the disk is full
        ASSERT_TRUE(limited);
        levels.OpenFolder(root(), 0, true);
    });
    EXPECT_EQ(levels.topTitles(), QStringList({"frog"}));
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1000_frog.html")), sjis);
}

TEST_F(LevelsTest, OnlyTheDeclarationIsTurnedIntoUtf8)
{
    const QString text = QString::fromUtf8(kDoctype) + QStringLiteral("<!-- was sHiFt_JiS -->")
        + QString::fromUtf8(page("かえる", "Shift_JIS"));
    put(root(), "frog.html", files::encodeShiftJis(text));
    levels.OpenFolder(root(), 0, true);
    const QString converted = files::decodeUtf8(bytesOf(files::joinPath(root(), "frog.html")));
    EXPECT_TRUE(converted.contains("<!-- was sHiFt_JiS -->"));
    EXPECT_TRUE(converted.contains("charset=UTF-8\""));
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる"}));
}

TEST_F(LevelsTest, PagesThatMerelyMentionShiftJisStayByteForByte)
{
    // windows-1252 text, undeclared and declared, saying "Shift_JIS".
    const QByteArray cafe = kDoctype + "<HTML><HEAD><TITLE>Caf\xE9 cr\xE8me</TITLE></HEAD>"
        "<BODY>used Shift_JIS</BODY></HTML>\r\n";
    put(root(), "1000_cafe.html", cafe);
    const QByteArray latin = page("x", "windows-1252").replace("<TITLE>x", "<TITLE>Caf\xE9 used Shift_JIS");
    put(root(), "1010_latin.html", latin);
    // EUC-JP naming Shift_JIS in a comment.
    QStringEncoder euc("EUC-JP");
    const QByteArray eucPage = QByteArray(page("", "EUC-JP")).replace(
        "<TITLE>", "<!-- from Shift_JIS --><TITLE>" + QByteArray(euc.encode(QStringLiteral("かえるの一生"))));
    put(root(), "1020_euc.html", eucPage);
    const QByteArray utf8 = page("説明", "shift_jis");
    put(root(), "1030_utf8.html", utf8);
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1000_cafe.html")), cafe);
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1010_latin.html")), latin);
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1020_euc.html")), eucPage);
    EXPECT_EQ(bytesOf(files::joinPath(root(), "1030_utf8.html")), utf8);
    // Titles are read in the declared charset; a page that decodes no way
    // (UTF-8 bytes declared Shift_JIS) gets its name.
    EXPECT_EQ(levels.topTitles(),
              QStringList({"cafe", "Café used Shift_JIS", "かえるの一生", "utf8"}));
}

TEST_F(LevelsTest, PagesOverTheEditorsLimitAreListedByName)
{
    const QString big = files::joinPath(root(), "1000_big.html");
    put(root(), "1000_big.html", page("Big"));
    ASSERT_TRUE(QFile::resize(big, 17 * 1024 * 1024));
    const QByteArray filler = QByteArray("<P>x</P>\r\n").repeated(100000);
    put(root(), "1010_late.html", kDoctype + filler + "<TITLE>Late</TITLE>");
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(levels.topTitles(), QStringList({"big", "Late"}));
}

TEST_F(LevelsTest, ShiftJisPageWithoutDeclarationKeepsItsBytes)
{
    const QByteArray sjis = files::encodeShiftJis(QString::fromUtf8(page("かえる", "x-none")));
    put(root(), "frog.html", sjis);
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる"}));
    EXPECT_EQ(bytesOf(files::joinPath(root(), "frog.html")), sjis);
}

TEST_F(LevelsTest, MarkedPageWithBrokenBytesIsReadAsUtf8AndNeverConverted)
{
    const QByteArray marked = "\xEF\xBB\xBF" + page("かえる", "Shift_JIS") + "\x82\xA0\xFF\r\n";
    put(root(), "frog.html", marked);
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる"}));
    EXPECT_EQ(bytesOf(files::joinPath(root(), "frog.html")), marked);
}

TEST_F(LevelsTest, LargePagesAndLowerCaseTagsGiveTheirTitles)
{
    const QByteArray filler = QByteArray("<P>x</P><BR>\r\n").repeated(5000);
    put(root(), "1000_big.html", kDoctype + filler + "<title>Big</Title>" + filler);
    const QString sjisText = QString::fromUtf8(page("大きい", "Shift_JIS") + filler);
    put(root(), "1010_sjis.html", files::encodeShiftJis(sjisText));
    put(root(), "1020_dotless.html", kDoctype + "<T\xC4\xB1tle>i</TITLE>"); // U+0131 upper-cases to I
    put(root(), "1030_open.html", kDoctype + "<TITLE>no end");
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(levels.topTitles(), QStringList({"Big", "大きい", "i", "open"}));
    EXPECT_TRUE(bytesOf(files::joinPath(root(), "1010_sjis.html")).startsWith("\xEF\xBB\xBF"));
}

TEST_F(LevelsTest, FolderNamesWithColonsOrBackslashesListTheSame)
{
    for (const char* name : {"a:b", "http:", "back\\slash"}) {
        const QString folder = files::joinPath(root(), name);
        ASSERT_TRUE(QDir(root()).mkdir(name));
        put(folder, "1000_a.html", page("A"));
        put(folder, "1010_b.jpg", "jpeg");
        levels.OpenFolder(folder, 0, true);
        EXPECT_EQ(levels.topTitles(), QStringList({"A", "b"})) << name;
    }
}

TEST_F(LevelsTest, TiteleLoadRereadsOneTitleKeepingItEscaped)
{
    put(root(), "1000_a.html", page("Old"));
    levels.OpenFolder(root(), 0, true);
    put(root(), "1000_a.html", page("New &lt;b&gt;"));
    levels.TiteleLoad(0, QUrl::fromLocalFile(root() + "/1000_a.html").toString());
    EXPECT_EQ(levels.topTitles(), QStringList({"New &lt;b&gt;"}));

    put(root(), "1000_a.html", page("Web"));
    levels.TiteleLoad(0, "https://example.org/");
    EXPECT_EQ(levels.topTitles(), QStringList({"New &lt;b&gt;"}));
    levels.TiteleLoad(5, "");
    levels.TiteleLoad(-1, "");
    EXPECT_EQ(levels.topTitles().size(), 1);

    QFile::remove(files::joinPath(root(), "1000_a.html"));
    levels.TiteleLoad(0, ""); // a read failure: the base-name rule
    EXPECT_EQ(levels.topTitles(), QStringList({"a"}));

    put(root(), "e.html", kDoctype + "<TITLE></TITLE>");
    levels.OpenFolder(root(), 0, false);
    levels.TiteleLoad(0, "");
    EXPECT_EQ(levels.topTitles(), QStringList({""})); // an empty title stays empty here
}

TEST_F(LevelsTest, Utf16PageIsReadByItsByteOrderMark)
{
    const QString text = QString::fromUtf8(page("かえる"));
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    put(root(), "frog.html", utf16);
    levels.OpenFolder(root(), 0, true);
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる"}));
    levels.TiteleLoad(0, "");
    EXPECT_EQ(levels.topTitles(), QStringList({"かえる"}));
}

TEST_F(LevelsTest, TiteleLoadFindsEntriesOfSearchLevelsInSubFolders)
{
    QDir(root()).mkdir("sub");
    put(files::joinPath(root(), "sub"), "x.html", page("X"));
    levels.CurrentFolder = root();
    levels.pushLevel({"sub\\x.html"}, {"old"}, 0);
    levels.TiteleLoad(0, "");
    EXPECT_EQ(levels.topTitles(), QStringList({"X"}));
}

TEST_F(LevelsTest, DriveLetterEntryNamesNoFileEvenBesideTheCurrentDirectory)
{
    QDir(root()).mkdir("C:");
    put(files::joinPath(root(), "C:"), "e.html", page("Wrong"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(root());
    levels.CurrentFolder = files::joinPath(root(), "elsewhere");
    levels.pushLevel({"C:\\e.html"}, {"old"}, 0);
    levels.TiteleLoad(0, "");
    const QStringList built = levels.BuildPageTitles(levels.topEntries());
    QDir::setCurrent(cwd);
    EXPECT_EQ(levels.topTitles(), QStringList({"e"}));
    EXPECT_EQ(built, QStringList({"e"}));
}

TEST_F(LevelsTest, EntriesResolveAndTheCurrentPageIsFound)
{
    levels.CurrentFolder = "/data/sub";
    levels.pushLevel({"a.html", "deep\\b.html", "/abs/c.html", "http://x.org/d", "C:\\e.html",
                      "file:///f%20g.html"},
                     {}, 0);
    EXPECT_EQ(levels.entryPath(0), "/data/sub/a.html");
    EXPECT_EQ(levels.entryPath(1), "/data/sub/deep/b.html");
    EXPECT_EQ(levels.entryPath(2), "/abs/c.html");
    EXPECT_EQ(levels.entryPath(3), "http://x.org/d");
    EXPECT_EQ(levels.entryPath(4), "C:/e.html");
    EXPECT_EQ(levels.entryPath(5), "/f g.html");
    EXPECT_EQ(levels.entryPath(6), "");

    // A known page is found by the file its entry stands for, whatever its name stem.
    EXPECT_EQ(levels.indexOfPath("/data/sub/deep/b.html"), 1);
    EXPECT_EQ(levels.indexOfPath("/data/sub/./deep//b.html"), 1);
    EXPECT_EQ(levels.indexOfPath("/f g.html"), 5);
    EXPECT_EQ(levels.indexOfPath("/data/sub/b.html"), -1);
    EXPECT_EQ(levels.indexOfPath(""), -1);

    EXPECT_EQ(levels.IsCurrentPage("file:///data/sub/a.html"), 1);
    EXPECT_EQ(levels.IsCurrentPage("file:///x/data/sub/a.html"), 3);
    EXPECT_EQ(levels.IsCurrentPage("file:///data/sub/z.html"), 0);
    EXPECT_EQ(levels.IsCurrentPage("http://x.org/data/sub/a.html"), 0);
    levels.PBanSave(1);
    EXPECT_EQ(levels.IsCurrentPage("file:///data/sub/deep/b.html"), 1);
    levels.PBanSave(40);
    EXPECT_EQ(levels.IsCurrentPage("file:///data/sub/a.html"), 0);
    levels.clear();
    EXPECT_EQ(levels.IsCurrentPage("file:///data/sub/a.html"), -1);
}
