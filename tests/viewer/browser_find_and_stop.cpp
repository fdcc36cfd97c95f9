// With the real browser engine: the lower pane finds each mark afresh from
// the top of its page, and a page load that was stopped for another entry
// never takes the caption back.
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "support/wait_for.h"
#include "store/files.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include "support/http_server.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int WaitMs = 30000;

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
    // Runs script in the lower pane until it answers true.
    bool lowerAnswers(const QString& script)
    {
        auto yes = std::make_shared<bool>(false);
        return waitFor([&] {
            w->WebBrowser2->runScript(script, [yes](const QVariant& v) { *yes = *yes || v.toBool(); });
            waitMs(100);
            return *yes;
        }, WaitMs);
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
    w->WebBrowser2->navigate(inRoot("0010_quiz.html"));
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
    waitMs(1500);
    EXPECT_EQ(w->caption().toStdString(), url("0020_b.doc").toStdString());
    EXPECT_EQ(w->PBan(), 1);
}
