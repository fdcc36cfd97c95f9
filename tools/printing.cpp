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

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineView>

namespace tools {

namespace {

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
    view->print(printer);
    loop.exec();
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

void N6Click(TForm1& w)
{
    PrintBrowserPreview(w.WebBrowser1, QStringLiteral("ページの印刷"));
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
    files::makeFolder(w.WorkFolder);
    const QString page = files::findPath(w.levels.entryPath(entry));
    const std::optional<QString> source = page.isEmpty() ? std::nullopt : store::readPageText(page);
    if (!source) {
        platform::showMessage(QStringLiteral("ページを読めませんでした。\r") + entry, platform::MsgType::Warning);
        return false;
    }
    const QString rendered = store::RenderQuizAnswers(*source, mode);
    worksheet::copyPictures(rendered, QFileInfo(page).path(), w.WorkFolder);
    if (!files::writeTextBom(WorksheetFile(w), worksheet::buildWorksheet(rendered))) {
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
