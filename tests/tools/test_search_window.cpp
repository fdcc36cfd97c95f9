// The search window on a shown main window: the search from the File menu
// turned into a list level, the preview that runs no page command, the file
// panel, the page command "LOOK" and the keyword links of the current page.
#include "tools_window_fixture.h"

#include "store/resource_limits.h"
#include "tools/find_command.h"
#include "tools/forms/form4.h"
#include "tools/look_command.h"
#include "tools/look_link_commands.h"
#include "tools/search_run.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <memory>

class SearchWindowTest : public ToolsWindowTest {
protected:
    void SetUp() override
    {
        ToolsWindowTest::SetUp();
        put("0010_a.html", page("A", QStringLiteral("はじめのページ")));
        put("x/index.html", page("Same", QStringLiteral("かえるの話")));
        put("y/index.html", page("Same", QStringLiteral("かえるの歌")));
        put("z/report.pdf", "%PDF");
        put("z/notes.xlsx", "sheet");
    }
    void TearDown() override
    {
        form.reset();
        ToolsWindowTest::TearDown();
    }
    TForm1& open()
    {
        TForm1& w = shown();
        form = std::make_unique<TForm4>(&w);
        Form4 = form.get();
        return w;
    }
    platform::FakeBrowser* preview() const { return static_cast<platform::FakeBrowser*>(form->WebBrowser1); }

    // What the person does in the window once it is up.
    void whenShown(std::function<void()> act)
    {
        QObject::connect(form.get(), &TForm4::activated, form.get(), std::move(act));
    }
    std::unique_ptr<TForm4> form;
};

// Work held on every file: what the window does while it waits, watched by
// a timer on the window's own thread.
class SlowSearchTest : public SearchWindowTest {
protected:
    void SetUp() override
    {
        SearchWindowTest::SetUp();
        tools::searchSession().beforeEachFile = [] { QThread::msleep(100); };
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (form && form->busy())
                whileBusy();
        });
        watch.start();
    }
    void TearDown() override
    {
        watch.stop();
        tools::searchSession().beforeEachFile = {};
        SearchWindowTest::TearDown();
    }
    QTimer watch;
    std::function<void()> whileBusy = [] {};
};

TEST_F(SearchWindowTest, TheListButtonMakesALevelShowingThePreviewedEntry)
{
    TForm1& w = open();
    bool pausedMeanwhile = false;
    whenShown([&] {
        pausedMeanwhile = !w.Timer5->enabled();
        EXPECT_EQ(form->ShownTitles->count(), 5);
        form->Edit1->setText(QStringLiteral("かえる"));
        form->BitBtn1Click();
        ASSERT_EQ(form->ShownTitles->count(), 2);
        EXPECT_EQ(form->Label1->caption(), "2");
        form->ListBox2Click(1); // the second of two pages both named index.html
        form->BitBtn2Click();
        platform::setNextModalResult(form->result());
    });
    tools::Find1Click(w);
    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_TRUE(w.Timer5->enabled());
    ASSERT_EQ(w.levels.depth(), 2);
    EXPECT_EQ(w.levels.topEntries(), QStringList({"x/index.html", "y/index.html"}));
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_EQ(w.levels.PBanList.first(), "0");
    EXPECT_EQ(mainView()->navigated().last(), inRoot("y/index.html"));
    EXPECT_EQ(w.ShownFilePath, inRoot("y/index.html"));
}

TEST_F(SearchWindowTest, ACancelledSearchLeavesTheMainWindowAsItWas)
{
    TForm1& w = open();
    const QString path = w.ShownFilePath;
    const QString url = w.ShownUrl;
    const QString caption = w.caption();
    whenShown([&] {
        form->ListBox2Click(4);
        EXPECT_EQ(form->previewPath(), inRoot("y/index.html"));
        form->BitBtn3Click();
        platform::setNextModalResult(form->result());
    });
    tools::Find1Click(w);
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.ShownFilePath, path);
    EXPECT_EQ(w.ShownUrl, url);
    EXPECT_EQ(w.caption(), caption);
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(SearchWindowTest, AnEmptyResultListClosesWithCancel)
{
    TForm1& w = open();
    whenShown([&] {
        form->Edit1->setText("no such word anywhere");
        form->BitBtn1Click();
        EXPECT_EQ(form->ShownTitles->count(), 0);
        form->BitBtn2Click();
        EXPECT_EQ(form->result(), QDialog::Rejected);
        platform::setNextModalResult(form->result());
    });
    tools::Find1Click(w);
    EXPECT_EQ(w.levels.depth(), 1);
}

TEST_F(SearchWindowTest, TheUndoButtonBringsBackTheListBeforeTheSearch)
{
    open();
    form->Edit2.clear();
    form->activate();
    form->Edit1->setText(QStringLiteral("かえる"));
    form->BitBtn1Click();
    EXPECT_EQ(form->ShownTitles->count(), 2);
    form->Edit1->setText("typed later");
    form->BitBtn4Click();
    EXPECT_EQ(form->ShownTitles->count(), 5);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("かえる"));
    form->BitBtn5Click(); // "全部": the whole list again
    EXPECT_EQ(form->ShownTitles->count(), 5);
}

