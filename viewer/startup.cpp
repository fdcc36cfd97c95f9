// Start-up and shutdown of the main window: the folders that follow from the
// executable, the data folders, today's daily report, the look-ups of the
// programming environment, the window size, the
// first page, the command-line import, and the close.
#include "viewer/main_window.h"

#include "store/log.h"
#include "viewer/later_windows.h"
#include "platform/browser.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/paths.h"
#include "store/text.h"
#include "viewer/command_values.h"
#include "viewer/page_buttons.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QThread>
#include <QToolTip>
#include <cstdlib>

namespace {

const QString kPageMask = QStringLiteral(
    "*.ht*;*.do*;*.jt*;*.zbx;*.zba;*.mp4;*.m4v;*.webm;*.mov;*.flv;*.avi;*.xl*;*.pdf;*.jp*;*.bmp;*.png;*.gif;");

// The folder's last path component.
QString folderName(const QString& folder)
{
    return QFileInfo(folder).fileName();
}

// Companion of a page: the same path with another extension.
QString withExtension(const QString& path, const QString& ext)
{
    const QFileInfo fi(path);
    return files::joinPath(fi.path(), fi.completeBaseName() + ext);
}

QString compactDate(const QDate& d)
{
    return text::pad(d.year(), 4) + text::pad(d.month(), 2) + text::pad(d.day(), 2);
}

// Hints stay up for a minute, long enough to read a long folder path.
class HintPause : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        if (w->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), w->toolTip(), w, QRect(), 60000);
        return true;
    }
};

} // namespace

void TForm1::setExecutablePath(const QString& exePath)
{
    const QFileInfo fi(exePath);
    ExeBaseName = fi.fileName();
    const int dot = int(ExeBaseName.lastIndexOf(QLatin1Char('.')));
    if (dot > 0)
        ExeBaseName.truncate(dot);
    ExeFolder = fi.absolutePath();
    RootFolder = files::joinPath(ExeFolder, ExeBaseName + QStringLiteral(".data"));
}

void TForm1::FormCreate()
{
    QFont hintFont = QToolTip::font();
    hintFont.setPointSize(15);
    QToolTip::setFont(hintFont);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(new HintPause(this));
    MergePageWidth = 640;
    HistoryName = QStringLiteral("$history/history");
    DailyReportStoreName = QStringLiteral("00_日報の保存");
    kabeRight->setTag(0);
    levels.clear();
    levels.ExeBaseName = ExeBaseName;
    ButtonMargin = 2;
    setCurrentFolder(RootFolder);
    QCoreApplication::setApplicationName(ExeBaseName);
    HelpFileName = QStringLiteral("_help.html");
}

void TForm1::createDataFolders()
{
    // The program's own folder holds the data root; every other folder of
    // the program lies inside the data root or on the desktop.
    files::makeFolder(ExeFolder, {ExeFolder});
    files::makeFolder(RootFolder, {ExeFolder});
    WorkFolder = files::joinPath(RootFolder, QStringLiteral("00_RESUME"));
    files::makeFolder(WorkFolder, {RootFolder});
    DailyReportStore = files::joinPath(RootFolder, DailyReportStoreName);
    CopyFolder = files::joinPath(store::DesktopFolder(), QStringLiteral("【") + ExeBaseName + QStringLiteral("】"));
    files::makeFolder(CopyFolder, {store::DesktopFolder()});
    // The store is made last; when it cannot be made the data folders are not writable.
    const bool storeThere = files::makeFolder(DailyReportStore, {RootFolder}) && QFileInfo(DailyReportStore).isDir();
    FolderWriteFailed = storeThere ? 0 : 1;
}

