// The search window's handlers: activation over the shared search session,
// the preview in the window's own browser view (command links refused), the
// file panel, the buttons and closing.
#include "tools/forms/form4.h"

#include "platform/browser.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/files.h"
#include "tools/search_run.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QUrl>
#include <functional>
#include <utility>

tools::SearchSession& TForm4::session() const
{
    return tools::searchSession();
}

int TForm4::Tag() const
{
    return session().Tag;
}

void TForm4::setTag(int mode)
{
    session().Tag = mode;
}

QStringList TForm4::ListBox1() const
{
    return session().ListBox.entries;
}

QStringList TForm4::ListBox2() const
{
    return session().ListBox.titles;
}

int TForm4::previewedIndex() const
{
    // Closing hands the shown results over as they stand, so the place in
    // the shown list is the place in the hand-over list.
    const QStringList& handed = session().ListBox.entries;
    if (previewIndex_ >= 0 && previewIndex_ < handed.size() && handed[previewIndex_] == previewEntry_)
        return previewIndex_;
    return previewEntry_.isEmpty() ? -1 : int(handed.indexOf(previewEntry_));
}

void TForm4::ensureBrowser()
{
    if (WebBrowser1)
        return;
    WebBrowser1 = platform::createBrowser(Panel8);
    WebBrowser1->setBeforeNavigate(
        [this](const platform::NavigationRequest& r) { return WebBrowser1BeforeNavigate2(r.url); });
    if (QWidget* view = WebBrowser1->widget()) {
        view->setGeometry(Panel8->rect());
        Panel8->onResize = [this, view] {
            view->setGeometry(Panel8->rect());
            placeFilePanel();
        };
        view->show();
        Panel3->raise();
    }
    // The window lives until the program ends, but its page must go before
    // the browser engine's profile does, which happens after the loop ends.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &TForm4::releasePreview, Qt::UniqueConnection);
}

// The view owns its page and the browser object: freeing the view frees all three.
void TForm4::releasePreview()
{
    if (!WebBrowser1)
        return;
    Panel8->onResize = {};
    if (QWidget* view = WebBrowser1->widget())
        delete view;
    else
        delete WebBrowser1;
    WebBrowser1 = nullptr;
}

// Page commands never run from the preview.
bool TForm4::WebBrowser1BeforeNavigate2(const QString& url)
{
    return url.contains(QLatin1Char('$'));
}

// The session shows its progress, running count and results in this
// window only while the window drives it, and only then works off the
// window's thread; the LOOK callers run it without them.
void TForm4::attachDisplays()
{
    tools::SearchSession& s = session();
    s.answerWhileWorking = true;
    s.progress = [this](const QString& text) { Panel11->setCaption(text); };
    s.countChanged = [this](int n) { Label1->setCaption(QString::number(n)); };
    s.resultsFound = [this](const tools::PageList& more) { ShownTitles->addItems(more.titles); };
}

void TForm4::detachDisplays()
{
    tools::SearchSession& s = session();
    s.answerWhileWorking = false;
    s.progress = {};
    s.countChanged = {};
    s.resultsFound = {};
}

// The session's lists are the working threads' until the work ends: the
// buttons and the results list wait.
void TForm4::beginWork()
{
    busy_ = true;
    closeAsked_ = -1;
    for (QWidget* w : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2), static_cast<QWidget*>(BitBtn4),
                       static_cast<QWidget*>(BitBtn5)})
        w->setEnabled(false);
    attachDisplays();
}

void TForm4::endWork()
{
    detachDisplays();
    for (QWidget* w : {static_cast<QWidget*>(BitBtn1), static_cast<QWidget*>(BitBtn2), static_cast<QWidget*>(BitBtn4),
                       static_cast<QWidget*>(BitBtn5)})
        w->setEnabled(true);
    busy_ = false;
}

void TForm4::whileBusy(const std::function<void()>& work)
{
    beginWork();
    try {
        work();
    } catch (...) {
        endWork();
        throw;
    }
    endWork();
}

void TForm4::done(int result)
{
    if (busy_) {
        closeAsked_ = result;
        return;
    }
    QDialog::done(result);
}

void TForm4::place()
{
    TForm1* main = TForm1::instance();
    if (main) {
        int w = main->width() - (main->kabeRight ? main->kabeRight->width() : 0) + 50;
        // With the page-button column closed that is wider than the main
        // window: the buttons on the right would leave a screen it fills.
        if (const QScreen* screen = main->screen())
            w = qMin(w, screen->availableGeometry().width());
        resize(qMax(400, w), qMax(300, main->height() - 35));
        move(0, 0);
    }
}

void TForm4::activate()
{
    if (busy_)
        return;
    tools::SearchSession& s = session();
    TForm1* main = TForm1::instance();
    place();
    s.SearchRoot = !Edit2.isEmpty() ? Edit2 : (main ? main->CurrentFolder() : QString());
    s.Edit1 = Edit1->text();
    s.Label2 = Label2->caption();
    previewEntry_.clear();
    previewIndex_ = -1;
    Panel11->setVisible(true);
    Panel11->raise();
    ShownTitles->clear();
    QString scratchKey = QStringLiteral("xxx");
    whileBusy([&] { s.activate(main ? main->SearchCacheKey : scratchKey); });
    showResults(true);
    Edit1->setText(s.Edit1);
    Panel11->setVisible(false);
    Edit1->setFocus();
    closeIfAsked();
}