TEST_F(SearchWindowTest, ThePreviewRunsNoPageCommand)
{
    TForm1& w = open();
    form->activate();
    ASSERT_NE(preview(), nullptr);
    EXPECT_EQ(preview()->navigated().value(0), QUrl::fromLocalFile(inRoot("0010_a.html")).toString());
    const int ban = w.PBan();
    const QString shownBefore = mainView()->navigated().value(mainView()->navigated().size() - 1);
    EXPECT_TRUE(preview()->raiseNavigation("file://" + root() + "/$NEXT", QUrl::fromLocalFile(inRoot("0010_a.html")).toString()));
    EXPECT_TRUE(preview()->raiseNavigation("file://" + root() + "/x/index.html?$GO a"));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.PBan(), ban);
    EXPECT_EQ(mainView()->navigated().value(mainView()->navigated().size() - 1), shownBefore);
    EXPECT_FALSE(preview()->raiseNavigation(QUrl::fromLocalFile(inRoot("x/index.html")).toString()));
}

TEST_F(SearchWindowTest, TheFilePanelStartsAndCopiesThroughTheSeam)
{
    open();
    form->activate();
    ASSERT_EQ(form->ShownTitles->item(1)->text(), "notes.xlsx");
    // An office file the browser does not show gets the file panel.
    form->ListBox2Click(1);
    EXPECT_FALSE(form->Panel3->isHidden());
    EXPECT_EQ(form->Label3, inRoot("z/notes.xlsx"));
    form->SpeedButton3Click();
    EXPECT_EQ(seamTexts("openUrl").value(0), QUrl::fromLocalFile(inRoot("z/notes.xlsx")).toString());
    platform::setNextFileName(inRoot("copied.xlsx"));
    form->SpeedButton4Click();
    EXPECT_EQ(read("copied.xlsx"), "sheet");
    // A cancelled dialog copies nothing; a page shown in the preview hides the panel.
    form->SpeedButton4Click();
    EXPECT_EQ(seamTexts("save").size(), 2);
    form->ListBox2Click(0);
    EXPECT_TRUE(form->Panel3->isHidden());
}

TEST_F(SearchWindowTest, TheLookCommandListsThePagesWithTheKeyword)
{
    put("0020_b.html", page(QStringLiteral("B#日本語/other")));
    put("w/0010_k.html", page(QStringLiteral("\"k.png\"K#日本語?hint")));
    put("0030_me.html", page(QStringLiteral("me#日本語")));
    TForm1& w = open();
    laterwindows::hooks().look = [&w](const QString& self, const QString& word, laterwindows::LookResult& r) {
        return tools::lookUp(w, self, word, r);
    };
    w.PBanSave(w.levels.topEntries().indexOf("0030_me.html"));
    w.KRNcommand(QStringLiteral("LOOK 日本語"));
    ASSERT_EQ(w.levels.depth(), 2);
    // Sorted by the whole title: the icon's quote comes first.
    EXPECT_EQ(w.levels.topEntries(), QStringList({"w/0010_k.html", "0020_b.html"}));
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(mainView()->navigated().last(), inRoot("w/0010_k.html"));
}

TEST_F(SearchWindowTest, KeywordLinksAddedAndRemovedOnTheCurrentPage)
{
    const QByteArray original = page("A", QStringLiteral("Banana and 日本語 and more"));
    put("0010_a.html", original);
    put("0020_b.html", page("Banana#fruit"));
    put("0030_c.html", page(QStringLiteral("日本語")));
    TForm1& w = open();
    ASSERT_EQ(w.levels.topEntries().value(0), "0010_a.html");
    w.PBanSave(0);
    tools::AddLookLinks(w);
    const QString linked = QString::fromUtf8(read("0010_a.html"));
    EXPECT_TRUE(linked.contains(QStringLiteral("<A href=\"/$LOOK Banana\">Banana</A>")));
    EXPECT_TRUE(linked.contains(QStringLiteral("<A href=\"/$LOOK 日本語\">日本語</A>")));
    EXPECT_TRUE(read("0010_a.html").startsWith("\xEF\xBB\xBF"));
    tools::RemoveLookLinks(w);
    EXPECT_EQ(read("0010_a.html"), original);
}

