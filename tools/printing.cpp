#include "tools/printing.h"

#include "platform/browser.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/quiz_render.h"
#include "store/page_encoding.h"
#include "tools/worksheet.h"
#include "viewer/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineView>

namespace tools {

namespace {

// The engine lays the page out on a sheet the size of the printer's paint
// area and hands the sheets back as pictures, which it scales to the whole
// paper and draws from the paint area's corner: any margin on top or at the
// left pushed the sheet past the opposite edge, so the right and bottom of
// every sheet were cut off. With margins at the sides only, the sheet is as
// high as the paper and drawn at its own size, between equal side margins.
QPageLayout sideMarginsOnly(const QPageLayout& layout)
{
    QPageLayout sides = layout;
    sides.setMode(QPageLayout::StandardMode);
    const QMarginsF m = layout.margins();
    const qreal side = std::max(m.left(), m.right());
    sides.setMargins(QMarginsF(side, 0, side, 0));
    return sides;
}

// The engine prints asynchronously; the preview needs its pages before the
// paint request returns. A page that never answers does not hang the preview.
void printView(QWebEngineView* view, QPrinter* printer)
{
    QPointer<QWebEngineView> guarded(view);
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::printFinished, &loop, [&loop](bool ok) {
        if (!ok)
            qCWarning(lcPagora) << "printing the page failed";
        loop.quit();
    });
    QObject::connect(view, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    const QPageLayout chosen = printer->pageLayout();
    printer->setPageLayout(sideMarginsOnly(chosen));
    view->print(printer);
    loop.exec();
    printer->setPageLayout(chosen);
}

void letPendingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

void PrintBrowserPreview(platform::Browser* browser, const QString& title)
{
    if (!browser)
        return;
    QPointer<QWebEngineView> view = qobject_cast<QWebEngineView*>(browser->widget());
    platform::printPreview(title, [view](QPrinter* printer) {
        if (view)
            printView(view, printer);
    });
}

namespace {

// While the engine prints the shown page (seconds on a long page) a click
// or key on the main window would turn the page under the printout: the
// window takes no input, the patrol waits and the cursor says busy, until
// the preview has its pages.
class MainWindowHold : public QObject {
public:
    explicit MainWindowHold(TForm1& w) : w_(&w)
    {
        w.pausePatrol();
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~MainWindowHold() override { release(); }
    void release()
    {
        if (!held_)
            return;
        held_ = false;
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        if (w_)
            w_->resumePatrol();
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (!isInput(event->type()))
            return false;
        const auto* widget = qobject_cast<QWidget*>(target);
        return widget && w_ && widget->window() == w_.data();
    }

private:
    static bool isInput(QEvent::Type t)
    {
        switch (t) {
        case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Wheel: case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }
    QPointer<TForm1> w_;
    bool held_ = true;
};

} // namespace

void N6Click(TForm1& w)
{
    if (!w.WebBrowser1)
        return;
    QPointer<QWebEngineView> view = qobject_cast<QWebEngineView*>(w.WebBrowser1->widget());
    MainWindowHold hold(w);
    platform::printPreview(QStringLiteral("ページの印刷"), [view, &hold](QPrinter* printer) {
        if (view)
            printView(view, printer);
        hold.release();
    });
}

QString WorksheetFile(const TForm1& w)
{
    return files::joinPath(w.WorkFolder, QStringLiteral("test.html"));
}

QString ResumeFile(const TForm1& w)
{
    return files::joinPath(w.WorkFolder, QStringLiteral("resumeE.html"));
}

bool BuildWorksheetHtml(TForm1& w, int mode)
{
    if (w.PBanSu() == 0 || w.PBan() < 0)
        return false;
    const QString entry = w.levels.topEntries().value(w.PBan());
    if (entry.isEmpty() || store::isWebAddress(entry))
        return false;
    // The work folder may be a link planted to lead out of the data root:
    // nothing is made or written through it then.
    const QStringList within{w.RootFolder};
    if (!files::makeFolder(w.WorkFolder, within)) {
        platform::showMessage(QStringLiteral("作業フォルダを使えません。\r") + w.WorkFolder, platform::MsgType::Warning);
        return false;
    }
    const QString page = files::findPath(w.levels.entryPath(entry));
    const std::optional<QString> source = page.isEmpty() ? std::nullopt : store::readPageText(page);
    if (!source) {
        platform::showMessage(QStringLiteral("ページを読めませんでした。\r") + entry, platform::MsgType::Warning);
        return false;
    }
    const QString rendered = store::RenderQuizAnswers(*source, mode);
    worksheet::copyPictures(rendered, QFileInfo(page).path(), w.WorkFolder);
    if (!files::writeTextBom(WorksheetFile(w), worksheet::buildWorksheet(rendered), within)) {
        platform::showMessage(QStringLiteral("印刷用のページを書き込めませんでした。\r") + WorksheetFile(w),
                              platform::MsgType::Warning);
        return false;
    }
    return true;
}

void PreviewInPrintView(TForm1& w, const QString& path)
{
    letPendingEventsRun();
    w.PrintPending = 1;
    w.WebBrowser3->navigate(QUrl::fromLocalFile(path).toString());
}

static void printWorksheet(TForm1& w, int mode)
{
    if (BuildWorksheetHtml(w, mode))
        PreviewInPrintView(w, WorksheetFile(w));
}

void PrintPageWorksheet(TForm1& w)
{
    printWorksheet(w, store::kRenderBlanks);
}

void PrintPageAnswerSheet(TForm1& w)
{
    printWorksheet(w, store::kRenderRedAnswers);
}

void WebBrowser3DocumentComplete(TForm1& w, const QString& url)
{
    if (w.PrintPending == 0)
        return;
    w.PrintPending = 0;
    // Not inside the engine's own callback: neither the pending events nor
    // the preview, which runs an event loop of its own.
    QPointer<TForm1> guarded(&w);
    QTimer::singleShot(0, &w, [guarded, url] {
        letPendingEventsRun();
        if (guarded)
            PrintBrowserPreview(guarded->WebBrowser3, QFileInfo(QUrl(url).toLocalFile()).fileName());
    });
}

} // namespace tools
