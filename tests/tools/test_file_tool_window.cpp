// The file tool window and the main-window commands that fill it: delete
// to the trash with one question, picture renaming with its references,
// the clean-up of unlinked files and the copy or move of a page.
#include "tools_window_fixture.h"

#include "support/temp_tree.h"
#include "support/write_bounds.h"
#include "tools/file_tool_commands.h"
#include "tools/forms/form3.h"

#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <memory>

namespace {

QString trashed(const QString& name)
{
    return files::joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                           "Trash/files/" + name);
}

} // namespace

class FileToolTest : public ToolsWindowTest {
protected:
    void TearDown() override
    {
        delete Form3;
        ToolsWindowTest::TearDown();
    }
    TForm3& tool()
    {
        if (!Form3)
            Form3 = new TForm3;
        Form3->WriteBounds = tempBounds();
        return *Form3;
    }
    void deselect(const QString& path)
    {
        const auto items = tool().ListBox1->findItems(path, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        items.first()->setSelected(false);
    }
};

TEST_F(FileToolTest, DeletesExactlyTheSelectedFilesToTheTrash)
{
    TempTree t;
    const QString a = t.write("ft-one.html"), b = t.write("ft-two.png"), c = t.write("ft-three.wav");
    tool().setEntries({a, b, c});
    tool().FormShow();
    EXPECT_EQ(tool().selectedEntries(), QStringList({a, b, c}));
    deselect(b);
    platform::setNextAnswer(platform::Answer::Yes);
    tool().BitBtn1Click();
    const QStringList asked = seamTexts("ask");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(a) && asked[0].contains(c) && !asked[0].contains(b));
    EXPECT_FALSE(t.exists("ft-one.html"));
    EXPECT_FALSE(t.exists("ft-three.wav"));
    EXPECT_TRUE(t.exists("ft-two.png"));
    EXPECT_TRUE(QFileInfo::exists(trashed("ft-one.html")));
    EXPECT_TRUE(QFileInfo::exists(trashed("ft-three.wav")));
    EXPECT_EQ(tool().result(), QDialog::Accepted);
    EXPECT_EQ(tool().ListBox1->count(), 0); // closing empties the list
}

TEST_F(FileToolTest, NoOrNothingSelectedDeletesNothing)
{
    TempTree t;
    const QString a = t.write("a.html");
    tool().setEntries({a});
    tool().FormShow();
    tool().BitBtn1Click(); // the question unanswered counts as No
    EXPECT_TRUE(t.exists("a.html"));
    tool().setEntries({a});
    tool().BitBtn1Click(); // nothing selected: no question, the window closes
    EXPECT_EQ(seamTexts("ask").size(), 1);
    EXPECT_TRUE(t.exists("a.html"));
    EXPECT_EQ(tool().result(), QDialog::Accepted);
}

TEST_F(FileToolTest, LongListsAreSelectedWhole)
{
    TempTree t;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << t.write(QStringLiteral("f%1.png").arg(i));
    tool().setEntries(many);
    tool().FormShow();
    EXPECT_EQ(tool().selectedEntries().size(), 300);
    platform::setNextAnswer(platform::Answer::Yes);
    tool().BitBtn1Click();
    EXPECT_TRUE(t.list().isEmpty());
}

TEST_F(FileToolTest, PicturesGetNumberedNamesAndPagesFollow)
{
    TempTree t;
    const QString page = t.write("p.html", "<IMG src=\"A.JPG\"><IMG src=\"b.png\">");
    const QString a = t.write("a.jpg"), b = t.write("b.png");
    t.write("pic0.jpg");
    tool().setEntries({page, a, b});
    tool().FormShow();
    platform::setNextAnswer(platform::Answer::Yes);
    tool().BitBtn4Click();
    EXPECT_EQ(seamTexts("ask").value(0), QStringLiteral("画像ファイル名を pic+数字に書き換えていいですか"));
    EXPECT_EQ(t.read("p.html"), "<IMG src=\"pic1.jpg\"><IMG src=\"pic0.png\">");
    EXPECT_EQ(tool().entries(), QStringList({page, t.path("pic1.jpg"), t.path("pic0.png")}));
    EXPECT_TRUE(t.exists("pic0.jpg"));
    EXPECT_FALSE(t.exists("a.jpg"));
}

TEST_F(FileToolTest, APageThatCannotBeRewrittenIsNamedBeforeAnyPictureMoves)
{
    TempTree t;
    const QString page = t.write("p.html", "<META charset=\"EUC-JP\"><IMG src=\"a.jpg\">\xA4\xA2");
    const QString a = t.write("a.jpg");
    tool().setEntries({page, a});
    tool().FormShow();
    platform::setNextAnswer(platform::Answer::Yes);
    platform::setNextAnswer(platform::Answer::No);
    tool().BitBtn4Click();
    ASSERT_EQ(seamTexts("ask").size(), 2);
    EXPECT_TRUE(seamTexts("ask").at(1).contains(page));
    EXPECT_TRUE(t.exists("a.jpg"));
    EXPECT_FALSE(t.exists("pic0.jpg"));
}

