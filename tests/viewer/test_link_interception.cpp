// The before-navigate handler: what proceeds, what is cancelled and taken
// over, and the layout it switches to.
#include "test_command_fixture.h"

TEST_F(PageCommandTest, CommandLinksAreCancelledAndRunAfterTheCallback)
{
    TForm1& w = shown();
    EXPECT_TRUE(page()->raiseNavigation(commandUrl("NEXT,$NEXT")));
    EXPECT_EQ(w.PBan(), 0); // nothing ran inside the callback
    QCoreApplication::processEvents();
    EXPECT_EQ(w.PBan(), 2);
    EXPECT_FALSE(click(fileUrl("0020_b.html"))); // an ordinary page proceeds
    EXPECT_FALSE(click("http://example.com/path")); // a web address without extension too
}

TEST_F(PageCommandTest, NothingHappensWithoutACurrentPage)
{
    TForm1& w = make();
    EXPECT_FALSE(w.WebBrowser1BeforeNavigate2(w.WebBrowser1, commandUrl("NEXT"), QString(), false));
}

TEST_F(PageCommandTest, FolderLinksOpenTheFileManager)
{
    shown();
    EXPECT_TRUE(click(QUrl::fromLocalFile(inRoot("sub")).toString()));
    EXPECT_EQ(seamEvents("openUrl"), QStringList({QUrl::fromLocalFile(inRoot("sub")).toString()}));
    platform::clearEvents();
    EXPECT_FALSE(click(QUrl::fromLocalFile(inRoot("missing")).toString()));
    EXPECT_TRUE(seamEvents("openUrl").isEmpty());
}

TEST_F(PageCommandTest, SoundAndVideoLinks)
{
    TForm1& w = shown();
    QString played;
    laterwindows::hooks().playVideo = [&](const QString& url, const QPoint&) { played = url; };
    EXPECT_TRUE(click(fileUrl("clip.wav")));
    EXPECT_TRUE(click(fileUrl("movie.avi")));
    EXPECT_EQ(played, fileUrl("movie.avi"));
    // "$" makes a sound link a command list, but a video stays a video
    EXPECT_TRUE(click(commandUrl("GO%20c.wav")));
    EXPECT_EQ(w.PBan(), 0); // GO "c.wav" matches no key
    played.clear();
    EXPECT_TRUE(click(commandUrl("COPY%20a.avi%20b.avi")));
    EXPECT_FALSE(played.isEmpty());
}

TEST_F(PageCommandTest, LinksToListedEntriesSelectThemWithoutBouncing)
{
    TForm1& w = shown();
    w.levels.pushLevel({"http://h/a.html", "http://h/a.html#x", "http://h/b.html"}, {"a", "ax", "b"}, 0);
    EXPECT_FALSE(click("http://h/a.html"));
    EXPECT_EQ(w.PBan(), 1); // the first entry holding the URL that is not the current one
    // the program's own navigation to that entry does not move on again
    EXPECT_FALSE(page()->raiseNavigation("http://h/a.html", QString(), true));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.PBan(), 1);
}

