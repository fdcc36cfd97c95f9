// The folder list "_folder.txt": which lines name folders, the folders made
// from it, the tree collected into it, and the editor window with the seam
// answering its questions.
#include "viewer/page_display_fixture.h"

#include "support/folder_swapper.h"
#include "support/temp_tree.h"
#include "tools/folder_list.h"
#include "tools/folder_list_editor.h"
#include "tools/forms/form10.h"

#include <QDialog>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <memory>

using namespace tools;

TEST(FolderList, LinesCommentsAndRefusals)
{
    const folderlist::ParsedList list = folderlist::parse(QStringLiteral(
        "1年\\国語\\漢字\r\n"
        "// 注釈\n"
        "2年/算数 // 途中の注釈\n"
        "\n"
        "   \t\n"
        "  3年 \\ 理科  \n"
        "/etc/cron.d\n"
        "C:\\Windows\n"
        "..\\outside\n"
        "a\\..\\..\\outside\n"
        "file:///tmp/x\n" // holds "//": a comment
        "\\\\server\\share\n"
        "4年\\.\\図工\\"));
    EXPECT_EQ(list.folders, (QStringList{"1年/国語/漢字", "3年/理科", "4年/図工"}));
    EXPECT_EQ(list.refused, (QStringList{"/etc/cron.d", "C:\\Windows", "..\\outside", "a\\..\\..\\outside",
                                         "\\\\server\\share"}))
        << list.refused.join(QLatin1Char('|')).toStdString();
}

TEST(FolderList, CreatesEveryLevelAndNeverThroughALink)
{
    TempTree t;
    const QString base = t.mkdir("program");
    t.mkdir("elsewhere");
    t.symlink("program/link", t.path("elsewhere"));
    t.write("program/file", "a file where a folder should go");
    const QStringList failed =
        folderlist::create(base, {"1年/国語/漢字", "1年/国語", "link/inside", "file/below", "2年"});
    EXPECT_TRUE(QFileInfo(t.path("program/1年/国語/漢字")).isDir());
    EXPECT_TRUE(QFileInfo(t.path("program/2年")).isDir());
    EXPECT_EQ(failed, (QStringList{"link/inside", "file/below"}));
    EXPECT_TRUE(t.list("elsewhere").isEmpty());
    EXPECT_EQ(t.read("program/file"), QByteArray("a file where a folder should go"));
}

// A second thread swaps a listed folder for a link to outside while the
// folders are made: every one is made inside the program's folder or fails.
TEST(FolderList, AFolderLinkSwappedInWhileMakingLeadsNothingOut)
{
    TempTree t;
    const QString base = t.mkdir("program");
    t.mkdir("program/sub");
    const QString outside = t.mkdir("outside");
    t.symlink("program/away", outside);
    FolderSwapper swapper(t.path("program/sub"), t.path("program/away"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int i = 0; (i < 1000 || swapper.swaps() < 100) && std::chrono::steady_clock::now() < until; ++i) {
        const QString n = QString::number(i);
        const QStringList failed = folderlist::create(base, {"sub/f" + n + "/g", "kept/f" + n});
        EXPECT_FALSE(failed.contains("kept/f" + n));
    }
    swapper.stop();
    EXPECT_GT(swapper.swaps(), 10);
    EXPECT_EQ(t.list("outside"), QStringList());
}

TEST(FolderList, CollectsParentsBeforeChildrenWithoutLinksOrTheBaseItself)
{
    TempTree t;
    const QString base = t.mkdir("program");
    t.mkdir("program/Pagora.data/10_b");
    t.mkdir("program/Pagora.data/2_a/sub");
    t.mkdir("program/ZORB");
    t.mkdir("program/.hidden");
    t.write("program/Pagora.data/page.html");
    t.symlink("program/Pagora.data/loop", base); // would walk for ever
    EXPECT_EQ(folderlist::collect(base),
              (QStringList{"Pagora.data", "Pagora.data\\10_b", "Pagora.data\\2_a", "Pagora.data\\2_a\\sub", "ZORB"}))
        << folderlist::collect(base).join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(folderlist::collect(t.path("missing")).isEmpty());
}

class FolderListWindowTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        form = std::make_unique<TForm10>();
        Form10 = form.get();
    }
    void TearDown() override
    {
        Form10 = nullptr;
        form.reset();
        PageDisplayTest::TearDown();
    }
    QString listFile() const { return files::joinPath(dir.path(), QStringLiteral("_folder.txt")); }
    QByteArray listBytes() const
    {
        QFile f(listFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int asked() const
    {
        int n = 0;
        for (const auto& e : platform::events())
            n += e.kind == QLatin1String("ask");
        return n;
    }

    std::unique_ptr<TForm10> form;
};

TEST_F(FolderListWindowTest, OpensOnTheListBesideTheProgramWithThePatrolResting)
{
    writeFile(listFile(), "\xEF\xBB\xBF" "1年\\国語\r\n// 注釈\r\n");
    TForm1& w = start();
    const QString cwd = QDir::currentPath();
    platform::setNextModalResult(QDialog::Rejected);
    w.Timer5->setEnabled(true);
    platform::clearEvents();
    tools::N3Click(w);
    EXPECT_EQ(form->windowTitle(), listFile());
    EXPECT_EQ(form->memoText(), QStringLiteral("1年\\国語\n// 注釈"));
    EXPECT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events().first().kind, QStringLiteral("modal"));
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回開始"));
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(FolderListWindowTest, SavesAsUtf8WithBomAndAsksBeforeOverwriting)
{
    start();
    form->setWindowTitle(listFile());
    form->setMemoText(QStringLiteral("1年\\国語\n2年"));
    form->SpeedButton1Click(); // no file yet: no question
    EXPECT_EQ(asked(), 0);
    EXPECT_EQ(listBytes(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("1年\\国語\r\n2年\r\n").toUtf8());

    form->setMemoText(QStringLiteral("changed"));
    platform::setNextAnswer(platform::Answer::No);
    form->SpeedButton1Click();
    EXPECT_EQ(asked(), 1);
    EXPECT_TRUE(listBytes().contains("2年"));
    platform::setNextAnswer(platform::Answer::Yes);
    form->SpeedButton1Click();
    EXPECT_EQ(listBytes(), QByteArray("\xEF\xBB\xBF" "changed\r\n"));
}

TEST_F(FolderListWindowTest, CreatesTheListedFoldersAndNamesTheRefusedLines)
{
    start();
    form->BaseFolder = dir.path();
    form->setMemoText(QStringLiteral("1年\\国語\\漢字\n//2年\n..\\..\\outside\n/tmp/abs"));
    platform::setNextAnswer(platform::Answer::No);
    form->SpeedButton3Click();
    EXPECT_FALSE(QFileInfo::exists(files::joinPath(dir.path(), QStringLiteral("1年"))));

    platform::clearEvents();
    platform::setNextAnswer(platform::Answer::Yes);
    form->SpeedButton3Click();
    EXPECT_TRUE(QFileInfo(files::joinPath(dir.path(), QStringLiteral("1年/国語/漢字"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(files::joinPath(dir.path(), QStringLiteral("2年"))));
    QStringList messages;
    for (const auto& e : platform::events())
        if (e.kind == QLatin1String("message"))
            messages << e.text;
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("..\\..\\outside")));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("/tmp/abs")));

    // Collecting lists what is there now, the data root among it.
    form->SpeedButton4Click();
    const QStringList lines = form->memoText().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Pagora.data")));
    EXPECT_LT(lines.indexOf(QStringLiteral("1年")), lines.indexOf(QStringLiteral("1年\\国語\\漢字")));
}