TEST_F(FileToolTest, RenamingWithoutPicturesOrWithoutYesChangesNothing)
{
    TempTree t;
    const QString page = t.write("p.html", "<IMG src=\"a.jpg\">");
    tool().setEntries({page});
    tool().BitBtn4Click();
    EXPECT_EQ(seamTexts("message").value(0), QStringLiteral("対象とする画像ファイルが見つかりません。"));
    const QString a = t.write("a.jpg");
    tool().setEntries({page, a});
    tool().FormShow();
    tool().BitBtn4Click(); // No
    EXPECT_TRUE(t.exists("a.jpg"));
    EXPECT_EQ(t.read("p.html"), "<IMG src=\"a.jpg\">");
}

TEST_F(FileToolTest, ThePageDeleteListsThePageAndItsFilesAndReloads)
{
    put("0010_a.html", page("A", "<IMG src=\"_a.jpg\"><IMG src=\"_shared.jpg\">"));
    put("0020_b.html", page("B", "<IMG src=\"_shared.jpg\">"));
    put("0010_a.wav");
    put("_a.jpg");
    put("_shared.jpg");
    TForm1& w = shown();
    tool();
    w.PBanSave(0);
    tools::DeletePageMenu(w);
    EXPECT_EQ(seamTexts("modal").size(), 1);
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_EQ(tool().windowTitle(), QStringLiteral("HTMLファイルとリンクファイルを削除"));
    EXPECT_TRUE(tool().BitBtn3->isHidden());
    EXPECT_EQ(tool().entries(), QStringList({inRoot("0010_a.html"), inRoot("0010_a.wav"), inRoot("_a.jpg"),
                                             inRoot("_shared.jpg")}));
    // The picture another page uses is offered but not selected.
    EXPECT_EQ(tool().selectedEntries(), QStringList({inRoot("0010_a.html"), inRoot("0010_a.wav"), inRoot("_a.jpg")}));
    EXPECT_EQ(w.SearchCacheKey, "xxx");
    platform::setNextAnswer(platform::Answer::Yes);
    tool().BitBtn1Click();
    EXPECT_FALSE(exists("0010_a.html"));
    EXPECT_FALSE(exists("_a.jpg"));
    EXPECT_TRUE(exists("_shared.jpg"));
}

TEST_F(FileToolTest, ThePageDeleteKeepsWhatPagesOfOtherFoldersShow)
{
    // The pictures lie beside the page; pages of a sub-folder, of the folder
    // above and of a folder beside it show them too, in their own charsets.
    put("a/0010_a.html", page("A", "<IMG src=\"_a.jpg\"><IMG src=\"_below.jpg\"><IMG src=\"_above.jpg\">"
                                  "<IMG src=\"_beside.jpg\">"));
    for (const char* name : {"a/_a.jpg", "a/_below.jpg", "a/_above.jpg", "a/_beside.jpg"})
        put(name);
    put("a/sub/0010_c.html", page("C", "<IMG src=\"../_below.jpg\">"));
    put("0010_top.html", page("Top", "<IMG src=\"a/_above.jpg\">"));
    put("b/0010_d.html", files::encodeShiftJis(QStringLiteral("<HTML><BODY>となり<IMG src=\"../a/_beside.jpg\">"
                                                              "</BODY></HTML>")));
    TForm1& w = shown();
    tool();
    w.OpenFolder(inRoot("a"), 0, true);
    ASSERT_EQ(w.levels.topEntries().value(0), "0010_a.html");
    w.PBanSave(0);
    tools::DeletePageMenu(w);
    EXPECT_EQ(tool().selectedEntries().join(' ').toStdString(),
              QStringList({inRoot("a/0010_a.html"), inRoot("a/_a.jpg")}).join(' ').toStdString());
}

