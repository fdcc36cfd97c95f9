// Page loads: caption and counter, quiz feedback pane, link pages, the lower
// pane's refresh, timed messages and the back and forward images.
#include "test_command_fixture.h"

#include <QListWidget>

namespace {

const char* kLinkPage3 =
    "<html><body>【リンク】<a href=\"0010_a.html\">Apple</a> <A HREF=\"0020_b.html\">Bee</A>"
    " <a href=\"0030_c.html\">Sea</a></body></html>";

} // namespace

TEST_F(PageCommandTest, CompletionWritesCaptionAndCounterOncePerUrl)
{
    TForm1& w = shown();
    w.KRNcommand("NEXT");
    w.setCaption("x");
    page()->completeDocument();
    EXPECT_EQ(w.caption(), fileUrl("0020_b.html"));
    EXPECT_EQ(w.Panel7->caption(), "2 / 3");
    EXPECT_TRUE(w.SpeedButton16->enabled());
    w.Panel7->setCaption("x");
    page()->completeDocument(); // the same URL again (frames): nothing runs again
    EXPECT_EQ(w.Panel7->caption(), "x");
    EXPECT_EQ(w.caption(), fileUrl("0020_b.html"));
}

TEST_F(PageCommandTest, QuizPagesLoadTheirFeedbackPane)
{
    TForm1& w = shown();
    writeFile(inRoot("0010_a.html"), "<a href=\"/$-1,$<-1[_【×】][_【△】]\">×</a>");
    w.LastDocumentUrl.clear();
    lower()->calls.clear();
    page()->completeDocument();
    EXPECT_EQ(lower()->navigated(), QStringList({w.ShownUrl}));
}

TEST_F(PageCommandTest, LinkPageWithSeveralLinksBecomesALevel)
{
    TForm1& w = shown();
    w.ProcessLinkPage(QString::fromUtf8(kLinkPage3));
    EXPECT_EQ(w.levels.depth(), 2);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"0010_a.html", "0020_b.html", "0030_c.html"}));
    EXPECT_EQ(w.levels.topTitles(), QStringList({"Apple", "Bee", "Sea"}));
    EXPECT_EQ(w.PBan(), 0);
    w.ProcessLinkPage(QString::fromUtf8(kLinkPage3)); // levels above the first are replaced
    EXPECT_EQ(w.levels.depth(), 2);
    w.ProcessLinkPage("【リンク】NOTLINK <a href=\"x.html\">x</a><a href=\"y.html\">y</a>");
    EXPECT_EQ(w.levels.depth(), 2);
}

TEST_F(PageCommandTest, LinkPageWithOneLinkFollowsOrRunsIt)
{
    TForm1& w = shown();
    w.ProcessLinkPage("【リンク】<a href=\"/$NEXT\">next</a>");
    EXPECT_EQ(w.PBan(), 1);
    w.ProcessLinkPage("<a href=\"sub/0010_s.html\">s</a>【リンク】Sub page<br>");
    const QString target = QUrl::fromLocalFile(inRoot("sub/0010_s.html")).toString();
    EXPECT_EQ(page()->navigated().last(), target);
    EXPECT_EQ(w.caption(), target);
    EXPECT_EQ(w.DirPageOffset, 1);
    ASSERT_GT(w.PageButtons.size(), 1);
    EXPECT_TRUE(w.PageButtons[1]->caption().startsWith(" Sub page"));
}

TEST_F(PageCommandTest, LowerPaneRefreshesOncePerLoad)
{
    TForm1& w = shown();
    lower()->autoEvents = true;
    lower()->navigate(w.ShownUrl);
    int refreshes = 0;
    for (const auto& c : lower()->calls)
        refreshes += c.kind == "refresh";
    EXPECT_EQ(refreshes, 1);
}

