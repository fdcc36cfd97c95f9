// The way home, one level up, and the import into the current folder.
#include "page_display_fixture.h"

TEST_F(PageDisplayTest, ReturnButtonGoesHomeAndSetsTheFolderHints)
{
    writePage("a.html", "a");
    writePage("sub/x.html", "x");
    writePage("sub/y.html", "y");
    TForm1& w = start();
    w.OpenFolder(rootFile("sub"), 1, true);
    w.ReMake();
    ASSERT_EQ(w.levels.depth(), 2);
    w.hTOPMouseDown(false);
    w.modoruMouseUp();
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.CurrentFolder(), root());
    EXPECT_EQ(w.PageButtons.size(), 1);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
    EXPECT_EQ(w.SelectedFolder, root());
    EXPECT_EQ(w.SpeedButton21->hint(), root() + QStringLiteral("フォルダ を開く"));
    EXPECT_EQ(w.SpeedButton1->hint(), root() + QStringLiteral("フォルダ をデスクトップの【Pagora】の中にコピー"));
}

TEST_F(PageDisplayTest, GoUpLevelPopsAndRebuilds)
{
    writePage("a.html", "a");
    writePage("b.html", "b");
    TForm1& w = start();
    w.levels.pushLevel({"a.html"}, {"a"}, 0);
    w.ReMake();
    ASSERT_EQ(w.PageButtons.size(), 1);
    w.GoUpLevel();
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.PageButtons.size(), 2);
    w.GoUpLevel(); // the bottom level stays and selects its first page
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.PBan(), 0);
}

TEST_F(PageDisplayTest, ImportCopiesListedFilesIntoTheCurrentFolder)
{
    writePage("a.html", "a");
    TForm1& w = start();
    QTemporaryDir outside;
    const QString source = files::joinPath(outside.path(), "report.pdf");
    writeFile(source, "new");
    writeFile(rootFile("report.pdf"), "old");
    w.ListBox1 = {source};
    w.ImportListedFiles(w.CurrentFolder(), true);
    EXPECT_EQ(files::readBytes(rootFile("report.pdf")).value_or(QByteArray()), QByteArray("new"));
    EXPECT_TRUE(w.Timer5->enabled());
    w.ListBox1.clear();
    w.Timer5->setEnabled(false);
    w.ImportListedFiles(w.CurrentFolder(), true); // nothing listed: nothing happens
    EXPECT_FALSE(w.Timer5->enabled());
}