void TForm1::lookUpProgrammingEnv()
{
    ProgrammingEnvExe.clear();
    ProgrammingEnvFolder.clear();
    SpeedButton3->setEnabled(false);
    SpeedButton3->setHint(QStringLiteral("ZORBを入れるとプログラミングできます。"));
    auto exeIn = [](const QString& folder) -> QString {
        for (const QString& name : {QStringLiteral("zorb"), QStringLiteral("zorb.exe")}) {
            const QFileInfo fi(files::joinPath(folder, name));
            if (fi.isFile() && fi.isExecutable())
                return fi.filePath();
        }
        return QString();
    };
    QString exe;
    const QString besideProgram = files::joinPath(ExeFolder, QStringLiteral("ZORB"));
    if (!exeIn(besideProgram).isEmpty()) {
        ProgrammingEnvFolder = besideProgram;
        exe = exeIn(besideProgram);
    }
    const QString inDataRoot = files::joinPath(RootFolder, QStringLiteral("ZORB"));
    if (!exeIn(inDataRoot).isEmpty()) { // the data root's copy wins
        ProgrammingEnvFolder = inDataRoot;
        exe = exeIn(inDataRoot);
    }
    if (!ProgrammingEnvFolder.isEmpty()) {
        SpeedButton3->setEnabled(true);
        SpeedButton3->setHint(QStringLiteral("プログラミング"));
        ProgrammingEnvExe = exe;
    }
}

QSize TForm1::startWindowSize(const QSize& workArea)
{
    const int width = workArea.width() < 1280 ? workArea.width() : 1265;
    const int height = qMin(workArea.height(), 742);
    return QSize(width, height);
}

QString TForm1::dailyReportSource(const QString& store, const QStringList& storeNames, const QString& date)
{
    QString source;
    for (const QString& name : storeNames)
        if (name.contains(date))
            source = files::joinPath(store, name);
    return source;
}

QString TForm1::dailyReportTarget(const QString& root, const QStringList& rootNames)
{
    QString target = files::joinPath(root, QStringLiteral("日報.html"));
    for (const QString& name : rootNames)
        if (name.contains(QStringLiteral("_日報.html")))
            target = files::joinPath(root, name);
    return target;
}

void TForm1::restoreDailyReport()
{
    FileListBox6->setDirectory(DailyReportStore);
    FileListBox6->update();
    FileListBox7->setDirectory(CurrentFolder());
    FileListBox7->update();
    const QString source = dailyReportSource(DailyReportStore, FileListBox6->items(), compactDate(store::clock::today()));
    if (source.isEmpty())
        return;
    const QString target = dailyReportTarget(CurrentFolder(), FileListBox7->items());
    // Each copy stands alone: a missing companion or a locked target is
    // skipped, and named.
    QStringList failed;
    const QStringList within = commands::writeRoots(*this).folders;
    if (!files::copyFileOver(source, target, within))
        failed << QFileInfo(source).fileName();
    for (const QString& ext : {QStringLiteral(".%xt"), QStringLiteral(".wav")}) {
        const QString companion = withExtension(source, ext);
        if (QFileInfo::exists(companion) && !files::copyFileOver(companion, withExtension(target, ext), within))
            failed << QFileInfo(companion).fileName();
    }
    if (!failed.isEmpty()) {
        qCWarning(lcPagora) << "today's daily report could not be restored:" << failed;
        ShowFlashMessage(QStringLiteral("日報を戻せませんでした：") + failed.join(QStringLiteral("、")), 4000);
    }
}

void TForm1::sizeToScreen()
{
    QRect area(0, 0, 1366, 768);
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    const QSize size = startWindowSize(area.size());
    WindowWidth = size.width();
    StartWindowHeight = size.height();
    StartWindowWidth = WindowWidth;
    resize(WindowWidth, StartWindowHeight);
    kabeBASE->setWidth(width());
    if (kabeBASE->align() != platform::Align::Client)
        kabeBASE->setHeight(height());
}