TEST_F(FileToolTest, TheCleanUpActsOnTheFolderEvenUnderASearchLevel)
{
    put("0010_a.html", page("A", "<IMG src=\"_pic.png\">"));
    put("_pic.png");
    put("_old.png");
    put("sub/0010_a.html", page("other"));
    TForm1& w = shown();
    tool();
    w.levels.pushLevel({"sub/0010_a.html"}, {"other"}, 0);
    tools::DeleteUnlinkedFiles(w);
    EXPECT_EQ(tool().windowTitle(), QStringLiteral("リンク切れファイルの削除"));
    EXPECT_FALSE(tool().entries().contains(inRoot("_pic.png")));
    EXPECT_TRUE(tool().entries().contains(inRoot("_old.png")));
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(FileToolTest, TheCleanUpOffersButDoesNotChooseWhatPagesOfOtherFoldersShow)
{
    put("a/0010_a.html", page("A"));
    put("a/_old.png");
    put("a/_below.png");
    put("a/_above.png");
    put("a/sub/0010_c.html", page("C", "<IMG src=\"../_below.png\">"));
    put("0010_top.html", page("Top", "<IMG src=\"a/_above.png\">"));
    TForm1& w = shown();
    tool();
    w.OpenFolder(inRoot("a"), 0, true);
    tools::DeleteUnlinkedFiles(w);
    EXPECT_EQ(tool().entries().join(' ').toStdString(),
              QStringList({inRoot("a/_above.png"), inRoot("a/_below.png"), inRoot("a/_old.png")}).join(' ').toStdString());
    EXPECT_EQ(tool().selectedEntries(), QStringList({inRoot("a/_old.png")}));
}

TEST_F(FileToolTest, TheCleanUpSaysWhenNothingIsLeft)
{
    put("0010_a.html", page("A", "<IMG src=\"_pic.png\">"));
    put("_pic.png");
    put("_help.html", page("help"));
    TForm1& w = shown();
    tool();
    tools::DeleteUnlinkedFiles(w);
    EXPECT_TRUE(seamTexts("message").contains(QStringLiteral("不用なファイルが見つかりません。")));
    EXPECT_TRUE(seamTexts("modal").isEmpty());
}

TEST_F(FileToolTest, MovingAPageTakesItsFilesAndTrashesTheSources)
{
    put("0010_a.html", page("A", "<IMG src=\"_a.jpg\"><A href=\"/$NEXT\">n</A>"));
    put("0010_a.%xt", "memo");
    put("_a.jpg", "pic");
    put("0020_b.html", page("B"));
    TForm1& w = shown();
    w.PBanSave(0);
    put("moved/.keep");
    platform::setNextFileName(inRoot("moved/0010_a.html"));
    platform::setNextAnswer(platform::Answer::Yes);
    tools::CopyPageWithLinks(w);
    EXPECT_EQ(seamTexts("message").value(0),
              inRoot("0010_a.html") + QStringLiteral("で\nhref=$NEXT 【外部リンク】があります。"));
    EXPECT_EQ(seamTexts("ask"), QStringList({QStringLiteral("元ファイルを削除しますか？")}));
    EXPECT_EQ(read("moved/0010_a.%xt"), "memo");
    EXPECT_EQ(read("moved/_a.jpg"), "pic");
    EXPECT_FALSE(exists("0010_a.html"));
    EXPECT_FALSE(exists("_a.jpg"));
    EXPECT_TRUE(QFileInfo::exists(trashed("0010_a.%xt")));
    EXPECT_EQ(w.levels.topEntries(), QStringList({"0020_b.html"}));
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(FileToolTest, MovingAPageLeavesWhatPagesOfOtherFoldersShow)
{
    put("0010_a.html", page("A", "<IMG src=\"_a.jpg\"><IMG src=\"_shared.jpg\">"));
    put("_a.jpg", "pic");
    put("_shared.jpg", "shared");
    put("sub/0010_c.html", page("C", "<IMG src=\"../_shared.jpg\">"));
    TForm1& w = shown();
    w.PBanSave(0);
    put("moved/.keep");
    platform::setNextFileName(inRoot("moved/0010_a.html"));
    platform::setNextAnswer(platform::Answer::Yes);
    tools::CopyPageWithLinks(w);
    EXPECT_EQ(read("moved/_shared.jpg"), "shared");
    EXPECT_FALSE(exists("_a.jpg"));
    EXPECT_EQ(read("_shared.jpg"), "shared");
}

TEST_F(FileToolTest, ACancelledCopyStillReloadsAndACopyOntoItselfIsRefused)
{
    put("0010_a.html", page("A"));
    TForm1& w = shown();
    w.PBanSave(0);
    tools::CopyPageWithLinks(w); // the dialog cancelled
    EXPECT_EQ(seamTexts("save").size(), 1);
    EXPECT_TRUE(seamTexts("ask").isEmpty());
    EXPECT_TRUE(w.Timer5->enabled());
    platform::setNextFileName(inRoot("./0010_a.html"));
    platform::setNextAnswer(platform::Answer::Yes);
    tools::CopyPageWithLinks(w);
    EXPECT_TRUE(seamTexts("ask").isEmpty());
    EXPECT_EQ(read("0010_a.html"), page("A"));
}

// The page copy asks its own question before it replaces a page: the save
// dialog must not ask the same first, or the teacher answers twice.
TEST_F(FileToolTest, TheCopyDialogLeavesTheOverwriteQuestionToTheCopy)
{
    put("0010_a.html", page("A"));
    put("0020_b.html", page("B"));
    TForm1& w = shown();
    w.PBanSave(0);
    platform::setNextFileName(inRoot("0020_b.html"));
    tools::CopyPageWithLinks(w); // "No" to the program's question
    QStringList saveArgs;
    for (const platform::SeamEvent& e : platform::events()) {
        if (e.kind == QLatin1String("save"))
            saveArgs = e.args;
    }
    EXPECT_TRUE(saveArgs.contains(QStringLiteral("noOverwritePrompt")));
    EXPECT_EQ(seamTexts("ask").size(), 1);
    EXPECT_EQ(read("0020_b.html"), page("B"));
}
