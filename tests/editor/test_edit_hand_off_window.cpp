// The edit hand-off on a started main window: the editor is answered
// through the seam's queued modal result (or a stand-in where a save must
// happen), programs are observed through the seam, and the clock is fixed.
#include "support/seam_texts.h"
#include "viewer/page_display_fixture.h"
#include "support/write_bounds.h"

#include "editor/edit_hand_off.h"
#include "editor/forms/form2.h"
#include "editor/main_window_bindings.h"
#include "support/temp_tree.h"
#include "support/wait_for.h"
#include "store/clock.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <memory>

namespace {

const QDateTime kMoment(QDate(2020, 4, 14), QTime(10, 5, 33));

// The LOOK linker's stand-in: removing turns "$LOOK" into "$NOLOOK";
// adding turns it back and marks the text, so a re-link shows on disk.
QString fakeLookLinks(TForm1&, int mode, const QString& text)
{
    QString t = text;
    if (mode == 1)
        return t.replace(QStringLiteral("$LOOK"), QStringLiteral("$NOLOOK"));
    t.replace(QStringLiteral("$NOLOOK"), QStringLiteral("$LOOK"));
    return t.contains(QStringLiteral("<!--linked-->")) ? t : t + QStringLiteral("<!--linked-->");
}

} // namespace

class EditHandOffTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        store::clock::setFixed(kMoment);
        editor::handOffParts() = editor::HandOffParts{};
        editor::handOffParts().applyLookLinks = [this](TForm1& w, int mode, const QString& text) {
            lookModes.append(mode);
            return fakeLookLinks(w, mode, text);
        };
        editor::handOffParts().otherProgramPauseMs = 30;
        editorWindow = std::make_unique<TForm2>();
        Form2 = editorWindow.get();
        // The editor takes the source in Memo82; a window still without one
        // gets a plain memo of that name for the hand-over.
        if (!editorWindow->findChild<QObject*>(QStringLiteral("Memo82")))
            (new QPlainTextEdit(editorWindow.get()))->setObjectName(QStringLiteral("Memo82"));
        oldPath = qgetenv("PATH");
    }
    void TearDown() override
    {
        qputenv("PATH", oldPath);
        platform::setProgramHandler({});
        Form2 = nullptr;
        editorWindow.reset();
        editor::handOffParts() = editor::HandOffParts{};
        PageDisplayTest::TearDown();
    }

    // A stand-in editor that may save; it records what it was handed.
    void standInEditor(std::function<QString(const QString& path, const QString& source)> save)
    {
        editor::handOffParts().runEditor = [this, save](TForm1&, const QString& path, const QString& source,
                                                        bool newPage) -> std::optional<QString> {
            handedPath = path;
            handedSource = source;
            handedNewPage = newPage;
            existedWhenHanded = QFileInfo::exists(path);
            patrolWhileEditing = window->Timer5->enabled();
            shownWhileEditing = lastNavigation();
            return save(path, source);
        };
    }
    QStringList eventsOf(const QString& kind) const { return ::seamTexts(kind); }
    // The started window with the editor's buttons and menu items bound.
    TForm1& open()
    {
        TForm1& w = start();
        editor::bindMainWindow(w);
        return w;
    }
    static QByteArray readBack(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString placeholder() const { return rootFile(QStringLiteral("_XXX.html")); }
    void expectRunningAgain(TForm1& w)
    {
        EXPECT_FALSE(editor::editInProgress());
        EXPECT_TRUE(w.isEnabled());
        EXPECT_TRUE(w.Timer5->enabled());
        EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回開始"));
        EXPECT_NE(lastNavigation(), placeholder());
    }
    // A paint program found on PATH (never run: the seam records it).
    QString fakePaintProgram()
    {
        const QString paint = programs.executable(QStringLiteral("kolourpaint"), "#!/bin/sh\nexit 0\n");
        qputenv("PATH", programs.path().toLocal8Bit());
        return paint;
    }

    std::unique_ptr<TForm2> editorWindow;
    QByteArray oldPath;
    TempTree programs;
    QList<int> lookModes;
    QString handedPath;
    QString handedSource;
    bool handedNewPage = false;
    bool existedWhenHanded = false;
    bool patrolWhileEditing = true;
    QString shownWhileEditing;
};

