// The page commands on a shown main window: navigation and levels, lists
// with counters and conditionals, the find fallback, and where commands may
// come from and write to.
#include "test_command_fixture.h"

#include <QImage>

TEST_F(PageCommandTest, NextBackTopTurnPagesAndWrap)
{
    TForm1& w = shown();
    ASSERT_EQ(w.PBanSu(), 3);
    w.KRNcommand("NEXT");
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_TRUE(page()->navigated().last().endsWith("0020_b.html"));
    w.KRNcommand("BACK");
    EXPECT_EQ(w.PBan(), 0);
    w.KRNcommand("BACK"); // on page 0: the last page
    EXPECT_EQ(w.PBan(), 2);
    w.KRNcommand("NEXT"); // on the last page: the end-of-list action (one level: page 0)
    EXPECT_EQ(w.PBan(), 0);
    w.PBanSave(2);
    w.KRNcommand("TOP");
    EXPECT_EQ(w.PBan(), 0);
}

TEST_F(PageCommandTest, BackInAnEmptyLevelStaysAtZero)
{
    TForm1& w = shown();
    w.levels.pushLevel({}, {}, 0);
    w.KRNcommand("BACK");
    EXPECT_EQ(w.PBan(), 0);
}

TEST_F(PageCommandTest, GoGosubAndReturn)
{
    TForm1& w = shown();
    w.KRNcommand("GO b");
    EXPECT_EQ(w.PBan(), 1);
    w.KRNcommand("GO nothing");
    EXPECT_EQ(w.PBan(), 1);
    w.KRNcommand("GOSUB 0030_c");
    EXPECT_EQ(w.levels.depth(), 2);
    EXPECT_EQ(w.PBan(), 2);
    EXPECT_EQ(w.levels.PBanList.first(), "1"); // the old level keeps its page
    w.KRNcommand("RETURN");
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.PBan(), 1);
}

TEST_F(PageCommandTest, DirOpensFoldersUnderTheRoot)
{
    TForm1& w = shown();
    w.KRNcommand("DIR sub");
    EXPECT_EQ(w.levels.depth(), 2);
    EXPECT_EQ(w.CurrentFolder(), inRoot("sub"));
    EXPECT_EQ(w.levels.topEntries(), QStringList({"0010_s.html"}));
    // the program's own "DIR" with an absolute folder
    w.KRNcommand("DIR " + root());
    EXPECT_EQ(w.levels.depth(), 3);
    EXPECT_EQ(w.CurrentFolder(), root());
}

TEST_F(PageCommandTest, LeavingASubFolderShowsTheParentsPageAndFolder)
{
    TForm1& w = shown();
    w.KRNcommand("GO b");
    w.KRNcommand("DIR sub");
    ASSERT_EQ(w.CurrentFolder(), inRoot("sub"));
    w.KRNcommand("NEXT"); // past the sub-folder's only page: back to the parent level
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.CurrentFolder(), root());
    EXPECT_EQ(page()->navigated().last(), inRoot("0020_b.html"));
    EXPECT_EQ(w.Panel8->caption(), "Pagora.data");
    w.KRNcommand("NEXT"); // and the level goes on from there
    EXPECT_EQ(page()->navigated().last(), inRoot("0030_c.html"));
}

TEST_F(PageCommandTest, QuizListCountsAndChoosesTheFeedback)
{
    TForm1& w = shown();
    lower()->findResult = true;
    const QString link = commandUrl("-1,$<-1[_【×】][_【△】]");
    EXPECT_TRUE(click(link));
    EXPECT_EQ(w.PageCounter, -1);
    ASSERT_FALSE(lower()->finds.isEmpty());
    EXPECT_EQ(lower()->finds.last(), "【△】");
    click(link);
    EXPECT_EQ(w.PageCounter, -2);
    EXPECT_EQ(lower()->finds.last(), "【×】");
    w.KRNcommand("NEXT"); // showing a page resets the counter
    EXPECT_EQ(w.PageCounter, 0);
}

TEST_F(PageCommandTest, CounterThatIsNoNumberEndsTheList)
{
    TForm1& w = shown();
    w.RunCommandList("+2,=7,NEXT,,");
    EXPECT_EQ(w.PageCounter, 2);
    EXPECT_EQ(w.PBan(), 0);
    w.RunCommandList("==5,NEXT,");
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_EQ(w.PageCounter, 0); // NEXT showed a page
}