TEST_F(SearchWindowTest, KeywordLinksLeaveOtherPagesAndUnchangedFilesAlone)
{
    const QByteArray noDoctype = "<HTML><BODY>Banana</BODY></HTML>";
    put("0010_a.html", noDoctype);
    put("0020_b.html", page("Banana"));
    const QDateTime old = QDateTime::currentDateTime().addDays(-2);
    TForm1& w = open();
    w.PBanSave(0);
    tools::AddLookLinks(w);
    EXPECT_EQ(read("0010_a.html"), noDoctype);
    // Removing from a page without links writes nothing.
    {
        QFile f(inRoot("0020_b.html"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(old, QFileDevice::FileModificationTime);
    }
    w.PBanSave(1);
    tools::RemoveLookLinks(w);
    EXPECT_EQ(QFileInfo(inRoot("0020_b.html")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    // The hand-off's form: a text without any title word comes back as it is.
    EXPECT_EQ(tools::ApplyLookLinks(w, 0, "x"), "x");
}

TEST_F(SearchWindowTest, AFailedKeywordLinkWriteKeepsThePageAndSaysSo)
{
    const QByteArray original = page("A", QString(20000, QLatin1Char('.')) + "Banana");
    put("0010_a.html", original);
    put("0020_b.html", page("Banana"));
    TForm1& w = open();
    w.PBanSave(0);
    withFileSizeLimit(16 * 1024, [&](bool limited) {
        ASSERT_TRUE(limited);
        tools::AddLookLinks(w);
    });
    EXPECT_EQ(read("0010_a.html"), original);
    EXPECT_EQ(seamTexts("message").value(0), QStringLiteral("ページを書き込めませんでした。"));
}

// A word-processor document is no page for the browser engine: it would only offer a download and leave the page previewed
// before on screen under the new caption. Such files get the file panel.
TEST_F(SearchWindowTest, DocumentsTheEngineCannotShowGetTheFilePanel)
{
    put("z/作文.jtd", "ichitaro");
    put("z/古い.jxw", "ichitaro");
    open();
    form->activate();
    for (const char* name : {"z/作文.jtd", "z/古い.jxw"}) {
        const QString entry = QString::fromUtf8(name);
        const int row = form->ListBox1().indexOf(entry);
        ASSERT_GE(row, 0) << name;
        form->ListBox2Click(0); // a page first
        const int loads = preview() ? int(preview()->navigated().size()) : 0;
        form->ListBox2Click(row);
        EXPECT_FALSE(form->Panel3->isHidden()) << name;
        EXPECT_EQ(form->Label3, inRoot(entry));
        EXPECT_EQ(preview() ? int(preview()->navigated().size()) : 0, loads) << name;
    }
}

// With the page-button column closed the window would grow 50 pixels wider
// than the main window and push "戻る" off a screen the main window fills.
TEST_F(SearchWindowTest, TheWindowStaysOnTheScreenWithTheColumnClosed)
{
    TForm1& w = open();
    w.Panel12MouseEnter(); // close the column
    ASSERT_LE(w.kabeRight->width(), 1);
    form->activate();
    const QScreen* screen = w.screen();
    ASSERT_TRUE(screen);
    EXPECT_LE(form->x() + form->width(), screen->availableGeometry().right() + 1);
    EXPECT_GE(form->width(), 400);
}

TEST_F(SlowSearchTest, TheWindowShowsAndAnswersWhileItsListIsBuiltAndResultsComeAsFound)
{
    TForm1& w = open();
    int ticksWhileBuilt = 0;
    bool shownWithProgress = false;
    bool searching = false;
    QList<int> shownWhileSearching;
    whileBusy = [&] {
        if (searching) {
            shownWhileSearching << form->ShownTitles->count();
            return;
        }
        ++ticksWhileBuilt;
        shownWithProgress = shownWithProgress || (form->isVisible() && !form->Panel11->isHidden());
        form->BitBtn1Click(); // the buttons wait for the work
    };
    whenShown([&] {
        EXPECT_EQ(form->ShownTitles->count(), 5);
        searching = true;
        form->Edit1->setText(QStringLiteral("かえる"));
        form->BitBtn1Click();
        searching = false;
        form->BitBtn2Click();
        platform::setNextModalResult(form->result());
    });
    tools::Find1Click(w);
    EXPECT_GE(ticksWhileBuilt, 10);
    EXPECT_TRUE(shownWithProgress);
    // The first match showed before the last page was read.
    EXPECT_TRUE(shownWhileSearching.contains(1));
    EXPECT_FALSE(shownWhileSearching.contains(3));

    // The same results as the session finds without a window.
    tools::SearchSession plain;
    plain.SearchRoot = root();
    QString key = QStringLiteral("xxx");
    plain.activate(key);
    plain.Edit1 = QStringLiteral("かえる");
    plain.RunSearch();
    ASSERT_EQ(plain.Shown.size(), 2);
    EXPECT_EQ(w.levels.topEntries(), plain.Shown.entries);
}

TEST_F(SlowSearchTest, ClosingWhileTheListIsBuiltClosesOnceItIsDone)
{
    TForm1& w = open();
    whileBusy = [&] { form->BitBtn3Click(); };
    bool shownForSearching = false;
    whenShown([&] { shownForSearching = true; });
    EXPECT_EQ(form->runModal(), QDialog::Rejected);
    EXPECT_FALSE(shownForSearching);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->ListBox1().size(), 5);
    EXPECT_EQ(w.levels.depth(), 1);
}