void TForm1::FormShow()
{
    shown_ = true;
    FileListBox1->setMask(kPageMask);
    VideoCount = 0;
    FolderWriteFailed = 0;
    createDataFolders();
    SpeedButton1->setHint(ExeBaseName + QStringLiteral("フォルダ をデスクトップの【") + ExeBaseName + QStringLiteral("】の中にコピー"));
    SpeedButton21->setHint(ExeBaseName + QStringLiteral("フォルダ を開く"));
    lookUpProgrammingEnv();
    SpeedButton17->setHint(ExeBaseName + QStringLiteral("に戻る"));
    Paste2->setCaption(QStringLiteral("文書を選んで「") + folderName(CurrentFolder()) + QStringLiteral("」の中に保存"));
    // The pane never reaches above the data root; setting its top reads it afresh.
    DirectoryListBox1->setTop(RootFolder);
    DirectoryListBox1->setDirectory(CurrentFolder());
    pausePatrol();
    PictureDialogFolder = CurrentFolder();
    move(0, 0);
    SearchCacheKey = QStringLiteral("xxx");
    CommandLineMode = 0;
    if (!CommandLineFiles.isEmpty()) {
        runCommandLineImport();
        return;
    }
    // Folder pane closed.
    hyoushi->setWidth(0);
    SpeedButton9->setVisible(false);
    SpeedButton2->setVisible(true);
    // The page list and its file count follow from opening the data root
    // (FormShowICHI), after today's daily report has been put back.
    restoreDailyReport();
    sizeToScreen();
    ArrangeToolbar();
    FormShowICHI();
    SelectedFolder = CurrentFolder();
    SpeedButton21->setHint(SelectedFolder + QStringLiteral("フォルダ を開く"));
    SpeedButton1->setHint(SelectedFolder + QStringLiteral("フォルダ をデスクトップの【") + ExeBaseName + QStringLiteral("】の中にコピー"));
    SpeedButton7->setLeft(SpeedButton6->left() + SpeedButton6->width() + 4);
    resumePatrol();
    Timer6->setEnabled(true);
}

void TForm1::FormShowICHI()
{
    resize(StartWindowWidth, StartWindowHeight);
    OpenFolder(RootFolder, 0, true);
    BuildPageButtons();
    DrawingMode = 0;
    move(0, 0);
    SetDrawingLayout(0);
    PageClick(0, true);
    // No page menu is built here: it is built afresh before every showing (the
    // menu button, a right click on a page button), and a build now would
    // hold up the engine while it loads the first page.
}

void TForm1::runCommandLineImport()
{
    resize(0, 0);
    ListBox1 = CommandLineFiles;
    CommandLineMode = 1;
    ImportListedFiles(CurrentFolder(), true);
    QCoreApplication::processEvents();
    platform::beep();
    QThread::msleep(10);
    ShowFlashMessage(QStringLiteral("終"), 1499);
}

void TForm1::FormCloseQuery()
{
    try {
        if (Tag > 0 && laterwindows::hooks().memoWindow) // the page memo window is in use
            laterwindows::hooks().memoWindow->close();
        for (platform::Browser** b : {&WebBrowser1, &WebBrowser2, &WebBrowser3}) {
            if (*b) {
                // The view owns its page and the browser object: freeing the
                // view frees all three, after the handler that may be running.
                if (QWidget* w = (*b)->widget()) {
                    w->hide();
                    w->deleteLater();
                } else {
                    (*b)->deleteLater();
                }
                *b = nullptr;
            }
        }
        viewer::discardPageButtons(*this);
        levels.clear();
        for (platform::Timer* t : {Timer1, Timer2, Timer3, Timer4, Timer5})
            t->setEnabled(false);
        SpeedButton12->setGlyph(Image12->picture());
        SpeedButton12->setCaption(QStringLiteral("巡回中止"));
        if (ShutdownPauseMs > 0)
            QThread::msleep(ShutdownPauseMs);
    } catch (...) {
        // Ends this process only; the close still proceeds in tests.
        qCWarning(lcPagora) << "shutting down failed:" << store::log::currentException();
        shutdownFailed_ = true;
        if (!platform::testMode())
            std::_Exit(1);
    }
}

void TForm1::ExitProgram()
{
    QCoreApplication::processEvents();
    setCaption(QStringLiteral("終"));
    showNormal();
    close();
    QCoreApplication::processEvents();
}

void TForm1::Exit1Click()
{
    ExitProgram();
}