TEST_F(PageCommandTest, EmptyPieceRefreshesWithoutResettingTheCounter)
{
    TForm1& w = shown();
    const int scripts = lower()->scripts.size();
    w.RunCommandList("+3,,");
    EXPECT_EQ(w.PageCounter, 3);
    EXPECT_GT(lower()->scripts.size(), scripts); // the lower pane went to its top
    w.RunCommandList("NEXT,");
    EXPECT_EQ(w.PBan(), 1);
}

TEST_F(PageCommandTest, OtherWordsAreFoundInTheLowerPane)
{
    TForm1& w = shown();
    lower()->findAnswer = [](const QString& t) { return t == "【その他】"; };
    w.KRNcommand("_7【○】");
    EXPECT_EQ(w.LowerPaneHeight, 7 * w.kabe->height() / 10);
    EXPECT_EQ(lower()->finds, QStringList({"【○】", "【その他】"}));
    w.KRNcommand("_x");
    EXPECT_EQ(w.LowerPaneHeight, w.kabe->height() * 3 / 10);
    EXPECT_EQ(lower()->finds.mid(2, 1), QStringList({"x"}));
    // neither the text nor "【その他】": the pane scrolls to its end
    lower()->findAnswer = [](const QString&) { return false; };
    lower()->scripts.clear();
    w.KRNcommand("absent");
    ASSERT_EQ(lower()->scripts.size(), 1);
    EXPECT_TRUE(lower()->scripts.first().contains("scrollHeight"));
}

TEST_F(PageCommandTest, WebPagesOnlyNavigate)
{
    TForm1& w = shown();
    const QString web = "http://example.com/quiz.html";
    EXPECT_TRUE(click("http://example.com/$JS%20v.txt%20a=1", web));
    EXPECT_FALSE(QFile::exists(inRoot("v.txt")));
    EXPECT_TRUE(flashText().contains("JS"));
    click("http://example.com/$tool.sh", web);
    EXPECT_TRUE(seamEvents("start").isEmpty());
    click("http://example.com/$DIR%20/tmp", web);
    EXPECT_EQ(w.levels.depth(), 1);
    click("http://example.com/$NEXT", web);
    EXPECT_EQ(w.PBan(), 1);
    click("http://example.com/$+4,$DIR%20sub", web); // counters and DIR under the root are fine
    EXPECT_EQ(w.levels.depth(), 2);
}

TEST_F(PageCommandTest, DesktopIsNamedOnlyByPageCommands)
{
    TForm1& w = shown();
    writeFile(inRoot("note.txt"), "memo");
    w.RunCommandList("COPY note.txt DESKTOP/copied.txt,");
    EXPECT_TRUE(QFile::exists(files::joinPath(desktop(), "copied.txt")));
    w.KRNcommand("COPY note.txt DESKTOP.txt");
    EXPECT_TRUE(QFile::exists(inRoot("DESKTOP.txt")));
}

TEST_F(PageCommandTest, WritesStayInsideTheProgramsFolders)
{
    TForm1& w = shown();
    writeFile(inRoot("note.txt"), "memo");
    const QString outside = files::joinPath(dir.path(), "outside.txt");
    w.KRNcommand("COPY note.txt " + outside);
    EXPECT_FALSE(QFile::exists(outside));
    w.KRNcommand("JS ../escape.txt a=1");
    EXPECT_FALSE(QFile::exists(files::joinPath(dir.path(), "escape.txt")));
    // One short line the panel can show whole: the name, not the long path.
    EXPECT_EQ(flashText(), QStringLiteral("このファイルには書き込めません：escape.txt"));
    w.KRNcommand("COPY note.txt \"sub/a copy.txt\"");
    EXPECT_TRUE(QFile::exists(inRoot("sub/a copy.txt")));
}