TEST_F(PageCommandTest, TimedMessagesShowAboveLimitAndHideOnTick)
{
    TForm1& w = shown();
    w.ShowFlashMessage("short", 1499);
    EXPECT_FALSE(w.Pmathu->visible());
    EXPECT_TRUE(w.Timer1->enabled());
    EXPECT_EQ(w.Timer1->interval(), 1499);
    w.ShowFlashMessage("shown", 1500);
    EXPECT_TRUE(w.Pmathu->visible());
    EXPECT_EQ(w.Pmathu->caption(), "shown");
    w.Timer1->fire();
    EXPECT_FALSE(w.Pmathu->visible());
    EXPECT_FALSE(w.Pmathub->visible());
    EXPECT_FALSE(w.Timer1->enabled());
    EXPECT_TRUE(w.Pmathu->caption().isEmpty());
}

TEST_F(PageCommandTest, BackAndForwardTurnPagesOrUseTheViewsHistory)
{
    TForm1& w = shown();
    w.Image7Click(); // on the current page: NEXT
    EXPECT_EQ(w.PBan(), 1);
    w.Image6Click();
    EXPECT_EQ(w.PBan(), 0);
    w.setCaption("http://example.com/elsewhere.html"); // a followed link
    page()->navigate("http://example.com/elsewhere.html");
    w.Image6Click();
    EXPECT_EQ(page()->calls.last().kind, "back");
    platform::clearEvents();
    w.Image7Click();
    w.Image7Click(); // nothing ahead any more
    EXPECT_EQ(seamEvents("beep").size(), 1);
}

TEST_F(PageCommandTest, FolderPaneClickOpensTheFolderAsALevel)
{
    TForm1& w = shown();
    w.DirectoryListBox1->setDirectory(root());
    int sub = -1;
    for (int i = 0; i < w.DirectoryListBox1->count(); ++i)
        if (w.DirectoryListBox1->itemPath(i) == inRoot("sub"))
            sub = i;
    ASSERT_GE(sub, 0);
    w.DirectoryListBox1->setItemIndex(sub);
    w.DirectoryListBox1Click();
    EXPECT_EQ(w.SelectedFolder, inRoot("sub"));
    EXPECT_EQ(w.CurrentFolder(), inRoot("sub"));
    EXPECT_EQ(w.levels.depth(), 2);
    EXPECT_TRUE(w.SpeedButton21->hint().startsWith(inRoot("sub")));
}

TEST_F(PageCommandTest, FolderPaneKeepsToTheDataRootAndWritesNothingOutsideIt)
{
    TForm1& w = shown();
    platform::DirectoryListBox* pane = w.DirectoryListBox1;
    w.Panel11MouseEnter(); // the pane opens and shows the root and its folders
    const auto* shownList = pane->findChild<QListWidget*>();
    ASSERT_NE(shownList, nullptr);
    ASSERT_EQ(shownList->count(), 4);
    EXPECT_EQ(shownList->item(0)->text().trimmed(), QStringLiteral("Pagora.data"));
    EXPECT_EQ(shownList->item(3)->text().trimmed(), QStringLiteral("sub"));
    EXPECT_EQ(pane->items().first(), QStringLiteral("Pagora.data"));
    for (int i = 0; i < pane->count(); ++i)
        EXPECT_TRUE(pane->itemPath(i).startsWith(root())) << pane->itemPath(i).toStdString();

    // The program's own folder (above the root) does not open, as a double click would.
    pane->setDirectory(dir.path());
    EXPECT_EQ(pane->directory(), root());

    // Even when the list offers it, the click does not open it as a page folder.
    pane->setTop(QString());
    pane->setDirectory(dir.path());
    int exeFolder = -1;
    for (int i = 0; i < pane->count(); ++i)
        if (pane->itemPath(i) == dir.path())
            exeFolder = i;
    ASSERT_GE(exeFolder, 0);
    pane->setItemIndex(exeFolder);
    w.DirectoryListBox1Click();
    EXPECT_EQ(w.CurrentFolder(), root());
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_FALSE(QFileInfo::exists(files::joinPath(dir.path(), QStringLiteral("_XXX.html"))));
}