// A close asked for while the work ran comes now.
void TForm4::closeIfAsked()
{
    if (closeAsked_ < 0)
        return;
    const int result = std::exchange(closeAsked_, -1);
    closedEarly_ = true;
    QDialog::done(result);
}

int TForm4::runModal()
{
    // The window comes up first; its list is built while it shows.
    place();
    setWindowModality(Qt::ApplicationModal);
    setResult(QDialog::Rejected);
    closedEarly_ = false;
    show();
    activate();
    int result = this->result();
    if (!closedEarly_) {
        emit activated();
        result = platform::execModal(this);
    }
    hide();
    FormClose();
    return result;
}

void TForm4::FormClose()
{
    Edit2.clear();
    session().close();
    ShownTitles->clear();
}

void TForm4::showResults(bool previewFirst)
{
    const tools::PageList& shown = session().Shown;
    ShownTitles->clear();
    ShownTitles->addItems(shown.titles);
    Label1->setCaption(QString::number(shown.size()));
    if (previewFirst && !shown.isEmpty()) {
        ShownTitles->setCurrentRow(0);
        ListBox2Click(0);
    }
}

// Word-processor files (".jt…", ".jxw") and mail (".eml") are no pages for
// the browser engine: it would only offer a download and keep the page
// previewed before on screen. They get the file panel.
static bool browserShows(const QString& entry)
{
    const QString ext = QLatin1Char('.') + QFileInfo(entry).suffix().toLower();
    for (const char* e : {".txt", ".mht", ".pdf", ".htm"}) {
        if (ext.contains(QLatin1String(e)))
            return true;
    }
    return false;
}

void TForm4::ListBox2Click(int index)
{
    const tools::PageList& shown = session().Shown;
    if (busy_ || index < 0 || index >= shown.size())
        return;
    try {
        Panel3->setVisible(false);
        previewEntry_ = shown.entries[index];
        previewIndex_ = index;
        previewPath_ = session().fullPath(previewEntry_);
        previewUrl_ = QUrl::fromLocalFile(previewPath_).toString();
        setWindowTitle(previewUrl_);
        if (browserShows(previewEntry_)) {
            ensureBrowser();
            WebBrowser1->navigate(previewUrl_);
            return;
        }
        Panel3->setCaption(QFileInfo(previewPath_).fileName());
        Label3 = previewPath_;
        placeFilePanel();
        Panel3->setVisible(true);
        Panel3->raise();
    } catch (const std::exception& e) {
        qWarning("preview failed: %s", e.what());
    }
}

void TForm4::placeFilePanel()
{
    Panel3->setBounds(Panel8->rect());
    const int half = Panel3->width() / 2;
    const int top = Panel3->height() / 2 + 70;
    SpeedButton3->setBounds(half + 20, top, SpeedButton3->width(), SpeedButton3->height());
    SpeedButton4->setBounds(half - SpeedButton3->width() - 20, top, SpeedButton4->width(), SpeedButton4->height());
}

void TForm4::BitBtn1Click()
{
    if (busy_)
        return;
    tools::SearchSession& s = session();
    s.Edit1 = Edit1->text();
    s.LastSearchText = s.Edit1;
    s.Tag = 0;
    ShownTitles->clear();
    Label1->setCaption(QStringLiteral("0"));
    whileBusy([&] { s.RunSearch(); });
    showResults(true);
    Edit1->setFocus();
    closeIfAsked();
}

void TForm4::BitBtn4Click()
{
    if (busy_)
        return;
    session().undo();
    showResults(false);
    Edit1->setText(session().Edit1);
    Edit1->setFocus();
}

void TForm4::BitBtn5Click()
{
    if (busy_)
        return;
    session().Tag = 0;
    activate();
}

void TForm4::BitBtn2Click()
{
    if (busy_)
        return;
    done(session().Shown.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
}

void TForm4::BitBtn3Click()
{
    setWindowTitle(QString());
    done(QDialog::Rejected);
}

void TForm4::SpeedButton3Click()
{
    if (!Label3.isEmpty())
        platform::openPathOrSay(Label3);
}

void TForm4::SpeedButton4Click()
{
    if (Label3.isEmpty())
        return;
    const QFileInfo source(Label3);
    const QString suffix = source.suffix();
    const QString filter = suffix.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + suffix;
    const QString target = platform::saveFileName(QStringLiteral("コピー"),
                                                  files::joinPath(source.path(), source.fileName()), filter);
    if (target.isEmpty())
        return;
    // Chosen in the save dialog: the copy is bounded by that file's own folder.
    if (!files::copyFileOver(Label3, target, {QFileInfo(target).absolutePath()}))
        platform::showMessage(QStringLiteral("コピーできませんでした。"), platform::MsgType::Warning);
}