TEST_F(PageCommandTest, TitlePagesSwitchTheLayout)
{
    TForm1& w = shown();
    writeFile(inRoot("0005_cover.html"),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<HTML><HEAD><TITLE>TITLE 表紙</TITLE></HEAD></HTML>");
    click(fileUrl("0005_cover.html"));
    EXPECT_EQ(w.hyoushi->width(), 0);
    EXPECT_EQ(w.kabeRight->width(), 1);
    EXPECT_TRUE(w.SpeedButton10->visible());
    EXPECT_FALSE(w.SpeedButton6->visible());
    EXPECT_EQ(w.SpeedButton7->tag(), 1);
    click(fileUrl("0020_b.html"));
    EXPECT_EQ(w.kabeRight->width(), 220);
    EXPECT_TRUE(w.SpeedButton6->visible());
    EXPECT_EQ(w.SpeedButton7->tag(), 0);
}

// The desktop opener is a program: a web video opens outside only upon a
// page of the data root that links to it; a web page's request for one (or
// a request no page raised) opens nothing, and its command list runs with a
// web page's trust.
TEST_F(PageCommandTest, WebVideosOpenOutsideOnlyUponALocalPagesOwnLink)
{
    TForm1& w = shown();
    writeFile(inRoot("0010_a.html"), "<a href=\"http://example.com/movie.wmv\">movie</a>");
    EXPECT_TRUE(click("http://example.com/movie.wmv"));
    EXPECT_EQ(seamEvents("openUrl"), QStringList({"http://example.com/movie.wmv"}));
    platform::clearEvents();
    EXPECT_TRUE(click("http://example.com/movie.wmv", "http://example.com/index.html"));
    EXPECT_TRUE(click("http://example.com/other.avi")); // not the page's own link
    EXPECT_TRUE(page()->raiseNavigation("http://example.com/movie.wmv", fileUrl("0010_a.html"), false, false));
    EXPECT_TRUE(click("http://example.com/movie.avi,$JS%20x.txt%20a=1,$+3", "http://example.com/index.html"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(seamEvents("openUrl").isEmpty()) << seamEvents("openUrl").join(' ').toStdString();
    EXPECT_FALSE(QFileInfo::exists(inRoot("x.txt")));
    EXPECT_EQ(w.PageCounter, 3);
}

// The quiz pane of one page must not come back over the next one when a
// title page narrows the button column.
TEST_F(PageCommandTest, TitlePageLayoutDoesNotReopenTheLowerPane)
{
    TForm1& w = shown();
    writeFile(inRoot("0040_cover.html"),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<HTML><HEAD><TITLE>題目</TITLE></HEAD></HTML>");
    click(commandUrl("_7【×】"));
    ASSERT_GT(w.kabeKR->height(), 0);
    w.PBanSave(1);
    w.PageClick(0, true); // the next page is shown: the pane closes
    EXPECT_EQ(w.kabeKR->height(), 0);
    click(fileUrl("0040_cover.html"));
    ASSERT_EQ(w.kabeRight->width(), 1); // the title-page layout did switch
    EXPECT_EQ(w.kabeKR->height(), 0);
}

// A page whose file name holds "$" is a page like any other: however the
// program shows it (start-up, a page button, a list result, back and
// forward, the patrol's reload), nothing of its name runs as a command.
TEST_F(PageCommandTest, TheProgramsOwnDisplayNeverRunsTheNameAsCommands)
{
    const QString name = QStringLiteral("0005_x$JS pwned.txt a=1,$python3 .p.py,.html");
    writeFile(inRoot(name), "<html><body>planted</body></html>");
    writeFile(inRoot(".p.py"), "print(1)\n");
    for (const char* other : {"0010_a.html", "0020_b.html"})
        writeFile(inRoot(QString::fromLatin1(other)), "<html><body>page</body></html>");
    TForm1& w = make();
    page()->autoEvents = true;
    w.FormShow(); // start-up shows the first page: the planted one
    QCoreApplication::processEvents();
    ASSERT_EQ(w.caption(), fileUrl(name));

    w.PBanSave(1);
    w.PageClick(0, true);
    platform::MouseArgs left;
    left.button = Qt::LeftButton;
    w.PageButtonMouseDown(0, w.PageButtonGeneration, left); // its page button
    QCoreApplication::processEvents();
    EXPECT_EQ(w.caption(), fileUrl(name));
    w.PBanSave(2);
    w.PageClick(0, true);
    w.PBanSave(0);
    w.PageClick(0, true); // as the list and search windows show a result
    page()->goBack();
    page()->goForward();
    page()->refresh(); // the patrol's reload of a changed page
    QCoreApplication::processEvents();

    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(page()->navigated().count(inRoot(name)), 3);
    EXPECT_FALSE(QFileInfo::exists(inRoot("pwned.txt")));
    EXPECT_TRUE(seamEvents("start").isEmpty()) << seamEvents("start").join(' ').toStdString();
}

// Who raised a request is told by its address: a command list in any
// address but a file: one comes from the web, whatever page is shown;
// writing commands and folder links are refused, counting still runs. A
// file: address raised in a page of the data root keeps a local page's
// trust; in a local file outside it, it does not.
TEST_F(PageCommandTest, OnlyFileAddressesFromPagesOfTheDataRootHaveLocalTrust)
{
    TForm1& w = shown();
    EXPECT_TRUE(click("http://127.0.0.1:8/z/$JS%20x.txt%20a=1,$+2"));
    EXPECT_TRUE(click("data:text/html,$JS%20x.txt%20a=1,$+2"));
    EXPECT_FALSE(QFileInfo::exists(inRoot("x.txt")));
    EXPECT_TRUE(flashText().contains("Webページからは")) << flashText().toStdString();
    EXPECT_EQ(w.PageCounter, 4);
    writeFile(files::joinPath(dir.path(), "evil.html"), "<html></html>");
    const QString outside = QUrl::fromLocalFile(files::joinPath(dir.path(), "evil.html")).toString();
    EXPECT_TRUE(click(commandUrl("JS%20x.txt%20a=1"), outside));
    EXPECT_TRUE(click(QUrl::fromLocalFile(inRoot("sub")).toString(), outside));
    EXPECT_TRUE(page()->raiseNavigation(commandUrl("JS%20x.txt%20a=1"), fileUrl("0010_a.html"), false, false));
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFileInfo::exists(inRoot("x.txt")));
    EXPECT_TRUE(seamEvents("openUrl").isEmpty());

    EXPECT_TRUE(click(commandUrl("JS%20x.txt%20a=1"))); // the page's own link keeps its trust
    EXPECT_TRUE(QFileInfo::exists(inRoot("x.txt")));
}

// A link page read from the web, or from a local file outside the data
// root, leads only to web addresses, and its command link has a web page's
// trust. The text of a document the view no longer shows is dropped.
TEST_F(PageCommandTest, LinkPagesOutsideTheDataRootLeadOnlyToTheWeb)
{
    TForm1& w = shown();
    const QString outside = QUrl::fromLocalFile(files::joinPath(dir.path(), "evil.html")).toString();
    page()->calls.clear();
    w.ProcessLinkPage("【リンク】<a href=\"" + outside + "\">x</a>", "http://h/a.html");
    w.ProcessLinkPage("【リンク】<a href=\"" + outside + "#http://x\">a</a><a href=\"b.html\">b</a>", "http://h/d/a.html");
    EXPECT_EQ(w.levels.topEntries(), QStringList({"http://h/d/b.html"}));
    w.ProcessLinkPage("【リンク】<a href=\"sub/0010_s.html\">x</a>", outside);
    w.ProcessLinkPage("【リンク】<a href=\"/$JS%20x.txt%20a=1,$+2\">x</a>", outside);
    w.ProcessLinkPage("【リンク】<a href=\"/$JS%20x.txt%20a=1,$+3\">x</a>", "http://h/a.html");
    for (const QString& target : page()->navigated())
        EXPECT_TRUE(target.startsWith("http://h/")) << target.toStdString();
    EXPECT_FALSE(QFileInfo::exists(inRoot("x.txt")));
    EXPECT_EQ(w.PageCounter, 5);

    // The web page's text comes back after the view moved on: nothing runs.
    page()->scriptResult = QStringLiteral(R"({"u":"http://h/a.html","t":"【リンク】<a href=\"http://h/c.html\">c</a>"})");
    page()->navigate("http://h/a.html");
    w.setCaption("http://h/a.html");
    w.LastDocumentUrl.clear();
    page()->calls.clear();
    page()->completeDocument();
    EXPECT_EQ(page()->navigated(), QStringList({"http://h/c.html"}));
    page()->navigate("http://h/other.html");
    w.setCaption("http://h/other.html");
    w.LastDocumentUrl.clear();
    page()->calls.clear();
    page()->completeDocument();
    EXPECT_TRUE(page()->navigated().isEmpty()) << page()->navigated().join(' ').toStdString();
}
