// The main window's life as a widget: creation, the caption that carries the
// shown URL, the placement of the browser views, the patrol switch, the
// level stack's window side, and the Qt events that run the start-up and
// shutdown handlers.
#include "viewer/main_window.h"

#include "viewer/folder_check.h"

#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QShowEvent>

TForm1* Form1 = nullptr;

TForm1::TForm1(const QString& exePath, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    Form1 = this;
    setExecutablePath(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath);
    createComponents();
    bindEvents();
    FormCreate();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

TForm1* TForm1::instance()
{
    return Form1;
}

void TForm1::setCaption(const QString& text)
{
    caption_ = text;
    setWindowTitle(text);
}

QRect TForm1::browserBounds(const platform::Browser* b) const
{
    if (b && b == WebBrowser1)
        return browserRects_[0];
    if (b && b == WebBrowser2)
        return browserRects_[1];
    if (b && b == WebBrowser3)
        return browserRects_[2];
    return QRect();
}

void TForm1::setBrowserBounds(platform::Browser* b, const QRect& r)
{
    if (!b)
        return;
    const int i = b == WebBrowser1 ? 0 : b == WebBrowser2 ? 1 : b == WebBrowser3 ? 2 : -1;
    if (i < 0)
        return;
    browserRects_[i] = r;
    if (QWidget* w = b->widget()) {
        w->setGeometry(r);
        // A lower view with nothing of it inside its panel stays hidden: the
        // engine gives every shown view a surface of its own, which delays the
        // first page at start-up although nobody can see these views then.
        if (i > 0 && w->parentWidget())
            w->setVisible(!r.intersected(w->parentWidget()->rect()).isEmpty());
    }
}

void TForm1::pausePatrol()
{
    Timer5->setEnabled(false);
    SpeedButton12->setGlyph(Image12->picture());
    SpeedButton12->setCaption(QStringLiteral("巡回中止"));
}

void TForm1::resumePatrol()
{
    Timer5->setEnabled(true);
    SpeedButton12->setGlyph(Image14->picture());
    SpeedButton12->setCaption(QStringLiteral("巡回開始"));
}

void TForm1::OpenFolder(const QString& folder, int pageIndex, bool push)
{
    levels.WriteBounds = {RootFolder, CopyFolder, store::DesktopFolder()};
    // Read before the listing: a change during it leaves another stamp.
    const viewer::FolderStamp stamp = viewer::folderStamp(folder);
    const QStringList listed = levels.OpenFolder(folder, pageIndex, push);
    viewer::pageFolderCheck(*this).noteListed(levels.CurrentFolder, stamp);
    followOpenedFolder(listed);
}

void TForm1::OpenListedFolder(const store::ListedFolder& listed, int pageIndex, bool push)
{
    levels.WriteBounds = {RootFolder, CopyFolder, store::DesktopFolder()};
    levels.OpenListedFolder(listed, pageIndex, push);
    followOpenedFolder(listed.names);
}

void TForm1::followOpenedFolder(const QStringList& listed)
{
    const QString current = levels.CurrentFolder;
    if (files::firstNoticeOfUnreadableNames(current))
        platform::showMessage(QStringLiteral("フォルダ「%1」には名前を読めないファイル（UTF-8でない名前）があります。"
                                             "開くことも名前を変えることもできないため、一覧には出していません。")
                                  .arg(current),
                              platform::MsgType::Warning);
    for (platform::FileListBox* list : {FileListBox1, FileListBox2, FileListBox3, FileListBox4, FileListBox6, FileListBox7})
        list->setDirectory(current);
    // The page list is the listing the levels just read, not a second reading.
    if (FileListBox1->mask() == store::kPageFileMask)
        FileListBox1->setListing(current, listed);
    else
        FileListBox1->update();
    levels.LastFileCount = FileListBox1->count();
}

// The level below may list another folder: the file lists follow it, and the
// patrol counts that folder's files from now on.
void TForm1::PopLevel()
{
    const QString before = levels.CurrentFolder;
    levels.PopLevel();
    const QString current = levels.CurrentFolder;
    for (platform::FileListBox* list : {FileListBox1, FileListBox2, FileListBox3, FileListBox4, FileListBox6, FileListBox7})
        list->setDirectory(current);
    if (current != before) {
        FileListBox1->update();
        levels.LastFileCount = FileListBox1->count();
    }
}

void TForm1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    firstShow();
}

void TForm1::firstShow()
{
    if (shown_)
        return;
    shown_ = true;
    try {
        FormShow();
    } catch (...) {
        // A start that fails half-way still leaves a usable window; the
        // person starting it learns that something is missing.
        qCWarning(lcPagora) << "starting the main window failed:" << store::log::currentException();
        platform::showMessage(QStringLiteral("起動の途中で失敗しました。"), platform::MsgType::Error);
    }
}

void TForm1::closeEvent(QCloseEvent* e)
{
    if (!closing_) {
        closing_ = true;
        FormCloseQuery();
    }
    e->accept(); // the close is always allowed
}

void TForm1::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}
