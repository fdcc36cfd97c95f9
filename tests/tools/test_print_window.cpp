// Printing from the main window with browser stand-ins: the work pages
// written, the print view loaded and the preview asked for; the merge of a
// folder into the thumbnail document.
#include "viewer/page_display_fixture.h"

#include "platform/picture.h"
#include "support/temp_tree.h"
#include "support/wait_for.h"
#include "tools/capture_print_bindings.h"
#include "tools/printing.h"

#include <QTimer>

namespace {

class PrintTest : public PageDisplayTest {
protected:
    TForm1& startPrintWindow()
    {
        TForm1& w = start();
        tools::bindCapturePrint(w);
        return w;
    }
    platform::FakeBrowser* printView() const { return qobject_cast<platform::FakeBrowser*>(window->WebBrowser3); }
    static int printEvents()
    {
        int n = 0;
        for (const auto& e : platform::events())
            n += e.kind == QLatin1String("print");
        return n;
    }
    QString work(const QString& name) const { return files::joinPath(root() + "/00_RESUME", name); }
};

} // namespace

TEST_F(PrintTest, WorksheetIsWrittenAndPreviewedWhenItsPageHasLoaded)
{
    writeFile(rootFile("pic.png"), "png");
    writeFile(rootFile("1010_q.html"),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("<HTML><HEAD><TITLE>1010_問題</TITLE></HEAD><BODY><IMG SRC=\"pic.png\">"
                             "<P>答え(りんご)</P></BODY></HTML>")
                  .toUtf8());
    TForm1& w = startPrintWindow();
    platform::clearEvents();
    tools::PrintPageAnswerSheet(w);
    const QString sheet = work("test.html");
    const QByteArray bytes = files::readBytes(sheet).value_or(QByteArray());
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("<FONT size=\"3\">1010_問題</FONT>")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n")));
    EXPECT_EQ(files::readBytes(work("pic.png")).value_or(QByteArray()), QByteArray("png"));
    ASSERT_FALSE(printView()->navigated().isEmpty());
    EXPECT_EQ(printView()->navigated().last(), fileUrl(sheet));
    EXPECT_EQ(printEvents(), 0);

    printView()->completeDocument(fileUrl(sheet));
    EXPECT_TRUE(waitFor([] { return printEvents() == 1; }, 2000));
    // The next completion of the print view is no print request.
    printView()->completeDocument(fileUrl(sheet));
    waitMs(50);
    EXPECT_EQ(printEvents(), 1);
}

TEST_F(PrintTest, AWorkFolderThatLinksOutOfTheDataRootGetsNoWorksheet)
{
    writeFile(rootFile("pic.png"), "png");
    writeFile(rootFile("sub/pic.png"), "png");
    writeFile(rootFile("1010_q.html"), QByteArray("<HTML><BODY><IMG SRC=\"pic.png\"><IMG SRC=\"sub/pic.png\">"
                                                  "<P>(a)</P></BODY></HTML>"));
    TempTree outside;
    ASSERT_FALSE(dir.symlink(QStringLiteral("Pagora.data/00_RESUME"), outside.path()).isEmpty());
    TForm1& w = startPrintWindow();
    platform::clearEvents();
    tools::PrintPageWorksheet(w);
    EXPECT_TRUE(outside.list(QString()).isEmpty()) << outside.list(QString()).join(' ').toStdString();
    EXPECT_EQ(printView()->navigated().size(), 0);
    int messages = 0;
    for (const auto& e : platform::events())
        messages += e.kind == QLatin1String("message");
    EXPECT_EQ(messages, 1);
}

// The print view's completion comes from inside the browser engine: the
// preview and the pending events run after it has returned, never in it.
TEST_F(PrintTest, ThePrintViewCompletionRunsNoEventsInsideTheEngine)
{
    writeFile(rootFile("1010_q.html"), QByteArray("<HTML><BODY><P>q</P></BODY></HTML>"));
    TForm1& w = startPrintWindow();
    tools::PrintPageWorksheet(w);
    platform::clearEvents();
    bool ranInside = false;
    bool inside = true;
    QTimer::singleShot(0, [&] { ranInside = inside; });
    printView()->completeDocument(fileUrl(work("test.html")));
    inside = false;
    EXPECT_FALSE(ranInside);
    EXPECT_EQ(printEvents(), 0);
    EXPECT_TRUE(waitFor([] { return printEvents() == 1; }, 2000));
}

