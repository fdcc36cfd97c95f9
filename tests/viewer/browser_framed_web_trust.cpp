// With the real browser engine against a server on 127.0.0.1: a web page
// inside a frame of a local page that aims a link, a form or a script at the
// top frame raises a web page's request, whatever the top frame shows.
// Nothing on disk changes and no program starts. The local page's own
// command links still run, beside the framed web page.
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/http_server.h"
#include "support/wait_for.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int WaitMs = EngineWaitMs;
const QByteArray kCommands = "/z/$JS%20victim.txt%20a=DEL,$python3%20p.py,";

// Serves the framed pages: each fills its frame with one thing to click.
struct FrameServer : TestHttpServer {
    FrameServer()
    {
        answer = [](const QByteArray& path) {
            const QByteArray fill = "style=\"display:block;margin:0;width:100%;height:200px\"";
            QByteArray body = "<p>nothing</p>";
            if (path == "/link.html")
                body = "<a target=\"_top\" " + fill + " href=\"" + kCommands + "\">link</a>";
            else if (path == "/form.html")
                body = "<form target=\"_top\" method=\"get\" action=\"" + kCommands
                       + "\"><input type=\"hidden\" name=\"a\" value=\"1\"><input type=\"submit\" " + fill
                       + " value=\"go\"></form>";
            else if (path == "/script.html")
                body = "<div " + fill + " onclick=\"top.location='" + kCommands + "'\">script</div>";
            return Reply{ok("text/html", "<html><body style=\"margin:0\">" + body + "</body></html>")};
        };
    }
};

class BrowserFramedWebTrust : public RealWindowTest {
protected:
    void SetUp() override
    {
        RealWindowTest::SetUp();
        ASSERT_TRUE(server.isListening());
        put("victim.txt", "a=1\r\n");
        put("p.py", "open('ran.txt', 'w')\n");
        platform::clearEvents();
    }
    // A local page with the web page of path in a frame at its top left,
    // and a command link of its own below.
    void startWithFrame(const QByteArray& path)
    {
        put("0010_a.html", "<html><head><meta charset=\"utf-8\"></head><body style=\"margin:0\">"
                           "<iframe src=\"" + server.base().toUtf8() + path + "\" style=\"display:block;border:0;"
                           "width:300px;height:200px\"></iframe>"
                           "<a id=\"own\" href=\"$JS%20ok.txt%20a=1\">own</a></body></html>");
        start();
    }
    // A real click of the left button at the frame's top left: a web page
    // may aim at the top frame only upon a person's click.
    void clickFrame()
    {
        QWidget* view = w->WebBrowser1->widget();
        QWidget* target = view ? view->focusProxy() : nullptr;
        if (!target)
            return;
        const QPointF at(40, 40);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &e);
        }
    }
    // Clicks into the frame until the request reached the handler, which
    // refuses its writing and starting commands and says so.
    bool refusedAfterClicks(const QString& path)
    {
        const bool ok = waitFor([&] {
            if (server.paths.contains(path))
                clickFrame();
            waitMs(200);
            return w->Pmathu->caption().contains("Webページからは");
        }, WaitMs);
        if (!ok)
            ADD_FAILURE() << "asked " << server.paths.size() << " times, last " << server.paths.value(server.paths.size() - 1).toStdString()
                          << "; message " << w->Pmathu->caption().toStdString();
        return ok;
    }
    void expectNothingChanged()
    {
        waitMs(300); // anything queued would have run by now
        EXPECT_EQ(files::readBytes(inRoot("victim.txt")).value_or("<none>"), "a=1\r\n");
        EXPECT_FALSE(QFileInfo::exists(inRoot("ran.txt")));
        for (const platform::SeamEvent& e : platform::events())
            EXPECT_NE(e.kind, "start") << e.text.toStdString();
    }
    // The local page's own command link, beside the framed web page, runs.
    void expectOwnLinkRuns()
    {
        const QString script = "(function(){var e=document.getElementById('own');if(!e)return false;"
                               "e.click();return true;})()";
        EXPECT_TRUE(waitFor([&] {
            w->WebBrowser1->runScript(script);
            waitMs(200);
            return QFileInfo::exists(inRoot("ok.txt"));
        }, WaitMs));
    }

    FrameServer server;
};

} // namespace

TEST_F(BrowserFramedWebTrust, ALinkAimedAtTheTopRunsWithWebTrust)
{
    startWithFrame("/link.html");
    ASSERT_TRUE(refusedAfterClicks("/link.html"));
    expectNothingChanged();
    expectOwnLinkRuns();
}

TEST_F(BrowserFramedWebTrust, AFormAimedAtTheTopRunsWithWebTrust)
{
    startWithFrame("/form.html");
    ASSERT_TRUE(refusedAfterClicks("/form.html"));
    expectNothingChanged();
    expectOwnLinkRuns();
}

TEST_F(BrowserFramedWebTrust, AScriptMovingTheTopRunsWithWebTrust)
{
    startWithFrame("/script.html");
    ASSERT_TRUE(refusedAfterClicks("/script.html"));
    expectNothingChanged();
    expectOwnLinkRuns();
}