TEST_F(PageCommandTest, ValueAndHistoryFiles)
{
    TForm1& w = shown();
    w.KRNcommand("JS v.txt a=1");
    w.KRNcommand("JS v.txt a=+2");
    EXPECT_EQ(files::readUtf8(inRoot("v.txt")).value_or(""), "a=3\r\n");
    w.KRNcommand("JS v.txt"); // two words: nothing written
    EXPECT_EQ(files::readUtf8(inRoot("v.txt")).value_or(""), "a=3\r\n");
    w.KRNcommand("HISJS s=1"); // before HIS the history folder "$history" is missing
    EXPECT_FALSE(QFile::exists(inRoot("$history/history.txt")));

    writeFile(inRoot("0040_history.html"),
              "<HTML><HEAD><SCRIPT SRC=\"history/old.txt\"></SCRIPT></HEAD></HTML>");
    w.OpenFolder(root(), 0, false);
    w.KRNcommand("HIS quiz");
    EXPECT_EQ(w.HistoryName, "history/quiz");
    EXPECT_TRUE(files::readUtf8(inRoot("0040_history.html")).value_or("").contains("SRC=\"history/quiz.txt\""));
    w.KRNcommand("HISJS sDAT[1]=3");
    EXPECT_EQ(files::readUtf8(inRoot("history/quiz.txt")).value_or(""), "sDAT[1]=3\r\n");
    w.KRNcommand("HIS");
    EXPECT_EQ(w.HistoryName, "history/NAME");
    w.KRNcommand("JS v.txt a=DEL");
    EXPECT_FALSE(QFile::exists(inRoot("v.txt")));
}

TEST_F(PageCommandTest, HistoryPagesOutsideTheProgramsFoldersStayUntouched)
{
    TForm1& w = shown();
    const QByteArray page = "<HTML><HEAD><SCRIPT SRC=\"history/old.txt\"></SCRIPT></HEAD></HTML>";
    const QString outside = files::joinPath(dir.path(), "0050_history.html");
    writeFile(outside, page);
    writeFile(inRoot("0060_history.html"), page);
    w.levels.pushLevel({"../0050_history.html", "0060_history.html"}, {"out", "in"}, 0);
    w.KRNcommand("HIS quiz");
    EXPECT_EQ(files::readBytes(outside).value_or(""), page);
    EXPECT_TRUE(files::readUtf8(inRoot("0060_history.html")).value_or("").contains("SRC=\"history/quiz.txt\""));
}

TEST_F(PageCommandTest, PaintWritesAWholeWhitePicture)
{
    TForm1& w = shown();
    w.KRNcommand("PAINT pic");
    const QString path = inRoot("pic.bmp");
    EXPECT_EQ(QFileInfo(path).size(), 921654);
    const QImage picture(path);
    ASSERT_EQ(picture.size(), QSize(640, 480));
    EXPECT_EQ(picture.pixelColor(639, 479), QColor(Qt::white));
}

TEST_F(PageCommandTest, ProgramsStartWithOneArgumentOfResolvedWords)
{
    TForm1& w = shown();
    w.KRNcommand("tool.sh a.txt b.txt");
    ASSERT_EQ(platform::events().size() > 0, true);
    bool started = false;
    for (const platform::SeamEvent& e : platform::events()) {
        if (e.kind == "start") {
            started = true;
            EXPECT_EQ(e.text, inRoot("tool.sh"));
            EXPECT_EQ(e.args, QStringList({inRoot("a.txt") + " " + inRoot("b.txt")}));
        }
    }
    EXPECT_TRUE(started);
    EXPECT_EQ(flashText(), inRoot("tool.sh") + QChar(0x3000));
    platform::clearEvents();
    w.KRNcommand(".\\bin\\run.sh");
    EXPECT_EQ(seamEvents("start"), QStringList({inRoot("bin/run.sh")}));
}

TEST_F(PageCommandTest, LaterWindowsAreReachedThroughTheirEntryPoints)
{
    TForm1& w = shown();
    QString recorded;
    QString answered;
    laterwindows::hooks().recordSound = [&](const QString& p) { recorded = p; };
    laterwindows::hooks().answer = [&](const QString& p) { answered = p; };
    laterwindows::hooks().look = [&](const QString&, const QString& word, laterwindows::LookResult& r) {
        EXPECT_EQ(word, "b");
        r.entries = {"0020_b.html", "0030_c.html"};
        r.titles = {"b", "c"};
        r.lastCaption = QUrl::fromLocalFile(inRoot("0030_c.html")).toString();
        return true;
    };
    w.KRNcommand("WAV q1");
    EXPECT_EQ(recorded, inRoot("q1.wav"));
    w.KRNcommand("WAV q1.wav");
    EXPECT_EQ(recorded, inRoot("q1.wav"));
    w.KRNcommand("ANSWER");
    EXPECT_EQ(answered, inRoot("0010_a.html"));
    w.KRNcommand("LOOK b");
    EXPECT_EQ(w.levels.depth(), 2);
    EXPECT_EQ(w.PBan(), 1); // "GO" to the entry it previewed last
}
