// Start-up of the main window: folders from the executable, the data
// folders, the first list level, the daily-report restore, the look-ups, the
// window size, the command-line import and the shutdown.
#include "viewer/main_window_fixture.h"

#include "store/clock.h"

#include <QDate>
#include <QFileDevice>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {


QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void makeExecutable(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST_F(MainWindowTest, FoldersFollowTheExecutablesNameAndPlace)
{
    TForm1& w = make();
    EXPECT_EQ(w.ExeBaseName, QStringLiteral("Pagora"));
    EXPECT_EQ(w.ExeFolder, dir.path());
    EXPECT_EQ(w.RootFolder, root());
    EXPECT_EQ(w.CurrentFolder(), root());
    EXPECT_EQ(w.PBan(), -1); // no level before the first showing
    EXPECT_EQ(TForm1::instance(), &w);
    EXPECT_EQ(Form1, &w);

    TForm1 other(files::joinPath(dir.path(), QStringLiteral("tool.bin")));
    EXPECT_EQ(other.ExeBaseName, QStringLiteral("tool"));
    EXPECT_EQ(other.RootFolder, files::joinPath(dir.path(), QStringLiteral("tool.data")));
}

TEST_F(MainWindowTest, FirstShowCreatesDataFoldersAndOpensRootAsLevelOne)
{
    writeFile(files::joinPath(root(), QStringLiteral("1000_a.html")));
    writeFile(files::joinPath(root(), QStringLiteral("1010_b.html")));
    TForm1& w = make();
    w.FormShow();
    EXPECT_TRUE(QFileInfo(files::joinPath(root(), QStringLiteral("00_RESUME"))).isDir());
    EXPECT_TRUE(QFileInfo(files::joinPath(root(), QStringLiteral("00_日報の保存"))).isDir());
    EXPECT_TRUE(QFileInfo(w.CopyFolder).isDir());
    EXPECT_TRUE(w.CopyFolder.endsWith(QStringLiteral("/【Pagora】")));
    EXPECT_EQ(w.FolderWriteFailed, 0);
    EXPECT_EQ(w.levels.depth(), 1);
    EXPECT_EQ(w.PBan(), 0);
    EXPECT_EQ(w.PBanSu(), 2);
    EXPECT_EQ(w.CurrentFolder(), root());
    EXPECT_EQ(w.SelectedFolder, root());
    EXPECT_EQ(w.CommandLineMode, 0);
    EXPECT_TRUE(w.Timer5->enabled());
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回開始"));
    EXPECT_TRUE(w.Timer6->enabled());
    EXPECT_EQ(w.hyoushi->width(), 0);
    EXPECT_EQ(w.SpeedButton17->hint(), QStringLiteral("Pagoraに戻る"));
    EXPECT_EQ(w.SpeedButton21->hint(), root() + QStringLiteral("フォルダ を開く"));
}

TEST_F(MainWindowTest, SecondStartKeepsFolderFlagClearAndUnwritableRootSetsIt)
{
    {
        TForm1& w = make();
        w.FormShow();
    }
    TForm1& again = make();
    again.FormShow();
    EXPECT_EQ(again.FolderWriteFailed, 0);

    QTemporaryDir other;
    const QString exe = files::joinPath(other.path(), QStringLiteral("Pagora"));
    writeFile(files::joinPath(other.path(), QStringLiteral("Pagora.data"))); // a file where the root should be
    TForm1 blocked(exe);
    blocked.ShutdownPauseMs = 0;
    blocked.createDataFolders();
    EXPECT_EQ(blocked.FolderWriteFailed, 1);
}

TEST_F(MainWindowTest, WindowSizeKeepsSmallScreensAndCapsLargeOnes)
{
    EXPECT_EQ(TForm1::startWindowSize(QSize(1366, 768)), QSize(1265, 742));
    EXPECT_EQ(TForm1::startWindowSize(QSize(1280, 1024)), QSize(1265, 742));
    EXPECT_EQ(TForm1::startWindowSize(QSize(1279, 700)), QSize(1279, 700));
    EXPECT_EQ(TForm1::startWindowSize(QSize(1024, 900)), QSize(1024, 742));
}

TEST_F(MainWindowTest, DailyReportRestoreTakesTheLastMatchOnBothSides)
{
    const QString store = QStringLiteral("/r/00_日報の保存");
    EXPECT_EQ(TForm1::dailyReportSource(store, {QStringLiteral("20200414_a.html"), QStringLiteral("20200414_b.html")},
                                        QStringLiteral("20200414")),
              QStringLiteral("/r/00_日報の保存/20200414_b.html"));
    EXPECT_TRUE(TForm1::dailyReportSource(store, {QStringLiteral("2020年4月14日 日報.html")}, QStringLiteral("20200414")).isEmpty());
    EXPECT_EQ(TForm1::dailyReportTarget(QStringLiteral("/r"), {QStringLiteral("1000_日報.html"), QStringLiteral("1010_日報.html")}),
              QStringLiteral("/r/1010_日報.html"));
    EXPECT_EQ(TForm1::dailyReportTarget(QStringLiteral("/r"), {QStringLiteral("1000_a.html")}), QStringLiteral("/r/日報.html"));
}

TEST_F(MainWindowTest, DailyReportRestoreCopiesPageAndCompanions)
{
    // Just before midnight: the day the report is taken from is the clock's.
    store::clock::setFixed(QDateTime(QDate(2020, 4, 14), QTime(23, 59, 59)));
    const QString store = files::joinPath(root(), QStringLiteral("00_日報の保存"));
    writeFile(files::joinPath(store, QStringLiteral("20200413_日報.html")), "yesterday");
    writeFile(files::joinPath(store, QStringLiteral("20200414_日報.html")), "today");
    writeFile(files::joinPath(store, QStringLiteral("20200414_日報.%xt")), "memo");
    writeFile(files::joinPath(root(), QStringLiteral("1030_日報.html")), "old");
    TForm1& w = make();
    w.FormShow();
    EXPECT_EQ(read(files::joinPath(root(), QStringLiteral("1030_日報.html"))), QByteArray("today"));
    EXPECT_EQ(read(files::joinPath(root(), QStringLiteral("1030_日報.%xt"))), QByteArray("memo"));
    EXPECT_FALSE(QFileInfo::exists(files::joinPath(root(), QStringLiteral("1030_日報.wav"))));
}

TEST_F(MainWindowTest, DailyReportRestoreNamesWhatItCouldNotCopy)
{
    store::clock::setFixed(QDateTime(QDate(2020, 4, 14), QTime(9, 0, 0)));
    const QString store = files::joinPath(root(), QStringLiteral("00_日報の保存"));
    writeFile(files::joinPath(store, QStringLiteral("20200414_日報.html")), "today");
    writeFile(files::joinPath(store, QStringLiteral("20200414_日報.%xt")), "memo");
    writeFile(files::joinPath(root(), QStringLiteral("1030_日報.html")), "old");
    QDir().mkpath(files::joinPath(root(), QStringLiteral("1030_日報.%xt"))); // a folder where the memo goes
    TForm1& w = make();
    w.FormShow();
    store::clock::clearFixed();
    EXPECT_EQ(read(files::joinPath(root(), QStringLiteral("1030_日報.html"))), QByteArray("today"));
    EXPECT_EQ(w.Pmathu->caption(), QStringLiteral("日報を戻せませんでした：20200414_日報.%xt"));
}

TEST_F(MainWindowTest, ProgrammingEnvironmentInDataRootWins)
{
    TForm1& w = make();
    w.lookUpProgrammingEnv();
    EXPECT_FALSE(w.SpeedButton3->enabled());
    EXPECT_EQ(w.SpeedButton3->hint(), QStringLiteral("ZORBを入れるとプログラミングできます。"));
    EXPECT_TRUE(w.ProgrammingEnvExe.isEmpty());

    makeExecutable(files::joinPath(dir.path(), QStringLiteral("ZORB/zorb")));
    makeExecutable(files::joinPath(root(), QStringLiteral("ZORB/zorb")));
    w.lookUpProgrammingEnv();
    EXPECT_TRUE(w.SpeedButton3->enabled());
    EXPECT_EQ(w.SpeedButton3->hint(), QStringLiteral("プログラミング"));
    EXPECT_EQ(w.ProgrammingEnvFolder, files::joinPath(root(), QStringLiteral("ZORB")));
    EXPECT_EQ(w.ProgrammingEnvExe, files::joinPath(root(), QStringLiteral("ZORB/zorb")));
}

TEST_F(MainWindowTest, SpreadsheetProgramIsAskedForWhenFirstReadNotAtStart)
{
    TForm1& w = make();
    w.FormShow();
    EXPECT_FALSE(w.ExcelPath.known()) << "the first showing does not wait for the desktop";
    const QString found = w.ExcelPath;
    EXPECT_EQ(found, platform::spreadsheetProgram());
    EXPECT_TRUE(w.ExcelPath.known());

    // A path given before the first read stands.
    TForm1 other(files::joinPath(dir.path(), QStringLiteral("tool")));
    other.ExcelPath = QStringLiteral("/opt/calc");
    EXPECT_EQ(QString(other.ExcelPath), QStringLiteral("/opt/calc"));
    other.ExcelPath.clear();
    EXPECT_TRUE(QString(other.ExcelPath).isEmpty());
}

TEST_F(MainWindowTest, CommandLineImportCopiesFilesAndCloses)
{
    QTemporaryDir source;
    const QString a = files::joinPath(source.path(), QStringLiteral("a.html"));
    const QString b = files::joinPath(source.path(), QStringLiteral("写真.jpg"));
    writeFile(a, "A");
    writeFile(b, "B");
    TForm1& w = make();
    w.CommandLineFiles = {a, b};
    w.show();
    EXPECT_EQ(w.CommandLineMode, 1);
    EXPECT_EQ(read(files::joinPath(root(), QStringLiteral("a.html"))), QByteArray("A"));
    EXPECT_EQ(read(files::joinPath(root(), QStringLiteral("写真.jpg"))), QByteArray("B"));
    EXPECT_EQ(w.levels.depth(), 0); // no folder opened, no page shown
    EXPECT_FALSE(w.Timer5->enabled());
    EXPECT_FALSE(w.Timer6->enabled());
    EXPECT_TRUE(w.Timer1->enabled());
    EXPECT_EQ(w.Timer1->interval(), 1499);
    bool beeped = false;
    for (const auto& e : platform::events())
        beeped = beeped || e.kind == QLatin1String("beep");
    EXPECT_TRUE(beeped);

    w.Timer1->fire();
    EXPECT_EQ(w.caption(), QStringLiteral("終"));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, ShutdownFreesViewsButtonsAndStopsTimers)
{
    writeFile(files::joinPath(root(), QStringLiteral("a.html")));
    TForm1& w = make();
    w.FormShow();
    ASSERT_EQ(w.PageButtons.size(), 1);
    const quint64 generation = w.PageButtonGeneration;
    w.FormCloseQuery();
    EXPECT_EQ(w.WebBrowser1, nullptr);
    EXPECT_EQ(w.WebBrowser2, nullptr);
    EXPECT_EQ(w.WebBrowser3, nullptr);
    EXPECT_TRUE(w.PageButtons.isEmpty());
    w.PageButtonKeyPress(0, generation, 32); // a key that reaches a freed button does nothing
    EXPECT_EQ(w.levels.depth(), 0);
    for (platform::Timer* t : {w.Timer1, w.Timer2, w.Timer3, w.Timer4, w.Timer5})
        EXPECT_FALSE(t->enabled());
    EXPECT_EQ(w.SpeedButton12->caption(), QStringLiteral("巡回中止"));
    EXPECT_FALSE(w.shutdownFailed());
}

TEST_F(MainWindowTest, FirstShowingRunsOnceWhetherDoneBeforeTheWindowShowsOrByIt)
{
    writeFile(files::joinPath(root(), QStringLiteral("1000_a.html")));
    TForm1& w = make();
    w.firstShow(); // the program does it just before showing the window
    EXPECT_EQ(w.levels.depth(), 1);
    auto* view = qobject_cast<platform::FakeBrowser*>(w.WebBrowser1);
    ASSERT_NE(view, nullptr);
    const int asked = view->navigated().size();
    EXPECT_GE(asked, 1);
    w.show();
    EXPECT_EQ(view->navigated().size(), asked) << "showing the window does not open the folder again";
    EXPECT_EQ(w.levels.depth(), 1);
    w.hide();

    TForm1 other(files::joinPath(dir.path(), QStringLiteral("tool")));
    other.ShutdownPauseMs = 0;
    other.show(); // shown without it: the show event does it
    EXPECT_EQ(other.levels.depth(), 1);
    other.close();
}

TEST_F(MainWindowTest, FirstShowSizesWindowToScreenAndNamesFolderInMenu)
{
    TForm1& w = make();
    w.FormShow();
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QSize expected = TForm1::startWindowSize(screen->availableGeometry().size());
    EXPECT_EQ(w.size(), expected);
    EXPECT_EQ(w.WindowWidth, expected.width());
    EXPECT_EQ(w.kabeBASE->width(), expected.width());
    EXPECT_EQ(w.kabeBASE->height(), expected.height());
    EXPECT_EQ(w.kabeBASE->geometry().topLeft(), QPoint(0, 0)) << "the whole arrangement fills the window";
    EXPECT_EQ(w.Paste2->caption(), QStringLiteral("文書を選んで「Pagora.data」の中に保存"));
}

TEST_F(MainWindowTest, ExitMenuClosesWithFinalCaption)
{
    TForm1& w = make();
    w.show();
    ASSERT_TRUE(w.isVisible());
    w.Exit1->click();
    EXPECT_EQ(w.caption(), QStringLiteral("終"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.WebBrowser1, nullptr);
}