TEST_F(EditHandOffTest, EachEditKeepsThePreviousTextOfItsPage)
{
    writePage("a.html", "A");
    writePage("b.html", "B");
    TForm1& w = open();

    platform::setNextModalResult(QDialog::Rejected); // "閉じる"
    w.SpeedButton15->click();
    EXPECT_EQ(eventsOf("modal").size(), 1);
    EXPECT_EQ(readBack(root() + "/_%.html"), page("A"));

    showPage(w, 1);
    platform::setNextModalResult(QDialog::Accepted);
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("modal").size(), 2);
    EXPECT_EQ(readBack(root() + "/_%.html"), page("B"));
    EXPECT_EQ(w.PBan(), 1);
    EXPECT_EQ(lastNavigation(), rootFile("b.html"));
    expectRunningAgain(w);

    // The edit button has no right-button action.
    platform::clearEvents();
    w.SpeedButton15->resize(30, 30);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(3, 3), QPointF(w.SpeedButton15->mapToGlobal(QPoint(3, 3))), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.SpeedButton15, &e);
    }
    EXPECT_TRUE(platform::events().isEmpty());
}

TEST_F(EditHandOffTest, ClosingWithoutSavingPutsLookLinksBackAndReloads)
{
    writeFile(rootFile("a.html"), page("A") + "<A HREF=\"$LOOK 林檎\">林檎</A>");
    writePage("b.html", "B");
    TForm1& w = open();
    showPage(w, 1);
    showPage(w, 0);
    const quint64 generation = w.PageButtonGeneration;

    platform::setNextModalResult(QDialog::Rejected);
    editor::EditCurrentPage(w);
    EXPECT_EQ(lookModes, (QList<int>{1, 0}));
    const QByteArray onDisk = readBack(rootFile("a.html"));
    EXPECT_TRUE(onDisk.contains("$LOOK 林檎"));
    EXPECT_TRUE(onDisk.contains("<!--linked-->"));
    EXPECT_TRUE(onDisk.startsWith("\xEF\xBB\xBF"));
    // The list was read again and the page shown.
    EXPECT_GT(w.PageButtonGeneration, generation);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(lastNavigation(), rootFile("a.html"));
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, TheEditorGetsThePageWithoutLookLinksWhileThePatrolRests)
{
    writeFile(rootFile("a.html"), page("A") + "<A HREF=\"$LOOK x\">x</A>");
    TForm1& w = open();
    standInEditor([](const QString& path, const QString&) { return path; });
    w.SpeedButton15->click();
    EXPECT_EQ(handedPath, rootFile("a.html"));
    EXPECT_TRUE(handedSource.contains(QStringLiteral("$NOLOOK x")));
    EXPECT_FALSE(handedSource.contains(QStringLiteral("\xEF\xBB\xBF")));
    EXPECT_FALSE(handedNewPage);
    EXPECT_FALSE(patrolWhileEditing);
    EXPECT_EQ(shownWhileEditing, placeholder());
    EXPECT_TRUE(readBack(placeholder()).contains("--- 編集中 ---"));
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, APageSavedUnderANewNameIsTheOneShownAndCounted)
{
    writePage("a.html", "A");
    writePage("b.html", "B");
    TForm1& w = open();
    standInEditor([this](const QString&, const QString&) {
        writePage("c.html", "C");
        return rootFile("c.html");
    });
    editor::EditCurrentPage(w);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("c.html"));
    EXPECT_EQ(lastNavigation(), rootFile("c.html"));
    EXPECT_EQ(w.PageButtons.size(), 3);
    expectRunningAgain(w);
    // The patrol knows the new count: its next tick rebuilds nothing.
    const quint64 generation = w.PageButtonGeneration;
    w.Timer5Timer();
    EXPECT_EQ(w.PageButtonGeneration, generation);
}

TEST_F(EditHandOffTest, TheEditedPageStaysSelectedWhenAnotherNameEndsInItsName)
{
    writePage("0005_b_a.html", "B");
    writePage("a.html", "A");
    TForm1& w = open();
    ASSERT_EQ(w.levels.topEntries(), (QStringList{"0005_b_a.html", "a.html"}));
    for (bool saves : {false, true}) {
        showPage(w, 1);
        standInEditor([this, saves](const QString& path, const QString& source) {
            if (saves)
                writeFile(path, (source + QStringLiteral("<!-- saved -->")).toUtf8());
            return path;
        });
        editor::EditCurrentPage(w);
        EXPECT_EQ(w.PBan(), 1) << "saved: " << saves;
        EXPECT_EQ(lastNavigation(), rootFile("a.html")) << "saved: " << saves;
        expectRunningAgain(w);
    }
}

