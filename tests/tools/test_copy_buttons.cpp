// The copy buttons on a started main window, with a temporary desktop copy
// folder and the seam answering: explore, the copy button, the
// open-externally panel, the whole-folder copy and the import.
#include "support/seam_texts.h"
#include "viewer/page_display_fixture.h"

#include "store/clock.h"
#include "support/temp_tree.h"
#include "support/mouse_click.h"
#include "tools/copy_buttons.h"
#include "tools/main_window_bindings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUrl>

namespace {

const QDateTime kMoment(QDate(2020, 4, 14), QTime(10, 5, 33));

// A press and release of the right button inside the widget.
void rightClick(QWidget* w) { clickMouse(w, QPointF(3, 3), Qt::RightButton); }

} // namespace

class CopyButtonsTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        store::clock::setFixed(kMoment);
    }
    void TearDown() override
    {
        platform::setProgramHandler({});
        PageDisplayTest::TearDown();
    }
    TForm1& open()
    {
        TForm1& w = start();
        tools::bindMainWindow(w);
        w.CopyFolder = desktop.path(QStringLiteral("【Pagora】"));
        platform::clearEvents();
        return w;
    }
    QStringList eventsOf(const QString& kind) const { return ::seamTexts(kind); }
    QStringList copies() const { return desktop.list(QStringLiteral("【Pagora】")); }
    static QByteArray readBackOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString url(const QString& path) { return QUrl::fromLocalFile(path).toString(); }

    TempTree desktop;
};

TEST_F(CopyButtonsTest, ExploreButtonsOpenTheirFolders)
{
    writePage("a.html", "A");
    TForm1& w = open();
    w.SpeedButton13->click();
    w.SpeedButton14->click(); // makes the copy folder first
    w.SelectedFolder = root();
    w.N1->click();
    EXPECT_EQ(eventsOf("openUrl"), (QStringList{url(root()), url(w.CopyFolder), url(root())}));
    // A right click on a button without a right-button action does nothing.
    platform::clearEvents();
    w.SpeedButton13->resize(30, 30);
    rightClick(w.SpeedButton13);
    EXPECT_TRUE(eventsOf("openUrl").isEmpty());
}

TEST_F(CopyButtonsTest, TheCopyButtonCopiesTheShownFileAndOpensTheCopyFolder)
{
    writePage("a.html", "A");
    TForm1& w = open();
    w.SpeedButton5->click();
    EXPECT_EQ(copies(), QStringList{"a.html"});
    EXPECT_EQ(desktop.read(QStringLiteral("【Pagora】/a.html")), page("A"));
    EXPECT_EQ(eventsOf("openUrl"), QStringList{url(w.CopyFolder)});
    EXPECT_TRUE(eventsOf("message").isEmpty());
}

TEST_F(CopyButtonsTest, RightClickOnThePanelCopiesKeepsTheOlderAndOpensTheCopy)
{
    writeFile(rootFile("a.pdf"), "v1");
    TForm1& w = open();
    w.Label1->setCaption(rootFile("a.pdf"));
    w.Tag = 1; // the memo was shown
    w.RightClickFlag = true;
    tools::Panel1MouseUp(w);
    EXPECT_EQ(w.MemoState, 1);
    EXPECT_EQ(w.MemoRestore, 1);
    EXPECT_EQ(w.Tag, 0);
    const QString copy = files::joinPath(w.CopyFolder, QStringLiteral("a.pdf"));
    EXPECT_EQ(eventsOf("openUrl"), QStringList{url(copy)});
    writeFile(rootFile("a.pdf"), "v2");
    tools::Panel1MouseUp(w);
    EXPECT_EQ(copies(), (QStringList{"a.pdf", "元ファイル(14日)a.pdf"}));
    EXPECT_EQ(desktop.read(QStringLiteral("【Pagora】/元ファイル(14日)a.pdf")), QByteArray("v1"));

    // The left button opens the file where it lies.
    platform::clearEvents();
    w.RightClickFlag = false;
    tools::Panel1MouseUp(w);
    EXPECT_EQ(eventsOf("openUrl"), QStringList{url(rootFile("a.pdf"))});
}

