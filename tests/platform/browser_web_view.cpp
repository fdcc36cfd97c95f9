// The real browser view over the browser engine: local pages load and
// complete, and clicked command links reach the before-navigate handler
// with the text the link handler expects, and are cancelled there.
#include "platform/browser.h"
#include "support/fake_browser.h"
#include "platform/web_view.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include "support/wait_for.h"
#include <QUrl>
#include <QWidget>

using namespace platform;

namespace {

constexpr int WaitMs = EngineWaitMs;

void writePage(const QString& path, const QByteArray& body)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(body);
}

class WebViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The engine refuses to start its sandbox as root (as CI runs).
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        useFakeBrowsers(false);
        browser = createBrowser(&window);
        ASSERT_NE(browser->widget(), nullptr);
        window.resize(400, 300);
        browser->widget()->resize(400, 300);
        browser->setBeforeNavigate([this](const NavigationRequest& r) {
            requests.append(r);
            return r.url.contains(QLatin1Char('$'));
        });
        browser->setDocumentComplete([this](const QString& url) { completed.append(url); });
    }

    // Loads a page holding one link with id "a" and waits for completion.
    void loadLinkPage(const QByteArray& href)
    {
        const QString path = dir.filePath(QStringLiteral("page 1 #.html"));
        writePage(path, "<html><head><meta charset=\"utf-8\"></head><body>"
                        "<a id=\"a\" href=\"" + href + "\">link</a></body></html>");
        browser->navigate(path);
        ASSERT_TRUE(waitFor([this] { return !completed.isEmpty(); }, WaitMs));
        EXPECT_EQ(completed.first(), QUrl::fromLocalFile(path).toString());
        EXPECT_EQ(browser->locationUrl(), QUrl::fromLocalFile(path).toString());
        ASSERT_FALSE(requests.isEmpty());
        EXPECT_TRUE(requests.first().programInitiated);
        requests.clear();
    }

    // Clicks the link and waits for its request.
    NavigationRequest clickLink()
    {
        browser->runScript(QStringLiteral("document.getElementById('a').click()"));
        EXPECT_TRUE(waitFor([this] { return !requests.isEmpty(); }, WaitMs));
        return requests.isEmpty() ? NavigationRequest() : requests.first();
    }

    QTemporaryDir dir;
    QWidget window;
    Browser* browser = nullptr;
    QList<NavigationRequest> requests;
    QStringList completed;
};

} // namespace

TEST_F(WebViewTest, CommandLinkReachesHandlerAndIsCancelled)
{
    loadLinkPage("/$NEXT");
    const QString before = browser->locationUrl();
    completed.clear();
    const NavigationRequest r = clickLink();
    EXPECT_TRUE(r.url.endsWith(QLatin1String("/$NEXT"))) << r.url.toStdString();
    EXPECT_FALSE(r.programInitiated);
    EXPECT_TRUE(r.mainFrame);
    EXPECT_TRUE(r.sourceUrl.startsWith(QLatin1String("file:"))) << r.sourceUrl.toStdString();
    waitMs(300);
    EXPECT_EQ(browser->locationUrl(), before);
    EXPECT_TRUE(completed.isEmpty()); // the cancelled load reports no completion
}

TEST_F(WebViewTest, QuizLinkArrivesWithItsAngleBracket)
{
    loadLinkPage("/$-1,$<-1[_【×】][_【△】]");
    const NavigationRequest r = clickLink();
    EXPECT_TRUE(r.url.endsWith(QStringLiteral("/$-1,$<-1[_【×】][_【△】]"))) << r.url.toStdString();
}

TEST_F(WebViewTest, EscapedBlankAndCommaStayEscaped)
{
    loadLinkPage("/$GO%20a%2Cb");
    const NavigationRequest r = clickLink();
    EXPECT_TRUE(r.url.endsWith(QStringLiteral("/$GO%20a%2Cb"))) << r.url.toStdString();
}