TEST_F(EditHandOffTest, WebAddressesDoNothing)
{
    writePage("a.html", "A");
    TForm1& w = open();
    const int shown = browser()->navigated().size();
    platform::clearEvents();
    for (const char* web : {"https://example.org/a.html", "HTTP://example.org/", "ftp://host/x"})
        editor::EditPageFile(w, QString::fromUtf8(web), QString());
    EXPECT_TRUE(platform::events().isEmpty());
    EXPECT_EQ(browser()->navigated().size(), shown);
    EXPECT_FALSE(QFileInfo::exists(placeholder()));
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(EditHandOffTest, FailuresAfterThePauseEndWithAMessageAndThePageShown)
{
    writePage("a.html", "A");
    TForm1& w = open();

    // A file that cannot be read (here a folder under a page's name).
    QDir().mkpath(rootFile("dir.html"));
    platform::clearEvents();
    editor::EditPageFile(w, rootFile("dir.html"), QString());
    EXPECT_EQ(eventsOf("message"), QStringList{QStringLiteral("ファイルを読めませんでした：dir.html")});
    expectRunningAgain(w);

    // No editor window yet: the first edit makes it.
    Form2 = nullptr;
    platform::clearEvents();
    editor::EditCurrentPage(w);
    EXPECT_TRUE(eventsOf("message").isEmpty());
    ASSERT_NE(Form2, nullptr);
    EXPECT_EQ(Form2->parentWidget(), &w);
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, AFailedBackupIsToldBeforeTheEdit)
{
    writePage("a.html", "A");
    QDir().mkpath(rootFile("_%.html")); // nothing can be copied there
    TForm1& w = open();
    platform::clearEvents();
    platform::setNextAnswer(platform::Answer::No);
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("ask").size(), 1);
    EXPECT_TRUE(eventsOf("modal").isEmpty());
    expectRunningAgain(w);

    platform::setNextAnswer(platform::Answer::Yes);
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("modal").size(), 1);
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, PicturesGoToThePaintProgramAndTheWindowComesBack)
{
    writeFile(rootFile("a.JPG"));
    TForm1& w = open();
    const QString paint = fakePaintProgram();
    bool enabledWhilePainting = true;
    platform::setProgramHandler([&](const QString&, const QStringList&) {
        enabledWhilePainting = w.Timer5->enabled();
        return true;
    });
    platform::clearEvents();
    editor::EditCurrentPage(w);
    ASSERT_EQ(eventsOf("start"), QStringList{paint});
    EXPECT_EQ(platform::events().last().args, QStringList{rootFile("a.JPG")});
    EXPECT_FALSE(enabledWhilePainting); // the patrol rested meanwhile
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_FALSE(editor::editInProgress());
    EXPECT_EQ(readBack(rootFile("_%.JPG")), QByteArray("x"));

    // No paint program at all: said so, and the page is back.
    qputenv("PATH", QByteArray("/nonexistent-pagora-path"));
    platform::clearEvents();
    editor::EditCurrentPage(w);
    EXPECT_TRUE(eventsOf("start").isEmpty());
    EXPECT_EQ(eventsOf("message").size(), 1);
    EXPECT_TRUE(w.Timer5->enabled());
}

