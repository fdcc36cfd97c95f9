// With the real browser engine: the main window's caption names the page the
// view actually shows, when a second page overtakes an unfinished load and
// when the view steps back and forward through its own history.
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/web_view.h"
#include "support/http_server.h"
#include "support/wait_for.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QWebEnginePage>

#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = EngineWaitMs;

// Sends the head of a page and holds the rest back: the load stays unfinished.
struct SlowServer : TestHttpServer {
    SlowServer() : TestHttpServer(60000)
    {
        answer = [](const QByteArray& path) {
            if (path.startsWith("/fast"))
                return Reply{ok("text/html", "<html><body>fast</body></html>")};
            return Reply{"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n"
                         "<html><body>slow", false};
        };
    }
};

class BrowserCaptionFollows : public RealWindowTest {
protected:
    void startWith(const QStringList& names)
    {
        for (const QString& name : names)
            put(name, "<html><body>" + name.toUtf8() + "</body></html>");
        start();
        ASSERT_TRUE(waitFor([&] { return w->caption() == url(names.first()); }, WaitMs));
    }
    void press(int index)
    {
        platform::MouseArgs left;
        left.button = Qt::LeftButton;
        w->PageButtonMouseDown(index, w->PageButtonGeneration, left);
    }
    QWebEnginePage* page() const
    {
        auto* view = qobject_cast<platform::WebView*>(w->WebBrowser1);
        return view ? view->page() : nullptr;
    }
    // The view shows `expected` and has nothing left to load, and its
    // document-complete handling has run for it: the caption and the
    // counter say so.
    bool settlesOn(const QString& expected, int index)
    {
        const QString counter = QString::number(index + 1) + " / " + QString::number(w->PBanSu());
        return waitFor([&] {
            return !page()->isLoading() && w->WebBrowser1->locationUrl() == expected
                && w->LastDocumentUrl == expected && w->caption() == expected && w->Panel7->caption() == counter;
        }, WaitMs);
    }
};

} // namespace

TEST_F(BrowserCaptionFollows, AQuickSecondPressLeavesTheCaptionOnTheSecondPage)
{
    startWith({"0010_a.html", "0020_b.html", "0030_c.html"});
    for (int round = 0; round < 3; ++round) {
        press(1);
        press(2);
        ASSERT_TRUE(settlesOn(url("0030_c.html"), 2)) << round << " " << w->caption().toStdString();
        press(2);
        press(1);
        ASSERT_TRUE(settlesOn(url("0020_b.html"), 1)) << round << " " << w->caption().toStdString();
        // Turned by commands, without the press's stop in between.
        w->KRNcommand("NEXT");
        w->KRNcommand("BACK");
        w->KRNcommand("NEXT");
        ASSERT_TRUE(settlesOn(url("0030_c.html"), 2)) << round << " " << w->caption().toStdString();
    }
}

TEST_F(BrowserCaptionFollows, APressDuringASlowLoadLeavesTheCaptionOnThePressedPage)
{
    SlowServer server;
    ASSERT_TRUE(server.isListening());
    startWith({"0010_a.html", "0020_b.html"});
    const QString slow = server.base() + "/big.html";
    w->levels.pushLevel({slow, "0020_b.html"}, {"big", "b"}, 0);
    w->ReMake();
    w->PageClick(0, true);
    ASSERT_TRUE(waitFor([&] { return w->WebBrowser1->locationUrl() == slow && page()->isLoading(); }, WaitMs));
    press(1);
    EXPECT_TRUE(settlesOn(url("0020_b.html"), 1)) << w->caption().toStdString();
}

TEST_F(BrowserCaptionFollows, AWebPageThatOvertakesASlowLoadGetsTheCaption)
{
    SlowServer server;
    ASSERT_TRUE(server.isListening());
    startWith({"0010_a.html"});
    const QString slow = server.base() + "/big.html";
    const QString fast = server.base() + "/fast.html";
    w->levels.pushLevel({slow, fast}, {"big", "fast"}, 0);
    w->ReMake();
    w->PageClick(0, true);
    ASSERT_TRUE(waitFor([&] { return w->WebBrowser1->locationUrl() == slow && page()->isLoading(); }, WaitMs));
    w->KRNcommand("NEXT");
    EXPECT_TRUE(settlesOn(fast, 1)) << w->caption().toStdString();
}

TEST_F(BrowserCaptionFollows, BackAndForwardThroughTheViewsHistoryMoveTheCaption)
{
    put("sub/x.txt", "x");
    put("0010_a.html", "<html><body>\xe3\x80\x90\xe3\x83\xaa\xe3\x83\xb3\xe3\x82\xaf\xe3\x80\x91"
                       "<a href=\"sub/x.txt\">x</a></body></html>");
    put("0020_b.html", "<html><body>b</body></html>");
    start();
    ASSERT_TRUE(waitFor([&] { return w->caption() == url("0010_a.html"); }, WaitMs));
    press(0); // the link page now follows its one link
    const auto shows = [&](const QString& expected) {
        return waitFor([&] {
            return !page()->isLoading() && w->WebBrowser1->locationUrl() == expected && w->caption() == expected;
        }, WaitMs);
    };
    ASSERT_TRUE(shows(url("sub/x.txt"))) << w->caption().toStdString();
    w->Image6Click();
    EXPECT_TRUE(shows(url("0010_a.html"))) << w->caption().toStdString();
    w->WebBrowser1->goForward();
    EXPECT_TRUE(shows(url("sub/x.txt"))) << w->caption().toStdString();
    w->WebBrowser1->goBack();
    EXPECT_TRUE(shows(url("0010_a.html"))) << w->caption().toStdString();
}