TEST_F(CopyButtonsTest, ProgrammingFilesStartTheEnvironmentOnlyWhileItIsThere)
{
    writeFile(rootFile("ZORB/zorb"), "#!/bin/sh\n");
    QFile::setPermissions(rootFile("ZORB/zorb"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    writeFile(rootFile("turtle.zbx"), "fd 10");
    writeFile(rootFile("beep.wav"), "wav");
    TForm1& w = open();
    ASSERT_TRUE(w.SpeedButton3->enabled());
    w.Label1->setCaption(rootFile("turtle.zbx"));

    w.RightClickFlag = true;
    tools::Panel1MouseUp(w);
    const QString copy = files::joinPath(w.CopyFolder, QStringLiteral("turtle.zbx"));
    EXPECT_EQ(copies(), (QStringList{"beep.wav", "turtle.zbx"}));
    EXPECT_EQ(eventsOf("start"), QStringList{w.ProgrammingEnvExe});
    EXPECT_EQ(platform::events().last().args, QStringList{copy});
    EXPECT_TRUE(eventsOf("openUrl").isEmpty());

    // With the button disabled the file is an ordinary one.
    platform::clearEvents();
    w.SpeedButton3->setEnabled(false);
    tools::Panel1MouseUp(w);
    EXPECT_TRUE(eventsOf("start").isEmpty());
    EXPECT_EQ(eventsOf("openUrl"), QStringList{url(copy)});
}

TEST_F(CopyButtonsTest, NoToTheFolderCopyBeepsAndCopiesNothing)
{
    writePage("a.html", "A");
    writeFile(rootFile("lesson/b.html"), page("B"));
    TForm1& w = open();
    w.SelectedFolder = rootFile("lesson");
    platform::setNextAnswer(platform::Answer::No);
    w.SpeedButton1->click();
    EXPECT_EQ(eventsOf("ask"),
              QStringList{QStringLiteral("「lesson」のフォルダを全部\nデスクトップ上の【Pagora】にコピーします。")});
    EXPECT_EQ(eventsOf("beep").size(), 1);
    EXPECT_FALSE(desktop.exists(QStringLiteral("【Pagora】/lesson")));

    platform::clearEvents();
    platform::setNextAnswer(platform::Answer::Yes);
    w.SpeedButton1->click();
    EXPECT_EQ(eventsOf("beep").size(), 1);
    EXPECT_EQ(desktop.read(QStringLiteral("【Pagora】/lesson/b.html")), page("B"));
    EXPECT_TRUE(eventsOf("message").isEmpty());

    // Refused: a copy folder inside the folder being copied.
    platform::clearEvents();
    w.CopyFolder = rootFile("lesson/【Pagora】");
    platform::setNextAnswer(platform::Answer::Yes);
    w.SpeedButton1->click();
    EXPECT_EQ(eventsOf("message").size(), 1);
    EXPECT_EQ(eventsOf("beep").size(), 1);
    EXPECT_FALSE(QFileInfo::exists(rootFile("lesson/【Pagora】/lesson")));
}

TEST_F(CopyButtonsTest, ImportCopiesChosenFilesIntoTheCurrentFolderAndReloads)
{
    writePage("a.html", "A");
    TempTree chosen;
    const QString b = chosen.write("b.html", page("B"));
    const QString c = chosen.write("c.pdf", "pdf");
    TForm1& w = open();

    // Cancelled: nothing copied, the list read again all the same.
    platform::setNextFileNames({});
    w.Paste2->click();
    EXPECT_EQ(eventsOf("openMany").size(), 1);
    EXPECT_EQ(w.levels.topEntries(), QStringList{"a.html"});

    platform::clearEvents();
    platform::setNextFileNames({b, c, chosen.path("missing.txt"), rootFile("a.html")});
    w.Paste2->click();
    EXPECT_EQ(readBackOf(rootFile("b.html")), page("B"));
    EXPECT_EQ(readBackOf(rootFile("c.pdf")), QByteArray("pdf"));
    // Importing a file of the current folder leaves it whole.
    EXPECT_EQ(readBackOf(rootFile("a.html")), page("A"));
    EXPECT_EQ(w.PageButtons.size(), 3);
    // The one failure is named in one message.
    const QStringList messages = eventsOf("message");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("missing.txt")));
    EXPECT_TRUE(w.Timer5->enabled());
}

// Without a file manager the folder does not open: the teacher is told where
// the copy went instead of seeing nothing at all.
TEST_F(CopyButtonsTest, AFolderThatCannotBeOpenedIsNamedInAMessage)
{
    writePage("a.html", "A");
    TForm1& w = open();
    platform::setOpenUrlSucceeds(false);
    w.SpeedButton5->click();
    EXPECT_EQ(copies(), QStringList{"a.html"});
    ASSERT_EQ(eventsOf("message").size(), 1);
    EXPECT_TRUE(eventsOf("message").value(0).contains(w.CopyFolder));
    platform::clearEvents();
    w.SpeedButton13->click();
    ASSERT_EQ(eventsOf("message").size(), 1);
    EXPECT_TRUE(eventsOf("message").value(0).contains(w.CurrentFolder()));
}

// A file no program takes is named in a message instead of nothing happening.
TEST_F(CopyButtonsTest, AFileNoProgramOpensIsNamedInAMessage)
{
    writeFile(rootFile("a.xyz"), "x");
    TForm1& w = open();
    platform::setOpenUrlSucceeds(false);
    platform::clearEvents();
    w.Label1->setCaption(rootFile("a.xyz"));
    w.RightClickFlag = false;
    tools::Panel1MouseUp(w);
    ASSERT_EQ(eventsOf("message").size(), 1);
    EXPECT_TRUE(eventsOf("message").value(0).contains(rootFile("a.xyz")));
}
