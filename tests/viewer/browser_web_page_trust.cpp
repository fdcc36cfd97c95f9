// With the real browser engine: what a web page reached from a local page
// can make the program do. A web link page's single link keeps the web's
// trust even when its text arrives after the view moved on; a web link page
// leads to no local file; a web page starts no desktop opener. Its own
// "/$NEXT" still turns the page.
#include "viewer/web_trust_fixture.h"

#include <QDir>

namespace {

class BrowserWebPageTrust : public WebTrustTest {
protected:
    // The data root's first page links to the web page at path.
    void startLinkingTo(const QByteArray& path, const QByteArray& more = {})
    {
        put("0010_a.html", html("<a id=\"web\" href=\"" + base() + path + "\">web</a>" + more));
        put("0020_b.html", html("b"));
        start();
        ASSERT_TRUE(shows(url("0010_a.html")));
    }
    // A link page of the web whose single link carries the command list; it
    // asks for "/$NEXT" once loaded and then keeps its renderer busy.
    void raceTheLinkPage(int busyMs)
    {
        server.pages["/lp.html"] = html(
            "【リンク】<a href=\"x/$SAVE%20127.0.0.1:" + port() + "/p.py%20p.py,$python3%20p.py\">x</a>",
            "<script>addEventListener('load',function(){setTimeout(function(){location.assign('/$NEXT');"
            "var t=Date.now();while(Date.now()-t<" + QByteArray::number(busyMs) + ");},0);});</script>");
        startLinkingTo("/lp.html");
        ASSERT_TRUE(clickId("web"));
        ASSERT_TRUE(shows(url("0020_b.html")));
        // The link page's text comes back once its renderer is free again.
        EXPECT_FALSE(waitFor([&] { return ranLocally(); }, busyMs + 2000));
        expectNothingRan();
        EXPECT_EQ(w->WebBrowser1->locationUrl(), url("0020_b.html"));
    }
    // A page outside the data root that is a local link page of its own.
    QString outsidePage()
    {
        const QString path = QDir(data.folder()).filePath("outside/evil.html");
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html("【リンク】<a href=\"/$JS pwn.txt a=1\">x</a>"));
        return QUrl::fromLocalFile(path).toString();
    }
    // Waits until the view shows either address; true for expected.
    bool showsFirst(const QString& expected, const QString& other)
    {
        const bool either = waitFor([&] {
            const QString at = w->WebBrowser1->locationUrl();
            return at == expected || at.startsWith(other);
        }, EngineWaitMs);
        return either && w->WebBrowser1->locationUrl() == expected;
    }
};

} // namespace

TEST_F(BrowserWebPageTrust, ALinkPagesTextArrivingAfterAPageTurnAt300Ms)
{
    raceTheLinkPage(300);
}

TEST_F(BrowserWebPageTrust, ALinkPagesTextArrivingAfterAPageTurnAt400Ms)
{
    raceTheLinkPage(400);
}

TEST_F(BrowserWebPageTrust, ALinkPagesTextArrivingAfterAPageTurnAt600Ms)
{
    raceTheLinkPage(600);
}

TEST_F(BrowserWebPageTrust, AWebLinkPagesSingleLinkLeadsToNoLocalFile)
{
    const QString evil = outsidePage();
    server.pages["/one.html"] = html("【リンク】<a href=\"" + evil.toUtf8() + "\">x</a>",
                                     "<script>setTimeout(function(){location.assign('/$NEXT');},1500);</script>");
    startLinkingTo("/one.html");
    ASSERT_TRUE(clickId("web"));
    EXPECT_TRUE(showsFirst(url("0020_b.html"), evil));
    EXPECT_FALSE(QFileInfo::exists(inRoot("pwn.txt")));
}

TEST_F(BrowserWebPageTrust, AWebLinkPagesLevelHoldsNoLocalFile)
{
    const QString evil = outsidePage();
    server.pages["/two.html"] = html("【リンク】<a href=\"" + evil.toUtf8() + "#http://x\">a</a>"
                                     "<a href=\"" + base() + "/other.html\">b</a>");
    startLinkingTo("/two.html");
    ASSERT_TRUE(clickId("web"));
    EXPECT_TRUE(showsFirst(server.base() + "/other.html", evil));
    EXPECT_FALSE(QFileInfo::exists(inRoot("pwn.txt")));
}

// A web page that sets its location to web videos one after the other
// starts no desktop opener; then it turns the page. The local page's own
// link to a web video opens it.
TEST_F(BrowserWebPageTrust, AWebPageStartsNoDesktopOpener)
{
    server.pages["/movies.html"] = html(
        "movies", "<script>var n=0;var t=setInterval(function(){n++;if(n<=10){location.href='/movie'+n+'.avi';}"
                  "else{clearInterval(t);location.assign('/$NEXT');}},100);</script>");
    startLinkingTo("/movies.html", "<a id=\"video\" href=\"" + base() + "/movie.avi\">video</a>");
    ASSERT_TRUE(clickId("video"));
    ASSERT_TRUE(waitFor([&] { return !seamEvents("openUrl").isEmpty(); }, EngineWaitMs));
    EXPECT_EQ(seamEvents("openUrl"), QStringList({server.base() + "/movie.avi"}));
    platform::clearEvents();

    ASSERT_TRUE(clickId("web"));
    ASSERT_TRUE(shows(url("0020_b.html")));
    EXPECT_EQ(seamEvents("openUrl"), QStringList());
    expectNothingRan();
}