TEST_F(WebViewTest, FindsTextAndRunsScripts)
{
    loadLinkPage("x.html");
    bool answered = false;
    bool found = false;
    browser->findText(QStringLiteral("link"), [&](bool f) { answered = true; found = f; });
    ASSERT_TRUE(waitFor([&] { return answered; }, WaitMs));
    EXPECT_TRUE(found);
    QVariant value;
    browser->runScript(QStringLiteral("1 + 2"), [&](const QVariant& v) { value = v; });
    ASSERT_TRUE(waitFor([&] { return value.isValid(); }, WaitMs));
    EXPECT_EQ(value.toInt(), 3);

    const QString awkward = QStringLiteral("a\"b'c\\d\n</script>\u2028【×】");
    QVariant echoed;
    browser->runScript(QStringLiteral("(") + scriptString(awkward) + QStringLiteral(")"),
                       [&](const QVariant& v) { echoed = v; });
    ASSERT_TRUE(waitFor([&] { return echoed.isValid(); }, WaitMs));
    EXPECT_EQ(echoed.toString(), awkward);
}

TEST_F(WebViewTest, PagesWithoutCharsetAreReadAsShiftJis)
{
    const QString path = dir.filePath(QStringLiteral("sjis.html"));
    QStringEncoder encoder("Shift_JIS");
    writePage(path, "<html><body>" + QByteArray(encoder.encode(QStringLiteral("日本語のページ"))) + "</body></html>");
    browser->navigate(path);
    ASSERT_TRUE(waitFor([this] { return !completed.isEmpty(); }, WaitMs));
    QVariant text;
    browser->runScript(QStringLiteral("document.body.innerText"), [&](const QVariant& v) { text = v; });
    ASSERT_TRUE(waitFor([&] { return text.isValid(); }, WaitMs));
    EXPECT_EQ(text.toString().trimmed(), QStringLiteral("日本語のページ"));
}

TEST_F(WebViewTest, CrashedPageProcessIsReloaded)
{
    loadLinkPage("x.html");
    auto* view = qobject_cast<WebView*>(browser);
    ASSERT_NE(view, nullptr);
    const qint64 pid = view->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    completed.clear();
    ::kill(pid_t(pid), SIGKILL); // the page process this test started
    ASSERT_TRUE(waitFor([this] { return !completed.isEmpty(); }, WaitMs));
    EXPECT_EQ(completed.first(), browser->locationUrl());
}

// A step back through the history and a reload show a page again, as the
// program's own navigate() does: they follow no link, whatever the address
// holds.
TEST_F(WebViewTest, StepsBackAndReloadsShowPagesAgain)
{
    const QString first = dir.filePath(QStringLiteral("a$JS x.txt a=1,.html"));
    const QString second = dir.filePath(QStringLiteral("b.html"));
    writePage(first, "<html><body>a</body></html>");
    writePage(second, "<html><body>b</body></html>");
    browser->setBeforeNavigate([this](const NavigationRequest& r) {
        requests.append(r);
        return false;
    });
    browser->navigate(first);
    ASSERT_TRUE(waitFor([this] { return completed.size() == 1; }, WaitMs));
    browser->navigate(second);
    ASSERT_TRUE(waitFor([this] { return completed.size() == 2; }, WaitMs));
    requests.clear();
    browser->goBack();
    ASSERT_TRUE(waitFor([this] { return !requests.isEmpty(); }, WaitMs));
    EXPECT_TRUE(requests.first().url.contains(QLatin1String("a$JS"))) << requests.first().url.toStdString();
    EXPECT_TRUE(requests.first().programInitiated);
    ASSERT_TRUE(waitFor([&] { return browser->locationUrl() == QUrl::fromLocalFile(first).toString(); }, WaitMs));
    requests.clear();
    browser->refresh(); // as the patrol reloads a changed page
    ASSERT_TRUE(waitFor([this] { return !requests.isEmpty(); }, WaitMs));
    EXPECT_TRUE(requests.first().programInitiated);
}
