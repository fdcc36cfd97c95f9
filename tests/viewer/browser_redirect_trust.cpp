// With the real browser engine against a server on 127.0.0.1: a server's
// redirect or refresh to a command address runs its commands with the trust
// of a web page, however the local page that led there was reached (a plain
// link, a link page, a listed web entry). Nothing on disk changes and no
// program starts. A command link clicked in a local page still runs.
#include "support/element_click.h"
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/seam.h"
#include "support/wait_for.h"
#include "store/files.h"
#include "viewer/main_window.h"
#include "viewer/real_window_fixture.h"
#include "platform/controls.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include "support/http_server.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int WaitMs = EngineWaitMs;
const QByteArray kCommands = "/$COPY%20src.txt%20x.html,$JS%20victim.txt%20a=DEL,$tool.sh";

// Answers /r with a redirect to a command address, /refresh with a page
// that refreshes to one, and anything else with a small page.
struct RedirectServer : TestHttpServer {
    RedirectServer()
    {
        answer = [](const QByteArray& path) {
            QByteArray head = "HTTP/1.1 200 OK\r\n";
            if (path == "/r")
                head = "HTTP/1.1 302 Found\r\nLocation: " + kCommands + "\r\n";
            else if (path == "/refresh")
                head += "Refresh: 0; url=" + kCommands + "\r\n";
            return Reply{response(head, "text/html", "<html><body>web</body></html>")};
        };
    }
};

class BrowserRedirectTrust : public RealWindowTest {
protected:
    void SetUp() override
    {
        RealWindowTest::SetUp();
        ASSERT_TRUE(server.isListening());
        put("src.txt", "source");
        put("victim.txt", "a=1\r\n");
        platform::clearEvents();
    }
    static QByteArray page(const QByteArray& body)
    {
        return "<html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
    }
    bool shows(const QString& name)
    {
        const QString url = QUrl::fromLocalFile(inRoot(name)).toString();
        const bool ok = waitFor([&] { return w->WebBrowser1->locationUrl() == url && w->caption() == url; }, WaitMs);
        if (!ok)
            ADD_FAILURE() << "shows " << w->WebBrowser1->locationUrl().toStdString() << " caption "
                          << w->caption().toStdString();
        return ok;
    }
    // Waits until the server was asked for path and the command address
    // reached the handler (which refuses and says so).
    bool refusedAfter(const QString& path)
    {
        const bool ok = waitFor([&] {
            return server.paths.contains(path) && w->Pmathu->caption().contains("Webページからは");
        }, WaitMs);
        if (!ok)
            ADD_FAILURE() << "asked " << server.paths.join(' ').toStdString() << " message "
                          << w->Pmathu->caption().toStdString();
        return ok;
    }
    // Clicks the link with the given id once the shown document has it: the
    // first page may still be replaced by a second load right after start-up.
    bool click(const QString& id)
    {
        const bool ok = clickElementWhenShown(*w->WebBrowser1, id);
        if (!ok)
            ADD_FAILURE() << "no link " << id.toStdString();
        return ok;
    }
    void expectNothingChanged()
    {
        waitMs(300); // anything queued would have run by now
        EXPECT_FALSE(QFileInfo::exists(inRoot("x.html")));
        EXPECT_EQ(files::readBytes(inRoot("victim.txt")).value_or("<none>"), "a=1\r\n");
        for (const platform::SeamEvent& e : platform::events())
            EXPECT_NE(e.kind, "start") << e.text.toStdString();
    }

    RedirectServer server;
};

} // namespace

TEST_F(BrowserRedirectTrust, RedirectOfAPlainLinkRunsWithWebTrust)
{
    put("0010_a.html", page("<a id=\"r\" href=\"" + server.base().toUtf8() + "/r\">r</a>"
                            "<a id=\"ok\" href=\"/$JS%20ok.txt%20a=1\">ok</a>"));
    start();
    ASSERT_TRUE(shows("0010_a.html"));
    ASSERT_TRUE(click("r"));
    ASSERT_TRUE(refusedAfter("/r"));
    expectNothingChanged();
    // A command link of the local page itself keeps its trust.
    ASSERT_TRUE(click("ok"));
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(inRoot("ok.txt")); }, WaitMs));
}

TEST_F(BrowserRedirectTrust, RefreshOfAWebPageRunsWithWebTrust)
{
    put("0010_a.html", page("<a id=\"f\" href=\"" + server.base().toUtf8() + "/refresh\">f</a>"));
    start();
    ASSERT_TRUE(shows("0010_a.html"));
    ASSERT_TRUE(click("f"));
    ASSERT_TRUE(refusedAfter("/refresh"));
    expectNothingChanged();
}

TEST_F(BrowserRedirectTrust, RedirectOfALinkPageRunsWithWebTrust)
{
    put("0010_link.html", page("【リンク】<a href=\"" + server.base().toUtf8() + "/r\">r</a>"));
    start();
    ASSERT_TRUE(refusedAfter("/r"));
    expectNothingChanged();
}

TEST_F(BrowserRedirectTrust, RedirectOfAListedWebEntryRunsWithWebTrust)
{
    put("0010_a.html", page("a"));
    start();
    ASSERT_TRUE(shows("0010_a.html"));
    w->levels.pushLevel({server.base() + "/r"}, {"web"}, 0);
    w->ReMake();
    w->PageClick(0, true);
    ASSERT_TRUE(refusedAfter("/r"));
    expectNothingChanged();
}