TEST_F(PrintTest, BlankWorksheetDiffersFromTheAnswerSheet)
{
    writeFile(rootFile("1010_q.html"),
              QByteArray("<HTML><HEAD><TITLE>q</TITLE></HEAD><BODY><P>(\xE3\x81\x82)</P></BODY></HTML>"));
    TForm1& w = startPrintWindow();
    tools::PrintPageWorksheet(w);
    const QString blank = files::readUtf8(work("test.html")).value_or(QString());
    tools::PrintPageAnswerSheet(w);
    const QString red = files::readUtf8(work("test.html")).value_or(QString());
    EXPECT_FALSE(blank.isEmpty());
    EXPECT_NE(blank, red);
}

TEST_F(PrintTest, PagePrintPreviewsTheMainView)
{
    writePage("a.html", "a");
    TForm1& w = startPrintWindow();
    platform::clearEvents();
    tools::N6Click(w);
    ASSERT_EQ(printEvents(), 1);
    EXPECT_EQ(platform::events().last().text, QStringLiteral("ページの印刷"));
}

TEST_F(PrintTest, MergeWritesTheDocumentWithAPictureOfEveryPage)
{
    for (int i = 0; i < 6; ++i)
        writePage(QStringLiteral("101%1_p.html").arg(i), QStringLiteral("101%1_題%1").arg(i));
    writePage("1010_p.pdf", "x"); // a name that a picture must not share with 1010_p.html
    writeFile(rootFile("1010_p.%xt"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("メモ<1>\r\n二行目").toUtf8());
    TForm1& w = startPrintWindow();
    w.PBanSave(2);
    w.PageClick(0, true);
    platform::clearEvents();
    tools::MergeCheckedPages(w);
    ASSERT_TRUE(tools::MergeRunning());
    tools::MergeCheckedPages(w); // a second merge waits for the first
    EXPECT_EQ(w.Timer4->interval(), 2000);
    EXPECT_EQ(w.Timer4->tag(), w.PBanSu() - 1);
    for (int guard = 0; tools::MergeRunning() && guard < 20; ++guard)
        w.Timer4->fire();
    ASSERT_FALSE(tools::MergeRunning());
    EXPECT_EQ(w.Timer4->tag(), 0);
    EXPECT_FALSE(w.Timer4->enabled());

    const QString resume = work("resumeE.html");
    const QStringList lines = files::splitLines(files::readUtf8(resume).value_or(QString()));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.join('\n').count(QStringLiteral("<TR>")), 7);
    EXPECT_TRUE(lines.contains(QStringLiteral("<TD valign=\"top\" width=\"330\">[題0]<BR>メモ&lt;1&gt;<BR>二行目 </TD>")));
    int pictures = 0;
    for (const QString& line : lines) {
        const int at = line.indexOf(QStringLiteral("<IMG src=\""));
        if (at < 0)
            continue;
        const QString src = line.mid(at + 10, line.indexOf('"', at + 10) - at - 10);
        EXPECT_FALSE(platform::loadPicture(work(QUrl::fromPercentEncoding(src.toUtf8()))).isNull()) << src.toStdString();
        ++pictures;
    }
    EXPECT_EQ(pictures, 7);
    EXPECT_TRUE(QFileInfo::exists(work("_1010_p.jpg")));
    EXPECT_TRUE(QFileInfo::exists(work("_1010_p_pdf.jpg")));
    EXPECT_EQ(w.PBan(), 2); // the page shown before is shown again
    ASSERT_FALSE(printView()->navigated().isEmpty());
    EXPECT_EQ(printView()->navigated().last(), fileUrl(resume));
    EXPECT_EQ(w.PrintPending, 1);
}

TEST_F(PrintTest, MergeWritesNothingThroughAWorkFolderThatLinksOutOfTheDataRoot)
{
    writePage("1010_p.html", "p");
    TempTree outside;
    ASSERT_FALSE(dir.symlink(QStringLiteral("Pagora.data/00_RESUME"), outside.path()).isEmpty());
    TForm1& w = startPrintWindow();
    platform::clearEvents();
    tools::MergeCheckedPages(w);
    for (int guard = 0; tools::MergeRunning() && guard < 20; ++guard)
        w.Timer4->fire();
    EXPECT_FALSE(tools::MergeRunning());
    EXPECT_TRUE(outside.list(QString()).isEmpty()) << outside.list(QString()).join(' ').toStdString();
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_TRUE(platform::events().last().text.contains(w.WorkFolder));
}

TEST_F(PrintTest, MergeOfAnEmptyListSaysWhatToDo)
{
    QDir().mkpath(root());
    TForm1& w = startPrintWindow();
    platform::clearEvents();
    tools::MergeCheckedPages(w);
    EXPECT_FALSE(tools::MergeRunning());
    ASSERT_FALSE(platform::events().isEmpty());
    EXPECT_EQ(platform::events().last().text,
              QStringLiteral("合体するページがありません。\rチェックボタンでチェック入りタグを作ってください。"));
    EXPECT_FALSE(QFileInfo::exists(work("resumeE.html")));
}
