// With the real browser engine: the search window, which lives until the
// program ends, lets its preview page go when the message loop ends, so no
// page outlives the browser engine's profile at exit.
#include "support/real_engine_root.h"
#include "platform/web_view.h"
#include "support/wait_for.h"
#include "tools/forms/form4.h"
#include "viewer/main_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 60000;

QByteArray page(const QString& title)
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>"
                          "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                          "<TITLE>%1</TITLE></HEAD><BODY>%1</BODY></HTML>\r\n")
        .arg(title)
        .toUtf8();
}

QStringList& capturedMessages()
{
    static QStringList messages;
    return messages;
}

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    capturedMessages() << text;
}

QWebEnginePage* pageOf(platform::Browser* browser)
{
    auto* view = qobject_cast<platform::WebView*>(browser);
    return view ? view->page() : nullptr;
}

} // namespace

TEST(BrowserSearchPreview, ThePreviewPageGoesWhenTheLoopEnds)
{
    RealEngineRoot data;
    ASSERT_TRUE(data.isValid());
    ASSERT_TRUE(data.put("0010_start.html", page("start")));
    ASSERT_TRUE(data.put("0020_frog.html", page(QStringLiteral("かえる"))));

    capturedMessages().clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    QList<QPointer<QWebEnginePage>> pages;
    {
        TForm1 w(data.exePath());
        w.ShutdownPauseMs = 0;
        w.show();
        ASSERT_TRUE(waitFor([&] { return w.caption() == data.url("0010_start.html"); }, WaitMs));
        for (platform::Browser* b : {w.WebBrowser1, w.WebBrowser2, w.WebBrowser3})
            pages << pageOf(b);

        // As at start-up: the search window has no owner and outlives the main window.
        TForm4 search(nullptr);
        search.setTag(0); // the whole list, whatever a caller before left
        search.activate();
        ASSERT_GE(search.ShownTitles->count(), 1);
        ASSERT_NE(pageOf(search.WebBrowser1), nullptr);
        pages << pageOf(search.WebBrowser1);
        ASSERT_TRUE(waitFor([&] { return pages.last()->url().isLocalFile(); }, WaitMs));
        search.FormClose();

        // The program's exit: the main window closes, the loop ends, the
        // views freed on the way are deleted.
        w.close();
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        QCoreApplication::exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QPointer<QWebEnginePage>& p : pages)
            EXPECT_TRUE(p.isNull());
        EXPECT_EQ(search.WebBrowser1, nullptr);
    }
    qInstallMessageHandler(previous);
    for (const QString& m : capturedMessages())
        EXPECT_FALSE(m.contains(QStringLiteral("still not deleted"))) << m.toStdString();
}
