// With the real browser engine: a web page inside a frame of a local page
// that aims a script, a form or a link at the top frame raises a web page's
// request, whatever the person clicked before and however the frame is
// held (a shadow root, an object, an embed). The local page's own command
// links beside a web frame run at once.
#include "viewer/web_trust_fixture.h"

namespace {

// The frame's web page fills its frame's top left; the local page's plain
// text stands to the right of the frame.
const QPointF kInFrame(40, 40);
const QPointF kPlainText(320, 40);
const QByteArray kFrameStyle = "style=\"position:absolute;left:0;top:0;border:0;width:200px;height:150px\"";

class BrowserFramedWebTrust : public WebTrustTest {
protected:
    void startWith(const QByteArray& frame, const QByteArray& script = {})
    {
        put("0010_a.html", html(frame + "<div id=\"host\"></div><p " + "style=\"position:absolute;left:260px;top:0;"
                                "width:200px;height:150px;margin:0\">plain text</p>",
                                script));
        put("0020_b.html", html("b"));
        start();
        ASSERT_TRUE(shows(url("0010_a.html")));
    }
    // A web page that tries to move the top frame to the command list every
    // 250 ms by the given script, and tells the server of every try.
    void serveTrying(const QByteArray& attempt)
    {
        server.pages["/try.html"] = html(
            "<div style=\"height:150px\">frame</div><form id=\"f\" method=\"post\" target=\"_top\" action=\""
                + commands() + "\"><input type=\"hidden\" name=\"a\" value=\"1\"></form>",
            "<script>var cmd='" + commands() + "';setInterval(function(){new Image().src='/tick?'+Date.now();"
            "try{" + attempt + "}catch(e){}},250);</script>");
    }
    // The engine lets the frame move the top frame once a person clicked in
    // it: its tries then reach the handler, which refuses them.
    bool clickInFrameUntilRefused()
    {
        return waitFor([&] {
            if (server.count("/tick") > 0)
                clickAt(kInFrame);
            waitMs(100);
            return refused() || ranLocally();
        }, EngineWaitMs);
    }
    // A click on the local page's plain text, then some tries of the frame.
    void clickPlainTextDuringTries()
    {
        const int before = server.count("/tick");
        clickAt(kPlainText);
        EXPECT_TRUE(waitFor([&] { return server.count("/tick") >= before + 6 || ranLocally(); }, EngineWaitMs));
    }
    void expectScriptedTriesRunWithWebTrust(const QByteArray& attempt)
    {
        serveTrying(attempt);
        startWith("<iframe src=\"" + base() + "/try.html\" " + kFrameStyle + "></iframe>");
        ASSERT_TRUE(clickInFrameUntilRefused());
        clickPlainTextDuringTries();
        expectNothingRan();
    }
    // One click on a target="_top" link of the framed web page.
    void expectFramedLinkRunsWithWebTrust(const QByteArray& frame, const QByteArray& script = {})
    {
        server.pages["/link.html"] = html("<a target=\"_top\" style=\"display:block;height:150px\" href=\""
                                          + commands() + "\">link</a>");
        startWith(frame, script);
        ASSERT_TRUE(waitFor([&] {
            if (server.paths.contains("/link.html"))
                clickAt(kInFrame);
            waitMs(100);
            return refused() || ranLocally();
        }, EngineWaitMs));
        expectNothingRan();
    }
    QByteArray shadowScript(const char* mode) const
    {
        return "<script>addEventListener('DOMContentLoaded',function(){var s=document.getElementById('host')"
               ".attachShadow({mode:'" + QByteArray(mode) + "'});s.innerHTML='<iframe src=\"" + base()
               + "/link.html\" " + kFrameStyle + "></iframe>';});</script>";
    }
};

} // namespace

TEST_F(BrowserFramedWebTrust, ATopLocationSetAfterALocalClickRunsWithWebTrust)
{
    expectScriptedTriesRunWithWebTrust("top.location.href=cmd;");
}

TEST_F(BrowserFramedWebTrust, AWindowOpenedAtTheTopAfterALocalClickRunsWithWebTrust)
{
    expectScriptedTriesRunWithWebTrust("window.open(cmd,'_top');");
}

TEST_F(BrowserFramedWebTrust, AFormPostedToTheTopAfterALocalClickRunsWithWebTrust)
{
    expectScriptedTriesRunWithWebTrust("document.getElementById('f').submit();");
}

TEST_F(BrowserFramedWebTrust, AFrameInAnOpenShadowRootRunsWithWebTrust)
{
    expectFramedLinkRunsWithWebTrust({}, shadowScript("open"));
}

TEST_F(BrowserFramedWebTrust, AFrameInAClosedShadowRootRunsWithWebTrust)
{
    expectFramedLinkRunsWithWebTrust({}, shadowScript("closed"));
}

TEST_F(BrowserFramedWebTrust, AnObjectRunsWithWebTrust)
{
    expectFramedLinkRunsWithWebTrust("<object type=\"text/html\" data=\"" + base() + "/link.html\" " + kFrameStyle
                                     + "></object>");
}

TEST_F(BrowserFramedWebTrust, AnEmbedRunsWithWebTrust)
{
    expectFramedLinkRunsWithWebTrust("<embed type=\"text/html\" src=\"" + base() + "/link.html\" " + kFrameStyle
                                     + ">");
}

// The page is still loading (its web frame never ends): its own link writes
// at once all the same.
TEST_F(BrowserFramedWebTrust, ALocalPagesOwnLinkBesideAWebFrameRunsAtOnce)
{
    server.heldPath = "/held.html";
    put("0010_a.html", html("<iframe src=\"" + base() + "/held.html\" " + kFrameStyle + "></iframe>"
                            "<a href=\"$JS%20ok.txt%20a=1\" style=\"position:absolute;left:260px;top:0;width:200px;"
                            "height:150px;display:block\">own</a>"));
    start();
    ASSERT_TRUE(waitFor([&] { return server.paths.contains("/held.html"); }, EngineWaitMs));
    EXPECT_TRUE(waitFor([&] {
        clickAt(kPlainText);
        waitMs(200);
        return QFileInfo::exists(inRoot("ok.txt")) || refused();
    }, EngineWaitMs));
    EXPECT_TRUE(QFileInfo::exists(inRoot("ok.txt"))) << w->Pmathu->caption().toStdString();
}