TEST_F(EditHandOffTest, OtherFilesOpenAndTheWindowWaitsWithoutFreezing)
{
    writeFile(rootFile("a.pdf"));
    TForm1& w = open();
    platform::clearEvents();
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("openUrl"), QStringList{fileUrl(rootFile("a.pdf"))});
    // The pause runs on a timer: the call has returned, the window waits.
    EXPECT_FALSE(w.isEnabled());
    EXPECT_FALSE(w.Timer5->enabled());
    EXPECT_EQ(lastNavigation(), placeholder());
    EXPECT_TRUE(readBack(placeholder()).contains("*** 編集中 ***"));
    // A second edit meanwhile is refused.
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("openUrl").size(), 1);
    ASSERT_TRUE(waitFor([&] { return !editor::editInProgress(); }, 3000));
    EXPECT_EQ(lastNavigation(), rootFile("a.pdf"));
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, HtmlOutsideTheLayoutGoesToTheSpreadsheetProgram)
{
    writeFile(rootFile("a.html"), "<html><body>table</body></html>");
    TForm1& w = open();
    w.ExcelPath = QStringLiteral("/opt/office/program/libreoffice");
    platform::clearEvents();
    editor::EditCurrentPage(w);
    ASSERT_EQ(eventsOf("start"), QStringList{w.ExcelPath});
    EXPECT_EQ(platform::events().last().args, (QStringList{"--calc", rootFile("a.html")}));
    ASSERT_TRUE(waitFor([&] { return !editor::editInProgress(); }, 3000));
    expectRunningAgain(w);

    // Without a spreadsheet program: a message at once, no wait.
    w.ExcelPath.clear();
    platform::clearEvents();
    editor::EditCurrentPage(w);
    EXPECT_EQ(eventsOf("message"), QStringList{QStringLiteral("表計算ソフトが見つかりません。")});
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, ADailyReportIsArchivedUnderTodaysNameEvenWhenNotSaved)
{
    writeFile(rootFile("日報.html"), page("今日") + "<IMG src=\"img/pic.jpg\">");
    writeFile(rootFile("img/pic.jpg"), "jpeg");
    TForm1& w = open();
    const QString store = w.DailyReportStore;
    // Yesterday's archive must survive today's edit.
    writeFile(files::joinPath(store, QStringLiteral(" 2020年04月13日日報.html")), "yesterday");
    platform::setNextModalResult(QDialog::Rejected);
    editor::EditCurrentPage(w);
    EXPECT_EQ(readBack(files::joinPath(store, QStringLiteral(" 2020年04月14日日報.html"))), readBack(rootFile("日報.html")));
    EXPECT_EQ(readBack(files::joinPath(store, QStringLiteral("img/pic.jpg"))), QByteArray("jpeg"));
    EXPECT_EQ(readBack(files::joinPath(store, QStringLiteral(" 2020年04月13日日報.html"))), QByteArray("yesterday"));
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, ADailyReportStoreThatLinksOutOfTheDataRootGetsNothing)
{
    writeFile(rootFile("日報.html"), page("今日") + "<IMG src=\"img/pic.jpg\">");
    writeFile(rootFile("img/pic.jpg"), "jpeg");
    TempTree outside;
    ASSERT_FALSE(dir.symlink(QStringLiteral("Pagora.data/00_日報の保存"), outside.path()).isEmpty());
    TForm1& w = open();
    platform::setNextModalResult(QDialog::Rejected);
    editor::EditCurrentPage(w);
    EXPECT_TRUE(outside.list(QString()).isEmpty()) << outside.list(QString()).join(' ').toStdString();
    EXPECT_EQ(eventsOf("message").size(), 1);
    expectRunningAgain(w);
}

TEST_F(EditHandOffTest, ANewDatedPageExistsOnlyOnceSaved)
{
    writePage("20200414-1404332.html", "earlier today");
    writePage("a.html", "A");
    TForm1& w = open();

    // Not saved: nothing is written, and the page shown before is back.
    standInEditor([](const QString& path, const QString&) { return path; });
    w.N8->click();
    // Page 2 of the day exists already, so the count's name is taken.
    EXPECT_EQ(handedPath, rootFile("20200414-1404333.html"));
    EXPECT_TRUE(handedNewPage);
    EXPECT_FALSE(existedWhenHanded);
    EXPECT_TRUE(handedSource.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    EXPECT_TRUE(handedSource.contains(QStringLiteral("<TITLE>2020年04月14日</TITLE>")));
    EXPECT_FALSE(QFileInfo::exists(handedPath));
    EXPECT_FALSE(QFileInfo::exists(rootFile("_%.html"))); // nothing to back up
    EXPECT_EQ(w.PageButtons.size(), 2);
    expectRunningAgain(w);

    // Saved: listed and shown.
    standInEditor([this](const QString& path, const QString& source) {
        EXPECT_TRUE(files::writeTextBom(path, source, tempBounds()));
        return path;
    });
    w.N9->click();
    EXPECT_EQ(w.PageButtons.size(), 3);
    EXPECT_EQ(w.levels.topEntries().value(w.PBan()), QStringLiteral("20200414-1404333.html"));
    EXPECT_EQ(lastNavigation(), rootFile("20200414-1404333.html"));
    EXPECT_EQ(readBack(rootFile("20200414-1404332.html")), page("earlier today"));
}

TEST_F(EditHandOffTest, TheEditorMadeByTheFirstEditTakesTheMainWindowsSizeAndFitWidth)
{
    writePage("a.html", "A");
    TForm1& w = open();
    w.resize(1265, 742);
    Form2 = nullptr; // not made until the first edit
    editor::EditCurrentPage(w);
    ASSERT_NE(Form2, nullptr);
    TForm2* editorMade = Form2;
    EXPECT_EQ(editorMade->parentWidget(), &w);
    EXPECT_TRUE(editorMade->isWindow());
    editorMade->SpeedButton38Click();
    EXPECT_EQ(editorMade->page.PageWidth, 1265 - 112);

    // Shown, it lies over the main window, not pushed off to one side by
    // the placing done for its smaller design size.
    w.move(40, 30);
    editorMade->show();
    EXPECT_EQ(editorMade->pos(), w.pos());
    EXPECT_EQ(editorMade->size(), w.size());
    editorMade->hide();
}
