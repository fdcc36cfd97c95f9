// With the real browser engine: the lower pane finds each mark afresh from
// the top of its page, and a page load that was stopped for another entry
// never takes the caption back.
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "platform/web_view.h"
#include "support/wait_for.h"
#include "store/files.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QWebEnginePage>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include "support/http_server.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int WaitMs = EngineWaitMs;

QByteArray filler(int paragraphs)
{
    QByteArray text;
    for (int i = 0; i < paragraphs; ++i)
        text += "<p>・・・・・・</p>";
    return text;
}

// Answers every request with the head of a page and then holds the rest back,
// so the load stays in progress until it is stopped.
struct SlowServer : TestHttpServer {
    SlowServer() : TestHttpServer(60000)
    {
        answer = [](const QByteArray&) {
            return Reply{"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n"
                         "<html><body>slow", false};
        };
    }
};

class BrowserFindAndStop : public RealWindowTest {
protected:
    // Runs script in the lower pane until it answers true; one question at a
    // time, so that a busy engine is not flooded with them.
    bool lowerAnswers(const QString& script)
    {
        auto yes = std::make_shared<bool>(false);
        auto asking = std::make_shared<bool>(false);
        return waitFor([&] {
            if (!*asking) {
                *asking = true;
                w->WebBrowser2->runScript(script, [yes, asking](const QVariant& v) {
                    *yes = *yes || v.toBool();
                    *asking = false;
                });
            }
            return *yes;
        }, WaitMs);
    }
    // Shows path in the lower pane and waits until its load and the one
    // refresh that follows every load there have both completed: a find made
    // before the refresh would be lost with the document it selected in.
    bool showInLowerPane(const QString& path)
    {
        auto completions = std::make_shared<int>(0);
        TForm1* window = w.get();
        w->WebBrowser2->setDocumentComplete([window, completions](const QString& url) {
            ++*completions;
            window->WebBrowser2DocumentComplete(url);
        });
        w->WebBrowser2->navigate(path);
        return waitFor([&] { return *completions >= 2; }, WaitMs);
    }
    // Waits until the page view has no load in progress.
    bool pageSettled()
    {
        auto* view = qobject_cast<platform::WebView*>(w->WebBrowser1);
        return view && waitFor([&] { return !view->page()->isLoading(); }, WaitMs);
    }
};

} // namespace

TEST_F(BrowserFindAndStop, EachFindStartsAtTheTopOfTheLowerPage)
{
    put("0010_quiz.html", "<html><head><meta charset=\"utf-8\"></head><body>" + filler(60)
                              + "<p id=\"o\">【○】</p>" + filler(60) + "<p id=\"t\">【△】</p>" + filler(60)
                              + "<p id=\"p\">【○】</p>" + filler(60) + "</body></html>");
    start();
    ASSERT_TRUE(waitFor([&] { return w->caption() == url("0010_quiz.html"); }, WaitMs));
    ASSERT_TRUE(showInLowerPane(inRoot("0010_quiz.html")));
    ASSERT_TRUE(lowerAnswers("!!document.getElementById('p')"));
    // The pane may have no height here: the selected match tells where the find stopped.
    const auto selectedIn = [](const char* id) {
        return QString("(function(){var s=window.getSelection();"
                       "return s.rangeCount>0&&document.getElementById('%1').contains(s.anchorNode);})()").arg(id);
    };
    w->FindInLowerBrowser("【△】", true);
    ASSERT_TRUE(lowerAnswers(selectedIn("t")));
    // The right answer's mark is found from the top, not after the wrong one.
    w->FindInLowerBrowser("【○】", true);
    EXPECT_TRUE(lowerAnswers(selectedIn("o")));
}

TEST_F(BrowserFindAndStop, AStoppedLoadDoesNotTakeTheCaptionBack)
{
    SlowServer server;
    ASSERT_TRUE(server.isListening());
    put("0010_a.html", "<html><body>a</body></html>");
    put("0020_b.doc", "doc");
    start();
    ASSERT_TRUE(waitFor([&] { return w->caption() == url("0010_a.html"); }, WaitMs));
    const QString slow = server.base() + "/big.html";
    w->levels.pushLevel({slow, "0020_b.doc"}, {"big", "b"}, 0);
    w->ReMake();
    w->PageClick(0, true);
    ASSERT_TRUE(waitFor([&] { return w->WebBrowser1->locationUrl() == slow; }, WaitMs));
    platform::MouseArgs left;
    left.button = Qt::LeftButton;
    w->PageButtonMouseDown(1, w->PageButtonGeneration, left);
    ASSERT_TRUE(pageSettled()); // the stopped load has ended and said so
    QCoreApplication::processEvents();
    EXPECT_EQ(w->caption().toStdString(), url("0020_b.doc").toStdString());
    EXPECT_EQ(w->PBan(), 1);
}
